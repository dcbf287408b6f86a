// The single-instance channel: a second start hands over its message; a
// socket left by a dead program is taken over; a live owner's socket is never
// removed by another start; and a channel that cannot be had leaves the
// program running by itself, with a reason, and the user is told.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cstring>
#include <vector>

#include "app/instance_lock.h"
#include "qt/application.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/single_instance.h"
#include "qt/tests/qt_test_util.h"

namespace recaster::qt {
namespace {

using testing::WaitFor;
using testing::WhenModal;

// A socket file that nobody listens on: what a program that crashed leaves.
void LeaveDeadSocket(const QString& path) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string p = ToPath(path);
    std::memcpy(addr.sun_path, p.c_str(), p.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
}

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Channel() const { return dir_.filePath(QStringLiteral("channel")); }
    QTemporaryDir dir_;
};

TEST_F(SingleInstanceTest, ASecondStartHandsOverItsMessageAndDifferentChannelsDoNotMeet) {
    SingleInstance owner(Channel());
    ASSERT_EQ(owner.Start("ignored"), SingleInstance::Role::Owner) << owner.problem().toStdString();
    std::vector<QByteArray> received;
    QObject::connect(&owner, &SingleInstance::messageReceived,
                     [&](const QByteArray& m) { received.push_back(m); });

    SingleInstance second(Channel());
    EXPECT_EQ(second.Start("/data/A.cfg\n"), SingleInstance::Role::Forwarded);
    ASSERT_TRUE(WaitFor([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0], "/data/A.cfg\n");

    // Another display or settings folder: another channel, another owner.
    SingleInstance elsewhere(dir_.filePath(QStringLiteral("other-channel")));
    EXPECT_EQ(elsewhere.Start("x"), SingleInstance::Role::Owner);
}

TEST_F(SingleInstanceTest, TheChannelOfAProgramThatDiedIsTakenOver) {
    LeaveDeadSocket(Channel());
    QFile(Channel() + ".lock").open(QIODevice::WriteOnly);  // its lock file stays too
    SingleInstance owner(Channel());
    ASSERT_EQ(owner.Start("x", 300), SingleInstance::Role::Owner) << owner.problem().toStdString();
    SingleInstance second(Channel());
    EXPECT_EQ(second.Start("y"), SingleInstance::Role::Forwarded);

    // When an owner ends, the next start owns its channel.
    const QString other = dir_.filePath(QStringLiteral("other"));
    {
        SingleInstance gone(other);
        ASSERT_EQ(gone.Start("z"), SingleInstance::Role::Owner);
    }
    SingleInstance next(other);
    EXPECT_EQ(next.Start("z", 300), SingleInstance::Role::Owner);
}

TEST_F(SingleInstanceTest, ALiveOwnerThatDoesNotAnswerKeepsItsChannel) {
    // A live program holds the lock; its socket takes no connections.
    app::InstanceLock live(ToPath(Channel()) + ".lock");
    ASSERT_EQ(live.TryTake(), app::InstanceLock::State::Taken);
    LeaveDeadSocket(Channel());

    SingleInstance second(Channel());
    EXPECT_EQ(second.Start("x", 300), SingleInstance::Role::Alone);
    EXPECT_TRUE(second.problem().contains("does not answer")) << second.problem().toStdString();
    EXPECT_TRUE(QFile::exists(Channel())) << "the live owner's socket was removed";
    EXPECT_TRUE(live.held());
}

TEST_F(SingleInstanceTest, AChannelThatCannotBeHadLeavesTheProgramRunningAlone) {
    SingleInstance nowhere(dir_.filePath(QStringLiteral("no/such/folder/channel")));
    EXPECT_EQ(nowhere.Start("x", 300), SingleInstance::Role::Alone);
    EXPECT_TRUE(nowhere.problem().contains("no/such/folder")) << nowhere.problem().toStdString();

    // The lock can be had but the socket cannot listen: a folder in its way.
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("blocked")));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("blocked/channel")));
    SingleInstance blocked(dir_.filePath(QStringLiteral("blocked/channel")));
    EXPECT_EQ(blocked.Start("x", 300), SingleInstance::Role::Alone);
    EXPECT_FALSE(blocked.problem().isEmpty());
    // It let go of the lock, so a later start may try again.
    app::InstanceLock after(ToPath(dir_.filePath(QStringLiteral("blocked/channel.lock"))));
    EXPECT_EQ(after.TryTake(), app::InstanceLock::State::Taken);
}

TEST_F(SingleInstanceTest, TheProgramTellsWhyItRunsAloneAndStartsAnyway) {
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
    Application application(dir_.filePath(QStringLiteral("no/such/folder/channel")));
    QString told;
    WhenModal([&](QWidget* box) {
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            told = label->text();
        box->close();
        // Then the Open dialog of a plain start, which this user cancels.
        WhenModal([](QWidget* dialog) { dialog->close(); });
    });
    EXPECT_EQ(application.Start({}), Application::StartResult::Running);
    EXPECT_TRUE(told.contains(QStringLiteral("runs on"))) << told.toStdString();
    ASSERT_NE(application.mainWindow(), nullptr);
    EXPECT_TRUE(application.mainWindow()->isVisible());
}

}  // namespace
}  // namespace recaster::qt
