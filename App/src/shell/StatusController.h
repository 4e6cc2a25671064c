#pragma once

#include "models/PanelModel.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class PanelWindow;
class QAction;
class QMenu;
class QSystemTrayIcon;

/// The tray icon, its menu and the panel window; the one owner of each.
/// The panel is a frameless popup under the icon that closes when it loses
/// the focus. Where the desktop has no tray, it is an ordinary small window.
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
    PanelWindow& panel() { return *panel_; }
    /// The header's "More" menu (the tray's menu holds the same items).
    QMenu& moreMenu() { return *moreMenu_.menu; }
    /// Tells the user that their messages could not be saved: a tray
    /// message, or a dialog where there is no tray. Once per reason.
    void reportSaveFailure(const QString& reason);

    /// Ctrl+Q in the panel: a quit request without an event.
    std::function<void()> quitShortcut = [] {};

private:
    struct Menu {
        std::unique_ptr<QMenu> menu;
        QAction* login = nullptr;
        QMenu* language = nullptr;
        QList<QAction*> languages;
        QAction* quit = nullptr;
    };
    void buildMenu(Menu& menu);
    void relabel(Menu& menu);
    void relabel();
    void placePanel();
    void onTrayActivated(int reason);
    void prefill();

    PanelModel& model_;
    AppLanguageState& language_;
    std::function<void()> quit_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    Menu statusMenu_;
    Menu moreMenu_;
    std::unique_ptr<PanelWindow> panel_;
    // A click on the icon first takes the focus from the panel, which closes
    // it; that click must not open it again.
    QElapsedTimer closedByFocusLoss_;
    bool activeSinceShown_ = false;
    QTimer prefillWait_;  // runs from the showing until the prefill
    QString reportedFailure_;
};
