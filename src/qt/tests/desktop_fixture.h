// The fixture of the desktop tests of start-up, file folders and window
// titles: a folder, settings and single-instance channel of the test's own,
// copies of the sample configuration, a second start of the real program,
// and a watcher that answers every message box and keeps what it said.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "qt/tests/qt_test_util.h"

namespace recaster::qt::testing {

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        channel_ = QStringLiteral("recaster-desk-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    QString Path(const QString& relative) const { return dir_.filePath(relative); }

    // A copy of the sample configuration at `relative`; its full path.
    QString Sample(const QString& relative) {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(
            QFile::copy(QCoreApplication::applicationDirPath() + "/Config/Sample.cfg", path));
        return path;
    }

    // The program started again in the test's folder, as a user would; its
    // exit code once it has ended.
    int SecondStart(const QStringList& args) {
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("RECASTER_INSTANCE_CHANNEL", channel_);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(dir_.path());
        second.start(QCoreApplication::applicationDirPath() + "/recaster", args);
        EXPECT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
        return second.exitCode();
    }

    QTemporaryDir dir_;
    QString channel_;
};

// While it lives, closes every message box that comes up with OK and keeps
// its text.
class MessageBoxes {
  public:
    MessageBoxes() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            texts.append(box->findChild<QLabel*>("qt_msgbox_label")->text());
            box->close();
        });
        timer_.start();
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// Chooses `path` in the file dialog `w` and accepts it, as OK would.
// selectFile drops the list's selection (which would win over the typed
// name) but leaves the name field alone while it has the focus.
inline void ChooseFile(QWidget* w, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    dialog->selectFile(path);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
}

// The title as the window shows it: "[*]" is "*" while it is modified.
inline QString Shown(const QWidget* w) {
    QString title = w->windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         w->isWindowModified() ? QStringLiteral("*") : QString());
}

}  // namespace recaster::qt::testing
