#pragma once

#include <QDBusContext>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>

class QAction;
class QDBusConnection;
class QMenu;
class DBusMenuAdaptor;

/// A QMenu as com.canonical.dbusmenu, for the trays that draw the menu of a
/// StatusNotifierItem themselves. Item 0 is the menu; every action gets an id
/// of its own for as long as it lives. What changes in the menu (labels,
/// ticks, items) reaches the tray as LayoutUpdated and ItemsPropertiesUpdated,
/// and a click in the tray triggers the action. QtDBus gives the context of
/// a call to the exported object, not to its adaptor: hence QDBusContext here.
class DBusMenu final : public QObject, public QDBusContext {
    Q_OBJECT
public:
    explicit DBusMenu(QMenu& menu, QObject* parent = nullptr);
    ~DBusMenu() override;

    /// Puts the menu at `path` on `bus`; false when the path is taken.
    bool publish(QDBusConnection& bus, const QString& path);
    /// "rtl" or "ltr" for the tray, which lays the menu out itself.
    void setLayoutDirection(Qt::LayoutDirection direction);
    Qt::LayoutDirection layoutDirection() const { return direction_; }

private:
    friend class DBusMenuAdaptor;
    int idOf(QAction* action);
    QAction* actionOf(int id) const;
    /// The menu whose items are the children of `id`: the root for 0.
    QMenu* submenuOf(int id) const;
    QVariantMap properties(int id, const QStringList& names) const;
    void watch(QMenu* menu);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void layoutChanged(int parent);
    void propertiesChanged(int id);
    void flush();
    /// `menu`'s aboutToShow, as a menu of our own would send it on opening.
    bool aboutToShow(int id);

    QMenu& menu_;
    DBusMenuAdaptor* adaptor_;
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
    QString connection_;
    QString path_;
    QHash<QAction*, int> ids_;
    QHash<int, QPointer<QAction>> actions_;
    QSet<QMenu*> watched_;
    int nextId_ = 1;
    unsigned revision_ = 1;
    // Changes are gathered and sent once the event loop turns again: a
    // relabelling of the whole menu is one signal, not one per action.
    QTimer flushTimer_;
    QSet<int> changedLayouts_;
    QSet<int> changedItems_;
};
