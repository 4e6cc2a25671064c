#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class DBusMenu;
class QDBusServiceWatcher;
class StatusNotifierItemAdaptor;

/// The icon for the StatusNotifierItem trays (KDE Plasma, the AppIndicator
/// hosts, waybar, XFCE): org.kde.StatusNotifierItem on a session bus
/// connection of its own, registered with org.kde.StatusNotifierWatcher
/// whenever one is on the bus, at the start or later. Unlike Qt's tray icon
/// it passes on where the tray was clicked, and it finds a watcher that
/// comes after the start.
class StatusNotifierItem final : public QObject {
    Q_OBJECT
public:
    /// `id` names the application to the tray ("Id"; also the first Title).
    explicit StatusNotifierItem(const QString& id, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    /// Asked of the session bus now, without an item: a watcher is there and
    /// has a tray that would show one (for --diagnose).
    static bool trayOnSessionBus();

    /// A watcher is on the bus (it may not have taken the item yet).
    bool isWatcherPresent() const { return watcherPresent_; }
    /// The watcher took the item and has a tray that shows it.
    bool isShown() const { return shown_; }

    void setTitle(const QString& title);
    void setToolTip(const QString& toolTip);
    /// The same icon at a few sizes; the tray picks.
    void setIcon(const QList<QImage>& sizes);
    /// The tray's menu of the item; `menu` must outlive the item.
    void setMenu(DBusMenu& menu);

signals:
    /// A click on the icon, at `at` in global coordinates ((0, 0) when the
    /// tray does not know).
    void activated(QPoint at);
    /// A middle click.
    void secondaryActivated(QPoint at);
    /// The tray wants the application to show its menu itself.
    void contextMenuRequested(QPoint at);
    /// isWatcherPresent() or isShown() changed.
    void changed();

private slots:
    /// Asks the watcher whether it has a tray that shows the item.
    void readHost();
    /// The watcher dropped an item: when ours, it registers again.
    void itemUnregistered(const QString& service);

private:
    friend class StatusNotifierItemAdaptor;
    void registerWithWatcher();
    void checkListed();
    bool isOurs(const QString& named) const;
    void setShown(bool shown);

    StatusNotifierItemAdaptor* adaptor_;
    QString connection_;
    QString service_;
    QString id_;
    QString title_;
    QString toolTip_;
    QList<QImage> icon_;
    QString menuPath_;
    QDBusServiceWatcher* watcher_ = nullptr;
    bool watcherPresent_ = false;
    bool registered_ = false;
    bool shown_ = false;
    // Replies that belong to a watcher gone since are dropped.
    unsigned generation_ = 0;
};
