// Helpers of the Qt tests: waiting for a condition while events run, acting
// on the modal window that a command opens, private settings folders, and
// screenshots for people to look at.
#pragma once

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#ifndef RECASTER_SCREENSHOT_DIR
#define RECASTER_SCREENSHOT_DIR "screenshots"
#endif

namespace recaster::qt::testing {

// Runs events until `condition` holds or `timeoutMs` passed; its last value.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Once a modal window is up (opened by what the caller runs next), calls
// `act` with it. The check repeats until the window is there.
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// Writes `widget`'s picture to <name>.png in the build folder's
// screenshots/ ($RECASTER_SCREENSHOT_DIR when set). Returns the path, empty
// when nothing was written.
inline QString Screenshot(QWidget* widget, const QString& name) {
    QString dir = qEnvironmentVariable("RECASTER_SCREENSHOT_DIR");
    if (dir.isEmpty()) dir = QString::fromUtf8(RECASTER_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    QString path = QDir(dir).absoluteFilePath(name + QStringLiteral(".png"));
    return widget->grab().save(path) ? path : QString();
}

}  // namespace recaster::qt::testing
