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

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kName = QStringLiteral("app.tovu.tovu");
const QString kPath = QStringLiteral("/app/tovu/tovu");
const QString kInterface = QStringLiteral("org.freedesktop.Application");
constexpr int kTimeoutMs = 3000;
// A list bigger than this is no list of messages.
constexpr qsizetype kMaximumRequest = 16 * 1024 * 1024;

QString tokenOf(const QVariantMap& platformData) {
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    return token.isEmpty() ? platformData.value(QStringLiteral("desktop-startup-id")).toString() : token;
}

QVariantMap platformData(const InstanceRequest& request) {
    if (request.token.isEmpty()) return {};
    return {{QStringLiteral("activation-token"), request.token}, {QStringLiteral("desktop-startup-id"), request.token}};
}

// Imports wait for their answer: they may not be reported done unless done.
int answerTimeout(const InstanceRequest& request) { return request.action == "import" ? 30000 : kTimeoutMs; }

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
    const QDBusMessage reply = bus.call(call, QDBus::Block, answerTimeout(request));
    if (reply.type() != QDBusMessage::ErrorMessage) return QString();
    const QString error = reply.errorName();
    // No owner (yet): the lock tells whether a tovu runs.
    if (error == "org.freedesktop.DBus.Error.ServiceUnknown" || error == "org.freedesktop.DBus.Error.NameHasNoOwner") {
        return std::nullopt;
    }
    if (error == "org.freedesktop.DBus.Error.NoReply") {
        // Gone while asked (it was quitting): ask again, or become tovu.
        if (!bus.interface()->isServiceRegistered(kName).value()) return std::nullopt;
        // Paused: it keeps its name and does what was asked when it goes on.
        if (request.action != "import") return QString();
        return QStringLiteral("the running tovu did not answer; it may take the list when it goes on");
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
    if (socket.state() != QLocalSocket::ConnectedState) return QStringLiteral("the running tovu did not answer");
    const QByteArray payload = QJsonDocument(QJsonObject{{"argument", request.argument}, {"token", request.token}})
                                   .toJson(QJsonDocument::Compact);
    socket.write(request.action.toUtf8() + ' ' + QByteArray::number(payload.size()) + '\n' + payload);
    const QString silent = QStringLiteral("the running tovu did not answer");
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs)) return silent;
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
                return silent;
            }
            // Paused or slow: a request to show is taken all the same.
            return request.action == "import" ? std::optional<QString>(silent) : QString();
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

std::optional<QString> SingleInstance::hand(const InstanceRequest& request) {
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
        const QString failure = handle(
            {QString::fromUtf8(header[0]), payload.value("argument").toString(), payload.value("token").toString()});
        reply = failure.isEmpty() ? QByteArray("ok\n") : "error " + failure.toUtf8().replace('\n', ' ') + '\n';
    }
    // One request a connection: what comes after the answer is not read.
    disconnect(peer, &QLocalSocket::readyRead, nullptr, nullptr);
    received.clear();
    peer->write(reply);
    peer->flush();
    peer->disconnectFromServer();
}

void ApplicationInterface::carryOut(const InstanceRequest& request) {
    const QString failure = instance_.handle(request);
    if (!failure.isEmpty()) sendErrorReply(QDBusError::Failed, failure);
}

void ApplicationInterface::Activate(const QVariantMap& platformData) {
    carryOut({QStringLiteral("activate"), {}, tokenOf(platformData)});
}

void ApplicationInterface::Open(const QStringList& uris, const QVariantMap& platformData) {
    QStringList failures;
    for (const QString& uri : uris) {
        const QString failure = instance_.handle({QStringLiteral("uri"), uri, tokenOf(platformData)});
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
    carryOut({name, argument, tokenOf(platformData)});
}
