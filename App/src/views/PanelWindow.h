#pragma once

#include "views/Theme.h"

#include <QQuickView>

class AppLanguageState;
class PanelModel;

/// The panel's window: the QML views over the models, built once and kept,
/// so that opening it again costs no more than showing it. `shell` answers
/// the views' requests: closePanel(), quitByShortcut(), showMoreMenu(point).
class PanelWindow final : public QQuickView {
    Q_OBJECT
public:
    PanelWindow(PanelModel& model, AppLanguageState& language, QObject* shell);
    ~PanelWindow() override;

    Palette& palette() { return palette_; }
    Theme& theme() { return theme_; }
    /// The QML load's errors, empty when the views came up.
    QString errors() const { return errors_; }

private:
    Palette palette_;
    Theme theme_;
    QString errors_;
};
