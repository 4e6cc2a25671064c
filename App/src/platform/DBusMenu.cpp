#include "platform/DBusMenu.h"

#include <QAction>
#include <QActionEvent>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QMenu>

namespace dbusmenu {

/// (ia{sv}): an item's properties.
struct Item {
    int id = 0;
    QVariantMap properties;
};

/// (ias): the properties an item no longer has.
struct RemovedProperties {
    int id = 0;
    QStringList names;
};

/// (ia{sv}av): an item and, as variants, its children.
struct Layout {
    int id = 0;
    QVariantMap properties;
    QList<Layout> children;
};

/// (isvu): one event of EventGroup.
struct Event {
    int id = 0;
    QString name;
    QDBusVariant data;
    uint timestamp = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Item& item) {
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Item& item) {
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const RemovedProperties& removed) {
    argument.beginStructure();
    argument << removed.id << removed.names;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RemovedProperties& removed) {
    argument.beginStructure();
    argument >> removed.id >> removed.names;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const Layout& layout) {
    argument.beginStructure();
    argument << layout.id << layout.properties;
    argument.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const Layout& child : layout.children) argument << QDBusVariant(QVariant::fromValue(child));
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Layout& layout) {
    argument.beginStructure();
    argument >> layout.id >> layout.properties;
    argument.beginArray();
    layout.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        Layout item;
        child.variant().value<QDBusArgument>() >> item;
        layout.children.append(item);
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const Event& event) {
    argument.beginStructure();
    argument << event.id << event.name << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Event& event) {
    argument.beginStructure();
    argument >> event.id >> event.name >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

}  // namespace dbusmenu

Q_DECLARE_METATYPE(dbusmenu::Item)
Q_DECLARE_METATYPE(dbusmenu::RemovedProperties)
Q_DECLARE_METATYPE(dbusmenu::Layout)
Q_DECLARE_METATYPE(dbusmenu::Event)

/// The interface itself; DBusMenu answers.
class DBusMenuAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    explicit DBusMenuAdaptor(DBusMenu& menu) : QDBusAbstractAdaptor(&menu), menu_(menu) {}

    uint version() const { return 3; }
    QString textDirection() const {
        return menu_.layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
    }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames, dbusmenu::Layout& layout) {
        if (!known(parentId)) return 0;
        layout = this->layout(parentId, recursionDepth, propertyNames);
        return menu_.revision_;
    }

    QList<dbusmenu::Item> GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames) {
        QList<dbusmenu::Item> items;
        for (int id : ids) {
            if (id == 0 || menu_.actionOf(id)) items.append({id, menu_.properties(id, propertyNames)});
        }
        return items;
    }

    QDBusVariant GetProperty(int id, const QString& name) {
        if (!known(id)) return {};
        const QVariantMap properties = menu_.properties(id, {name});
        if (!properties.contains(name)) {
            menu_.sendErrorReply(QDBusError::InvalidArgs,
                                 QStringLiteral("item %1 has no property %2").arg(id).arg(name));
            return {};
        }
        return QDBusVariant(properties.value(name));
    }

    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp) {
        Q_UNUSED(data)
        Q_UNUSED(timestamp)
        if (!known(id)) return;
        handle(id, eventId);
    }

    QList<int> EventGroup(const QList<dbusmenu::Event>& events) {
        QList<int> errors;
        for (const dbusmenu::Event& event : events) {
            if (event.id != 0 && !menu_.actionOf(event.id)) {
                errors.append(event.id);
                continue;
            }
            handle(event.id, event.name);
        }
        if (!events.isEmpty() && errors.size() == events.size()) {
            menu_.sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such items"));
        }
        return errors;
    }

    bool AboutToShow(int id) {
        if (!known(id)) return false;
        return menu_.aboutToShow(id);
    }

    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
        QList<int> updatesNeeded;
        for (int id : ids) {
            if (id != 0 && !menu_.actionOf(id)) {
                idErrors.append(id);
            } else if (menu_.aboutToShow(id)) {
                updatesNeeded.append(id);
            }
        }
        return updatesNeeded;
    }

signals:
    void ItemsPropertiesUpdated(const QList<dbusmenu::Item>& updatedProps,
                                const QList<dbusmenu::RemovedProperties>& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    friend class DBusMenu;

    bool known(int id) {
        if (id == 0 || menu_.actionOf(id)) return true;
        menu_.sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no item %1").arg(id));
        return false;
    }

    dbusmenu::Layout layout(int id, int depth, const QStringList& names) {
        dbusmenu::Layout layout{id, menu_.properties(id, names), {}};
        QMenu* submenu = menu_.submenuOf(id);
        if (depth == 0 || !submenu) return layout;
        for (QAction* action : submenu->actions()) {
            layout.children.append(this->layout(menu_.idOf(action), depth < 0 ? depth : depth - 1, names));
        }
        return layout;
    }

    void handle(int id, const QString& event) {
        if (event == QLatin1String("opened")) {
            menu_.aboutToShow(id);
        } else if (event == QLatin1String("clicked")) {
            QAction* action = menu_.actionOf(id);
            if (!action || action->menu() || action->isSeparator() || !action->isEnabled()) return;
            // After the reply: what the action does may take a while.
            QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        }
    }

    DBusMenu& menu_;
};

DBusMenu::DBusMenu(QMenu& menu, QObject* parent) : QObject(parent), menu_(menu) {
    qDBusRegisterMetaType<dbusmenu::Item>();
    qDBusRegisterMetaType<QList<dbusmenu::Item>>();
    qDBusRegisterMetaType<dbusmenu::RemovedProperties>();
    qDBusRegisterMetaType<QList<dbusmenu::RemovedProperties>>();
    qDBusRegisterMetaType<dbusmenu::Layout>();
    qDBusRegisterMetaType<dbusmenu::Event>();
    qDBusRegisterMetaType<QList<dbusmenu::Event>>();
    adaptor_ = new DBusMenuAdaptor(*this);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    connect(&flushTimer_, &QTimer::timeout, this, &DBusMenu::flush);
    watch(&menu_);
}

DBusMenu::~DBusMenu() {
    for (QMenu* menu : std::as_const(watched_)) menu->removeEventFilter(this);
}

bool DBusMenu::publish(QDBusConnection& bus, const QString& path) {
    if (!bus.registerObject(path, this, QDBusConnection::ExportAdaptors)) return false;
    connection_ = bus.name();
    path_ = path;
    return true;
}

void DBusMenu::setLayoutDirection(Qt::LayoutDirection direction) {
    if (direction == direction_) return;
    direction_ = direction;
    if (path_.isEmpty()) return;
    // QtDBus announces no property change by itself.
    QDBusMessage changed = QDBusMessage::createSignal(path_, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("PropertiesChanged"));
    changed << QStringLiteral("com.canonical.dbusmenu")
            << QVariantMap{{QStringLiteral("TextDirection"), adaptor_->textDirection()}} << QStringList();
    QDBusConnection(connection_).send(changed);
}

int DBusMenu::idOf(QAction* action) {
    if (const auto found = ids_.constFind(action); found != ids_.constEnd()) return *found;
    const int id = nextId_++;
    ids_.insert(action, id);
    actions_.insert(id, action);
    connect(action, &QObject::destroyed, this, [this, action, id] {
        ids_.remove(action);
        actions_.remove(id);
    });
    if (QMenu* submenu = action->menu()) watch(submenu);
    return id;
}

QAction* DBusMenu::actionOf(int id) const { return actions_.value(id); }

QMenu* DBusMenu::submenuOf(int id) const {
    if (id == 0) return &menu_;
    QAction* action = actionOf(id);
    return action ? action->menu() : nullptr;
}

QVariantMap DBusMenu::properties(int id, const QStringList& names) const {
    QVariantMap all;
    const auto submenu = QStringLiteral("submenu");
    if (id == 0) {
        all.insert(QStringLiteral("children-display"), submenu);
    } else if (QAction* action = actionOf(id)) {
        all.insert(QStringLiteral("visible"), action->isVisible());
        if (action->isSeparator()) {
            all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            // "&" marks QMenu's mnemonic, "_" dbusmenu's.
            QString label;
            const QString text = action->text();
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text[i] == u'&' && i + 1 < text.size()) {
                    ++i;
                    label += text[i] == u'&' ? QStringLiteral("&") : QStringLiteral("_") + text[i];
                } else if (text[i] == u'_') {
                    label += QStringLiteral("__");
                } else {
                    label += text[i];
                }
            }
            all.insert(QStringLiteral("label"), label);
            all.insert(QStringLiteral("enabled"), action->isEnabled());
            // A checkmark even where one choice excludes the others (the
            // languages): LXQt's tray draws no radio items at all, and every
            // host draws a checkmark.
            if (action->isCheckable()) {
                all.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
                all.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
            }
            if (action->menu()) all.insert(QStringLiteral("children-display"), submenu);
        }
    }
    if (names.isEmpty()) return all;
    QVariantMap asked;
    for (const QString& name : names) {
        if (all.contains(name)) asked.insert(name, all.value(name));
    }
    return asked;
}

void DBusMenu::watch(QMenu* menu) {
    if (watched_.contains(menu)) return;
    watched_.insert(menu);
    menu->installEventFilter(this);
    connect(menu, &QObject::destroyed, this, [this, menu] { watched_.remove(menu); });
}

bool DBusMenu::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu) return false;
    switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionRemoved: layoutChanged(menu == &menu_ ? 0 : ids_.value(menu->menuAction(), 0)); break;
        case QEvent::ActionChanged: {
            QAction* action = static_cast<QActionEvent*>(event)->action();
            if (ids_.contains(action)) propertiesChanged(ids_.value(action));
            // A new submenu under an action that had none.
            if (action->menu()) watch(action->menu());
            break;
        }
        default: break;
    }
    return false;
}

void DBusMenu::layoutChanged(int parent) {
    changedLayouts_.insert(parent);
    flushTimer_.start();
}

void DBusMenu::propertiesChanged(int id) {
    changedItems_.insert(id);
    flushTimer_.start();
}

void DBusMenu::flush() {
    if (!changedLayouts_.isEmpty()) {
        ++revision_;
        for (int parent : std::as_const(changedLayouts_)) emit adaptor_->LayoutUpdated(revision_, parent);
        changedLayouts_.clear();
    }
    QList<dbusmenu::Item> updated;
    for (int id : std::as_const(changedItems_)) {
        if (actionOf(id)) updated.append({id, properties(id, {})});
    }
    changedItems_.clear();
    if (!updated.isEmpty()) emit adaptor_->ItemsPropertiesUpdated(updated, {});
}

bool DBusMenu::aboutToShow(int id) {
    QMenu* submenu = submenuOf(id);
    if (!submenu) return false;
    emit submenu->aboutToShow();
    // Whatever aboutToShow changed is still waiting to be sent: the tray had
    // better ask for the layout again.
    return !changedLayouts_.isEmpty() || !changedItems_.isEmpty();
}

#include "DBusMenu.moc"
