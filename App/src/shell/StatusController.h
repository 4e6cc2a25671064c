#pragma once

#include "models/PanelModel.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class DBusMenu;
class PanelWindow;
class QAction;
class QMenu;
class QSystemTrayIcon;
class StatusNotifierItem;
class XEmbedTray;

/// The tray icon, its menu and the panel window; the one owner of each.
/// The panel is a frameless popup under the icon that closes when it loses
/// the focus. Where the desktop has no tray, it is an ordinary small window.
/// The icon is our own StatusNotifierItem whenever a watcher is on the bus,
/// else Qt's XEmbed icon on X11; a tray may come or go at any time.
class StatusController final : public QObject {
    Q_OBJECT
public:
    StatusController(PanelModel& model, AppLanguageState& language, std::function<void()> quit,
                     QObject* parent = nullptr);
    ~StatusController() override;

    /// An icon of ours is in a tray now.
    bool hasTray() const;
    /// How: "StatusNotifierItem", "XEmbed" or "none".
    QString trayProtocol() const;
    /// At the start: the panel as a window, unless a tray comes within
    /// `wait` (one that starts with the session may be slower than us).
    void showPanelUnlessTray(std::chrono::milliseconds wait);
    void showPanel();
    void closePanel();
    void togglePanel();
    bool isPanelShown() const;
    PanelWindow& panel() { return panelWindow(); }
    /// The tray's menu: drawn by tovu for an XEmbed tray, exported over the
    /// bus for the others. (The panel's More menu is the views' own.)
    QMenu& trayMenu() { return *statusMenu_.menu; }
    /// Tells the user that their messages could not be saved: a tray
    /// message, or a dialog where there is no tray. Once per reason.
    void reportSaveFailure(const QString& reason);
    /// Tells the user that the settings file did not read whole (cut short,
    /// or too large to be tovu's) and where it was kept as found.
    void reportKeptSettings(const QString& keptAs);

    /// Ctrl+Q in the panel: a quit request without an event.
    std::function<void()> quitShortcut = [] {};

private:
    struct Menu {
        std::unique_ptr<QMenu> menu;
        QAction* open = nullptr;
        QAction* login = nullptr;
        QMenu* language = nullptr;
        QList<QAction*> languages;
        QAction* quit = nullptr;
    };
    void buildMenu(Menu& menu);
    void relabel(Menu& menu);
    void relabel();
    QString toolTip() const;
    void placePanel();
    void onTrayActivated(int reason);
    void onItemActivated(QPoint at);
    void createTray();
    void updateTrays();
    void prefill();
    /// A click on either kind of icon: toggles the panel, unless the click
    /// itself just closed it by taking the focus.
    void iconClicked();
    /// The panel's window, built on first use.
    PanelWindow& panelWindow();
    void warmUp();

    PanelModel& model_;
    AppLanguageState& language_;
    std::function<void()> quit_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    Menu statusMenu_;
    std::unique_ptr<XEmbedTray> xembed_;
    std::unique_ptr<DBusMenu> dbusMenu_;
    std::unique_ptr<StatusNotifierItem> item_;
    // Where a StatusNotifierItem tray last reported a click: the icon is
    // there, and the panel opens next to it.
    std::optional<QPoint> anchor_;
    // The panel's window is the popup (else the ordinary window).
    bool popup_ = false;
    QString reportedProtocol_;
    std::unique_ptr<PanelWindow> panel_;
    // A click on the icon first takes the focus from the panel, which closes
    // it; that click must not open it again.
    QElapsedTimer closedByFocusLoss_;
    bool activeSinceShown_ = false;
    QTimer prefillWait_;  // runs from the showing until the prefill
    QString reportedFailure_;
    void warn(const QString& text);
};
