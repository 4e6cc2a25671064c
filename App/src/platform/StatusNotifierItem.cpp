#include "platform/StatusNotifierItem.h"

#include "platform/DBusMenu.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTimer>
#include <QtEndian>

#include <algorithm>

namespace {
Q_LOGGING_CATEGORY(itemLog, "app.tovu.tray", QtWarningMsg)

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString itemPath = QStringLiteral("/StatusNotifierItem");
const QString menuPath = QStringLiteral("/MenuBar");

QDBusMessage watcherProperty(const QString& name) {
    auto call = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << watcherService << name;
    return call;
}

// Whether the watcher has a tray that shows its items.
QDBusMessage hostQuestion() { return watcherProperty(QStringLiteral("IsStatusNotifierHostRegistered")); }
}  // namespace

namespace sni {

/// (iiay): one size of the icon, ARGB32 in network byte order.
struct Pixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};

/// (sa(iiay)ss): icon name, icon, title, text.
struct ToolTip {
    QString iconName;
    QList<Pixmap> icon;
    QString title;
    QString text;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Pixmap& pixmap) {
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.bytes;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Pixmap& pixmap) {
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.bytes;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const ToolTip& tip) {
    argument.beginStructure();
    argument << tip.iconName << tip.icon << tip.title << tip.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ToolTip& tip) {
    argument.beginStructure();
    argument >> tip.iconName >> tip.icon >> tip.title >> tip.text;
    argument.endStructure();
    return argument;
}

Pixmap pixmap(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Pixmap pixmap{argb.width(), argb.height(), QByteArray(qsizetype(argb.width()) * argb.height() * 4, '\0')};
    auto* out = reinterpret_cast<uchar*>(pixmap.bytes.data());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, out += 4) qToBigEndian<quint32>(line[x], out);
    }
    return pixmap;
}

}  // namespace sni

Q_DECLARE_METATYPE(sni::Pixmap)
Q_DECLARE_METATYPE(sni::ToolTip)

/// The interface itself; StatusNotifierItem holds what it answers.
class StatusNotifierItemAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ none)
    Q_PROPERTY(QString IconName READ none)
    Q_PROPERTY(QList<sni::Pixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ none)
    Q_PROPERTY(QList<sni::Pixmap> OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ none)
    Q_PROPERTY(QList<sni::Pixmap> AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ none)
    Q_PROPERTY(sni::ToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem& item) : QDBusAbstractAdaptor(&item), item_(item) {}

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return item_.id_; }
    QString title() const { return item_.title_; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString none() const { return {}; }
    QList<sni::Pixmap> noPixmap() const { return {}; }
    QList<sni::Pixmap> iconPixmap() const {
        QList<sni::Pixmap> sizes;
        for (const QImage& image : item_.icon_) sizes.append(sni::pixmap(image));
        return sizes;
    }
    sni::ToolTip toolTip() const { return {QString(), {}, item_.toolTip_, QString()}; }
    // Some hosts show the menu on a left click whatever this says; the
    // menu's first item opens the panel for them.
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const {
        return QDBusObjectPath(item_.menuPath_.isEmpty() ? QStringLiteral("/") : item_.menuPath_);
    }

public slots:
    void Activate(int x, int y) { emit item_.activated(QPoint(x, y)); }
    void SecondaryActivate(int x, int y) { emit item_.secondaryActivated(QPoint(x, y)); }
    void ContextMenu(int x, int y) { emit item_.contextMenuRequested(QPoint(x, y)); }
    void Scroll(int delta, const QString& orientation) {
        Q_UNUSED(delta)
        Q_UNUSED(orientation)
    }
    // Plasma on Wayland hands over the activation token of the click before
    // Activate: with it the compositor gives the panel the focus.
    void ProvideXdgActivationToken(const QString& token) {
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    }

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem& item_;
};

StatusNotifierItem::StatusNotifierItem(const QString& id, QObject* parent) : QObject(parent), id_(id), title_(id) {
    qDBusRegisterMetaType<sni::Pixmap>();
    qDBusRegisterMetaType<QList<sni::Pixmap>>();
    qDBusRegisterMetaType<sni::ToolTip>();
    adaptor_ = new StatusNotifierItemAdaptor(*this);

    // A connection of our own: its unique name is the item's, its object
    // paths are the usual ones whatever else this process exports.
    static int count = 0;
    ++count;
    connection_ = QStringLiteral("tovu-status-item-%1").arg(count);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection_);
    if (!bus.isConnected()) return;  // no session bus: no watcher ever
    service_ = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(count);
    if (!bus.registerObject(itemPath, this, QDBusConnection::ExportAdaptors) || !bus.registerService(service_)) {
        qCWarning(itemLog, "could not export the status item: %s", qUtf8Printable(bus.lastError().message()));
        return;
    }
    watcher_ = new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                ++generation_;
                registered_ = false;
                watcherPresent_ = !owner.isEmpty();
                setShown(false);
                emit changed();
                if (watcherPresent_) registerWithWatcher();
            });
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(watcherService, watcherPath, watcherService, QLatin1String(signal), this, SLOT(readHost()));
    }
    bus.connect(watcherService, watcherPath, watcherService, QStringLiteral("StatusNotifierItemUnregistered"), this,
                SLOT(itemUnregistered(QString)));
    watcherPresent_ = bus.interface()->isServiceRegistered(watcherService).value();
    if (watcherPresent_) registerWithWatcher();
}

StatusNotifierItem::~StatusNotifierItem() { QDBusConnection::disconnectFromBus(connection_); }

void StatusNotifierItem::registerWithWatcher() {
    auto call = QDBusMessage::createMethodCall(watcherService, watcherPath, watcherService,
                                               QStringLiteral("RegisterStatusNotifierItem"));
    call << service_;
    auto* pending = new QDBusPendingCallWatcher(QDBusConnection(connection_).asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation = generation_](QDBusPendingCallWatcher* reply) {
                reply->deleteLater();
                if (generation != generation_) return;
                if (reply->isError()) {
                    qCWarning(itemLog, "the watcher refused the status item: %s",
                              qUtf8Printable(reply->error().message()));
                    return;
                }
                registered_ = true;
                readHost();
            });
}

void StatusNotifierItem::readHost() {
    if (!registered_) return;
    auto* pending = new QDBusPendingCallWatcher(QDBusConnection(connection_).asyncCall(hostQuestion()), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation = generation_](QDBusPendingCallWatcher* reply) {
                reply->deleteLater();
                if (generation != generation_) return;
                const QDBusPendingReply<QDBusVariant> host = *reply;
                // A watcher that does not say is taken to have its tray.
                setShown(host.isError() || host.value().variant().toBool());
                if (shown_) checkListed();
            });
}

// A watcher may drop the item and say nothing (GNOME's AppIndicator
// extension, restarting at a screen lock, does): whenever its hosts change,
// the item must still be on its list, or it registers again.
void StatusNotifierItem::checkListed() {
    const QDBusMessage question = watcherProperty(QStringLiteral("RegisteredStatusNotifierItems"));
    auto* pending = new QDBusPendingCallWatcher(QDBusConnection(connection_).asyncCall(question), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation = generation_](QDBusPendingCallWatcher* reply) {
                reply->deleteLater();
                const QDBusPendingReply<QDBusVariant> items = *reply;
                if (generation != generation_ || items.isError()) return;  // one that does not say is trusted
                const QStringList listed = items.value().variant().toStringList();
                if (!std::any_of(listed.begin(), listed.end(), [this](const QString& s) { return isOurs(s); })) {
                    itemUnregistered(service_);
                }
            });
}

// Watchers name an item by its service name, or by its connection's unique
// name, with or without the object path.
bool StatusNotifierItem::isOurs(const QString& named) const {
    const QString name = named.section(QLatin1Char('/'), 0, 0);
    return name == service_ || name == QDBusConnection(connection_).baseService();
}

void StatusNotifierItem::itemUnregistered(const QString& service) {
    if (!registered_ || !isOurs(service)) return;
    ++generation_;
    registered_ = false;
    setShown(false);
    // A second later, so that a watcher that keeps dropping the item is not
    // flooded; a newer watcher meanwhile makes this one moot.
    QTimer::singleShot(1000, this, [this, generation = generation_] {
        if (generation == generation_ && watcherPresent_) registerWithWatcher();
    });
}

bool StatusNotifierItem::trayOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcherService)) return false;
    const QDBusReply<QDBusVariant> host = bus.call(hostQuestion(), QDBus::Block, 2000);
    // As for the item: a watcher that does not say is taken to have its tray.
    return !host.isValid() || host.value().variant().toBool();
}

void StatusNotifierItem::setShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    emit changed();
}

void StatusNotifierItem::setTitle(const QString& title) {
    if (title == title_) return;
    title_ = title;
    emit adaptor_->NewTitle();
}

void StatusNotifierItem::setToolTip(const QString& toolTip) {
    if (toolTip == toolTip_) return;
    toolTip_ = toolTip;
    emit adaptor_->NewToolTip();
}

void StatusNotifierItem::setIcon(const QList<QImage>& sizes) {
    icon_ = sizes;
    emit adaptor_->NewIcon();
}

void StatusNotifierItem::setMenu(DBusMenu& menu) {
    QDBusConnection bus(connection_);
    if (bus.isConnected() && menu.publish(bus, menuPath)) menuPath_ = menuPath;
}

#include "StatusNotifierItem.moc"
