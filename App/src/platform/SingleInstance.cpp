#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
constexpr char kShow[] = "show\n";
constexpr int kTimeoutMs = 2000;
}  // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
                if (peer->readAll().startsWith(kShow)) {
                    peer->write("ok\n");
                    peer->flush();
                    emit showRequested();
                }
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
}

QString SingleInstance::socketName() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return runtime + "/tovu.socket";
}

bool SingleInstance::askRunningToShow() {
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    socket.write(kShow);
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    return socket.waitForReadyRead(kTimeoutMs) && socket.readAll().startsWith("ok");
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
