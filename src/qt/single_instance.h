// SingleInstance: one running program per user. The first start listens on a
// local socket; a later start connects, sends its message (the files it was
// asked to open) and ends, and the first one receives it.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

namespace recaster::qt {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit SingleInstance(QString channel, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands `message` to a running instance: true when one took it (this
    // start should then end), false when none is running.
    bool ForwardToRunning(const QByteArray& message, int timeoutMs = 2000) const;
    // Becomes the running instance. A socket left behind by a program that
    // crashed is removed first. False when listening failed; the program
    // then simply runs without forwarding.
    bool Listen();

    const QString& channel() const { return channel_; }

  signals:
    void messageReceived(const QByteArray& message);

  private:
    void AcceptConnection();

    QString channel_;
    QLocalServer* server_ = nullptr;
};

}  // namespace recaster::qt
