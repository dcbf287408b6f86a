// The single-instance channel over QLocalSocket / QLocalServer, with the
// owner's lock beside the socket.
//
// Message: the bytes of the file list, then the connection is closed; the
// receiver reads until the sender disconnects (at most 64 KiB, so a
// misbehaving client cannot make the program hold unbounded data).
#include "qt/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <memory>

#include "app/instance_lock.h"
#include "qt/qt_text.h"

namespace recaster::qt {
namespace {
constexpr qint64 kMaxMessage = 64 * 1024;
constexpr int kRetryPauseMs = 100;

QString FullPath(const QString& channel) {
    return QDir::isAbsolutePath(channel) ? channel : QDir::temp().filePath(channel);
}
}  // namespace

SingleInstance::SingleInstance(QString channel, QObject* parent)
    : QObject(parent),
      channel_(FullPath(channel)),
      lock_(std::make_unique<app::InstanceLock>(ToPath(channel_) + ".lock")) {}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock: whoever takes the lock next finds
    // no live socket.
    delete server_;
    server_ = nullptr;
    lock_->Release();
}

SingleInstance::Role SingleInstance::Start(const QByteArray& message, int waitForOwnerMs) {
    if (server_) return Role::Owner;
    problem_.clear();
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (ForwardToRunning(message)) return Role::Forwarded;
        switch (lock_->TryTake()) {
            case app::InstanceLock::State::Taken:
                return Listen() ? Role::Owner : Role::Alone;
            case app::InstanceLock::State::Failed:
                problem_ = tr("The lock file %1 cannot be used: %2.")
                               .arg(FromPath(lock_->path()), FromPath(lock_->error()));
                return Role::Alone;
            case app::InstanceLock::State::HeldByAnother:
                break;
        }
        // A live owner that is not listening yet, or does not answer.
        if (waited.elapsed() >= waitForOwnerMs) {
            problem_ = tr("Recaster II is already running here but does not answer.");
            return Role::Alone;
        }
        QThread::msleep(kRetryPauseMs);
    }
}

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
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket still there was left by a program that
    // died: it is ours to replace.
    QLocalServer::removeServer(channel_);
    if (!server->listen(channel_)) {
        problem_ = tr("The channel %1 cannot be opened: %2.").arg(channel_, server->errorString());
        lock_->Release();
        return false;
    }
    server_ = server.release();
    server_->setParent(this);
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
