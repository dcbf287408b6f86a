// The single-instance channel over QLocalSocket / QLocalServer.
//
// Message: the bytes of the file list, then the connection is closed; the
// receiver reads until the sender disconnects (at most 64 KiB, so a
// misbehaving client cannot make the program hold unbounded data).
#include "qt/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

namespace recaster::qt {
namespace {
constexpr qint64 kMaxMessage = 64 * 1024;
}

SingleInstance::SingleInstance(QString channel, QObject* parent)
    : QObject(parent), channel_(std::move(channel)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::ForwardToRunning(const QByteArray& message, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(channel_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs) && socket.bytesToWrite() > 0) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::Listen() {
    if (server_) return true;
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(channel_)) {
        QLocalServer::removeServer(channel_);
        if (!server->listen(channel_)) {
            delete server;
            return false;
        }
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
    return true;
}

void SingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        struct State {
            QByteArray data;
            bool done = false;
        };
        auto state = std::make_shared<State>();
        auto take = [socket, state] {
            QByteArray more = socket->readAll();
            state->data.append(more.left(kMaxMessage - state->data.size()));
        };
        auto finish = [this, socket, state, take] {
            if (state->done) return;
            state->done = true;
            take();
            socket->deleteLater();
            emit messageReceived(state->data);
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        connect(socket, &QLocalSocket::disconnected, this, finish, Qt::QueuedConnection);
        // Gone before we looked: what it sent is already buffered.
        if (socket->state() == QLocalSocket::UnconnectedState)
            QMetaObject::invokeMethod(this, finish, Qt::QueuedConnection);
    }
}

}  // namespace recaster::qt
