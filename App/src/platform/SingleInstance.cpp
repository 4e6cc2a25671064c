#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <PhoneKit/messages/Templates.h>

#include <ctime>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kName = QStringLiteral("app.tovu.tovu");
const QString kPath = QStringLiteral("/app/tovu/tovu");
const QString kInterface = QStringLiteral("org.freedesktop.Application");
constexpr int kTimeoutMs = 3000;
// The largest message list, its JSON escaped once more in the frame's JSON.
constexpr qsizetype kMaximumRequest = 2 * qsizetype(PhoneKit::TemplateLimits::bytes) + 65536;
const QString kAnswerBy = QStringLiteral("tovu-answer-by");
const QString kSilent = QStringLiteral("the running tovu did not answer");

// Imports take longer to save, and a start that shows the panel should not
// wait as long.
int answerTimeout(const InstanceRequest& request) { return request.action == "import" ? 30000 : kTimeoutMs; }

qint64 bootClockMs() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Stamped as the start sends it: the request's answer is due by then.
InstanceRequest stamped(InstanceRequest request) {
    request.answerBy = bootClockMs() + answerTimeout(request);
    return request;
}

QVariantMap platformData(const InstanceRequest& request) {
    QVariantMap data{{kAnswerBy, request.answerBy}};
    if (request.token.isEmpty()) return data;
    data.insert(QStringLiteral("activation-token"), request.token);
    data.insert(QStringLiteral("desktop-startup-id"), request.token);
    return data;
}

std::optional<QString> handOnBus(QDBusConnection bus, const InstanceRequest& request) {
    QDBusMessage call;
    if (request.action == "activate") {
        call = QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("Activate"));
        call << platformData(request);
    } else if (request.action == "uri") {
        call = QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("Open"));
        call << QStringList{request.argument} << platformData(request);
    } else {
        call = QDBusMessage::createMethodCall(kName, kPath, kInterface, QStringLiteral("ActivateAction"));
        // av: the list wraps each element in its variant itself.
        const QVariantList parameter = request.argument.isEmpty() ? QVariantList{} : QVariantList{request.argument};
        call << request.action << QVariant::fromValue(parameter) << platformData(request);
    }
    call.setAutoStartService(false);  // this start is the one to become tovu
    // A little longer than the deadline: what comes in time is answered.
    const QDBusMessage reply = bus.call(call, QDBus::Block, answerTimeout(request) + 500);
    if (reply.type() != QDBusMessage::ErrorMessage) return QString();
    const QString error = reply.errorName();
    // No owner (yet): the lock tells whether a tovu runs.
    if (error == "org.freedesktop.DBus.Error.ServiceUnknown" || error == "org.freedesktop.DBus.Error.NameHasNoOwner") {
        return std::nullopt;
    }
    if (error == "org.freedesktop.DBus.Error.NoReply") {
        // Gone while asked (it was quitting): ask again, or become tovu.
        if (!bus.interface()->isServiceRegistered(kName).value()) return std::nullopt;
        // Paused or stuck: the request fails, and past its deadline it is
        // not carried out when that tovu goes on.
        return kSilent;
    }
    return reply.errorMessage().isEmpty() ? error : reply.errorMessage();
}

QString socketPath() { return SingleInstance::privateFolder() + "/tovu.socket"; }

int openLock() {
    return ::open(QFile::encodeName(SingleInstance::privateFolder() + "/tovu.lock").constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

bool lockIsFree() {
    const int lock = openLock();
    if (lock < 0) return true;
    const bool free = ::flock(lock, LOCK_EX | LOCK_NB) == 0;
    ::close(lock);
    return free;
}

// A folder only this user can enter: another user must neither hold the
// lock nor plant the socket.
bool isPrivate(const QString& folder) {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

// On the socket a request is one line, "ACTION SIZE", then SIZE bytes of
// JSON {"argument", "token"}; the answer one line, "ok" or "error REASON".
std::optional<QString> handOnSocket(const InstanceRequest& request) {
    if (lockIsFree()) return std::nullopt;  // nobody holds it: no tovu runs
    QLocalSocket socket;
    // The holder may be starting: its socket comes right after its lock.
    for (int attempt = 0; attempt < 60; ++attempt) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(kTimeoutMs)) break;
        QThread::msleep(50);
    }
    if (socket.state() != QLocalSocket::ConnectedState) return kSilent;
    const QByteArray payload =
        QJsonDocument(
            QJsonObject{{"argument", request.argument}, {"token", request.token}, {kAnswerBy, request.answerBy}})
            .toJson(QJsonDocument::Compact);
    socket.write(request.action.toUtf8() + ' ' + QByteArray::number(payload.size()) + '\n' + payload);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs)) return kSilent;
    }
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!socket.waitForReadyRead(answerTimeout(request))) {
            // Hung up without an answer: if it was quitting, its lock goes
            // with it, and this start asks again or becomes tovu. A holder
            // that stays is no tovu to write behind the back of.
            if (socket.state() != QLocalSocket::ConnectedState) {
                for (int attempt = 0; attempt < 20; ++attempt) {
                    if (lockIsFree()) return std::nullopt;
                    QThread::msleep(50);
                }
                return kSilent;
            }
            // Paused or stuck: past its deadline the request is dropped.
            return kSilent;
        }
        reply += socket.readAll();
    }
    reply = reply.left(reply.indexOf('\n'));
    if (reply == "ok") return QString();
    return QString::fromUtf8(reply.startsWith("error ") ? reply.mid(6) : reply);
}

}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            auto received = std::make_shared<QByteArray>();
            connect(peer, &QLocalSocket::readyRead, peer, [this, peer, received] {
                *received += peer->readAll();
                answer(peer, *received);
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            // A peer that never finishes its request is let go.
            QTimer::singleShot(5000, peer, [peer] { peer->abort(); });
        }
    });
}

SingleInstance::~SingleInstance() {
    if (lock_ >= 0) ::close(lock_);
}

QString SingleInstance::privateFolder() {
    // $XDG_RUNTIME_DIR is the user's own (0700) by definition; without it, a
    // folder of tovu's in the user's cache, never a shared path.
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && isPrivate(runtime)) return runtime;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/tovu";
    QDir().mkpath(folder);
    ::chmod(QFile::encodeName(folder).constData(), S_IRWXU);
    return folder;
}

QString SingleInstance::arbiter() {
    if (QDBusConnection::sessionBus().isConnected()) return kName + QStringLiteral(" on the session bus");
    return QStringLiteral("a lock in %1 (no session bus)").arg(privateFolder());
}

std::optional<QString> SingleInstance::hand(const InstanceRequest& unstamped) {
    const InstanceRequest request = stamped(unstamped);
    // The bus when the instance is on it; the lock and the socket always
    // tell, whatever bus either process saw.
    if (QDBusConnection bus = QDBusConnection::sessionBus(); bus.isConnected()) {
        if (auto answer = handOnBus(bus, request)) return answer;
    }
    return handOnSocket(request);
}

bool SingleInstance::claim() {
    // The lock decides, bus or none, so that a start that sees no bus (from
    // ssh, say) never makes a second tovu.
    const int lock = openLock();
    if (lock < 0) return false;
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return false;
    }
    lock_ = lock;
    // The lock's holder alone makes the socket: one left behind is stale.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketPath())) qWarning("tovu: cannot listen on %s", qUtf8Printable(socketPath()));
    if (QDBusConnection bus = QDBusConnection::sessionBus(); bus.isConnected()) {
        // The object first, so that a request right after the name is served.
        bus_ = std::make_unique<ApplicationInterface>(*this);
        if (!bus.registerObject(kPath, bus_.get(), QDBusConnection::ExportAllSlots)) {
            qWarning("tovu: cannot export %s on the session bus", qUtf8Printable(kPath));
        }
        bus.interface()->registerService(kName, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    }
    // Quitting, it lets go at once: a start meanwhile becomes the next tovu.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        if (QDBusConnection bus = QDBusConnection::sessionBus(); bus.isConnected()) bus.unregisterService(kName);
        server_.close();
    });
    return true;
}

void SingleInstance::answer(QLocalSocket* peer, QByteArray& received) {
    const qsizetype end = received.indexOf('\n');
    if (end < 0 && received.size() < 64) return;  // the request line is still coming
    const QList<QByteArray> header = received.left(end).split(' ');
    QByteArray reply = "error unknown request\n";
    bool number = false;
    const qsizetype size = header.size() == 2 ? header[1].toLongLong(&number) : -1;
    if (number && size > kMaximumRequest) reply = "error the request is too large\n";
    if (number && size >= 0 && size <= kMaximumRequest) {
        if (received.size() - end - 1 < size) return;  // the rest is still coming
        // A peer that gave up waiting (this tovu was paused) was told it
        // failed: its request is not carried out behind its back.
        if (peer->state() != QLocalSocket::ConnectedState) return;
        const QJsonObject payload = QJsonDocument::fromJson(received.mid(end + 1, size)).object();
        InstanceRequest request(QString::fromUtf8(header[0]), payload.value("argument").toString(),
                                payload.value("token").toString());
        request.answerBy = payload.value(kAnswerBy).toInteger();
        const QString failure = carryOut(request);
        reply = failure.isEmpty() ? QByteArray("ok\n") : "error " + failure.toUtf8().replace('\n', ' ') + '\n';
    }
    // One request a connection: what comes after the answer is not read.
    disconnect(peer, &QLocalSocket::readyRead, nullptr, nullptr);
    received.clear();
    peer->write(reply);
    peer->flush();
    peer->disconnectFromServer();
}

QString SingleInstance::carryOut(const InstanceRequest& request) {
    if (request.answerBy != 0 && bootClockMs() > request.answerBy) {
        return QStringLiteral("the request came after its sender had given up");
    }
    return handle(request);
}

InstanceRequest ApplicationInterface::requestOf(QString action, QString argument,
                                                const QVariantMap& platformData) const {
    QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (token.isEmpty()) token = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    InstanceRequest request(std::move(action), std::move(argument), std::move(token));
    request.answerBy = platformData.value(kAnswerBy).toLongLong();
    return request;
}

void ApplicationInterface::carryOut(const InstanceRequest& request) {
    const QString failure = instance_.carryOut(request);
    if (!failure.isEmpty()) sendErrorReply(QDBusError::Failed, failure);
}

void ApplicationInterface::Activate(const QVariantMap& platformData) {
    carryOut(requestOf(QStringLiteral("activate"), {}, platformData));
}

void ApplicationInterface::Open(const QStringList& uris, const QVariantMap& platformData) {
    QStringList failures;
    for (const QString& uri : uris) {
        const QString failure = instance_.carryOut(requestOf(QStringLiteral("uri"), uri, platformData));
        if (!failure.isEmpty()) failures << failure;
    }
    if (!failures.isEmpty()) sendErrorReply(QDBusError::Failed, failures.join("; "));
}

void ApplicationInterface::ActivateAction(const QString& name, const QVariantList& parameter,
                                          const QVariantMap& platformData) {
    QString argument;
    if (!parameter.isEmpty()) {
        const QVariant first = parameter.front();
        argument =
            first.canConvert<QDBusVariant>() ? first.value<QDBusVariant>().variant().toString() : first.toString();
    }
    carryOut(requestOf(name, argument, platformData));
}
