#pragma once

#include "platform/DesktopAppearance.h"
#include "views/PanelShell.h"
#include "views/Theme.h"

#include <QQuickView>

class AppLanguageState;
class PanelModel;

/// The panel's window: the QML views over the models, built once and kept,
/// so that opening it again costs no more than showing it. Its `shell`
/// carries the views' requests to the owner.
class PanelWindow final : public QQuickView {
    Q_OBJECT
public:
    PanelWindow(PanelModel& model, AppLanguageState& language);
    ~PanelWindow() override;

    PanelShell& shell() { return shell_; }
    Palette& palette() { return palette_; }
    Theme& theme() { return theme_; }
    /// The QML load's errors, empty when the views came up.
    QString errors() const { return errors_; }

private:
    PanelShell shell_;
    DesktopAppearance desktop_;
    Palette palette_{desktop_};
    Theme theme_{desktop_};
    QString errors_;
};
