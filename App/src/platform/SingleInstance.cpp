#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {
// A request is one line, "show" or "import SIZE" followed by SIZE bytes; the
// answer one line, "ok" or "error REASON".
constexpr char kShow[] = "show\n";
constexpr char kImport[] = "import ";
constexpr int kTimeoutMs = 2000;
// A list bigger than this is no list of messages.
constexpr qsizetype kMaximumImport = 16 * 1024 * 1024;

// Nothing when no instance listens. Once one has been reached, any failure
// is an answer of its own: the request may have arrived.
std::optional<QByteArray> ask(const QByteArray& request, int answerTimeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::socketName());
    if (!socket.waitForConnected(kTimeoutMs)) return std::nullopt;
    const QByteArray silent = "error the running tovu did not answer";
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kTimeoutMs)) return silent;
    }
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (!socket.waitForReadyRead(answerTimeoutMs)) return silent;
        reply += socket.readAll();
    }
    return reply.left(reply.indexOf('\n'));
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

void SingleInstance::answer(QLocalSocket* peer, QByteArray& received) {
    const qsizetype end = received.indexOf('\n');
    if (end < 0 && received.size() < 64) return;  // the request line is still coming
    const QByteArray line = received.left(end);
    QByteArray reply = "error unknown request\n";
    // One request a connection: what comes after the answer is not read.
    const auto done = [peer] { disconnect(peer, &QLocalSocket::readyRead, nullptr, nullptr); };
    if (received.startsWith(kShow)) {
        reply = "ok\n";
        emit showRequested();
    } else if (line.startsWith(kImport)) {
        bool number = false;
        const qsizetype size = line.mid(qsizetype(sizeof kImport) - 1).toLongLong(&number);
        if (number && size > kMaximumImport) reply = "error the list is too large\n";
        if (number && size >= 0 && size <= kMaximumImport) {
            if (received.size() - end - 1 < size) return;  // the list is still coming
            done();
            const QString failure = takeMessages(received.mid(end + 1, size));
            reply = failure.isEmpty() ? QByteArray("ok\n") : "error " + failure.toUtf8().replace('\n', ' ') + '\n';
        }
    }
    done();
    received.clear();
    peer->write(reply);
    peer->flush();
    peer->disconnectFromServer();
}

QString SingleInstance::socketName() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return runtime + "/tovu.socket";
}

bool SingleInstance::askRunningToShow() {
    return ask(kShow, kTimeoutMs).has_value();  // reached: it shows, or cannot
}

std::optional<QString> SingleInstance::handToRunning(const QByteArray& messages) {
    // Saving a long list on a slow disk may take a while.
    const auto reply = ask(kImport + QByteArray::number(messages.size()) + '\n' + messages, 30000);
    if (!reply) return std::nullopt;
    if (*reply == "ok") return QString();
    return QString::fromUtf8(reply->startsWith("error ") ? reply->mid(6) : *reply);
}

bool SingleInstance::listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(socketName())) return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;
    // Someone's socket is there: remove it only when nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(socketName());
    if (probe.waitForConnected(kTimeoutMs)) return false;
    QLocalServer::removeServer(socketName());
    return server_.listen(socketName());
}
