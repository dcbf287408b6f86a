// SingleInstance: one running program per channel (per user, display and
// settings folder; see app/instance_channel.h). The first start owns the
// channel: it holds the channel's lock and listens on its local socket. A
// later start connects, sends its message (the files it was asked to open)
// and ends, and the owner receives it.
//
// A live owner's socket is never removed by another start; one left by a
// program that died is taken over. When the channel cannot be had (the
// socket cannot listen, the lock cannot be made, or a running owner does not
// answer) the program runs on by itself and says why.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace recaster::app {
class InstanceLock;
}

namespace recaster::qt {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // `channel`: the socket's full path (a bare name is taken to be in the
    // temporary folder).
    explicit SingleInstance(QString channel, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role {
        Forwarded,  // a running program took the message: this start should end
        Owner,      // this program owns the channel and receives messages
        Alone,      // this program runs without the channel; see problem()
    };
    // Forwards `message` to the owner, or becomes the owner. While another
    // live program holds the channel but does not take the message (it may
    // still be starting), tries again for up to `waitForOwnerMs`.
    Role Start(const QByteArray& message, int waitForOwnerMs = 5000);

    // Hands `message` to a running owner: true when one took it.
    bool ForwardToRunning(const QByteArray& message, int timeoutMs = 2000) const;

    const QString& channel() const { return channel_; }
    // For Role::Alone: what went wrong, in a sentence for the user.
    const QString& problem() const { return problem_; }

  signals:
    void messageReceived(const QByteArray& message);

  private:
    bool Listen();
    void AcceptConnection();

    QString channel_;
    QString problem_;
    std::unique_ptr<app::InstanceLock> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace recaster::qt
