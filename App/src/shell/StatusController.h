#pragma once

#include "models/PanelModel.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

/// The tray icon, its menu and the panel window; the one owner of each.
/// Where the desktop has no tray, the panel is an ordinary small window.
class StatusController final : public QObject {
    Q_OBJECT
public:
    StatusController(PanelModel& model, AppLanguageState& language, std::function<void()> quit,
                     QObject* parent = nullptr);
    ~StatusController() override;

    bool hasTray() const { return tray_ != nullptr; }
    void showPanel();
    void closePanel();
    void togglePanel();
    bool isPanelShown() const;

    /// Ctrl+Q in the panel: a quit request without an event.
    std::function<void()> quitShortcut = [] {};

private:
    void buildMenu();
    void relabel();
    void rebuildChoices();

    PanelModel& model_;
    AppLanguageState& language_;
    std::function<void()> quit_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> menu_;
    QAction* loginAction_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QList<QAction*> languageActions_;
    QAction* quitAction_ = nullptr;
    std::unique_ptr<QWidget> panel_;
};
