// The single-instance channel: one per user, display and settings folder, in
// the runtime folder; and its lock, which a live owner holds and a dead one
// gives up.
#include "app/instance_channel.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "app/instance_lock.h"

namespace recaster::app {
namespace {

InstanceEnvironment Session() {
    InstanceEnvironment env;
    env.runtimeDir = "/run/user/1000";
    env.tempDir = "/tmp";
    env.x11Display = ":0";
    env.settingsFolder = "/home/u/.config";
    env.userId = 1000;
    return env;
}

TEST(InstanceChannelTest, OneChannelPerUserDisplayAndSettingsFolder) {
    const InstanceEnvironment base = Session();
    const std::string path = InstanceChannelPath(base);
    EXPECT_EQ(path.rfind("/run/user/1000/recaster-1000-_0-", 0), 0u) << path;
    EXPECT_EQ(InstanceLockPath(path), path + ".lock");

    // The same session: another screen of the display, the settings folder
    // spelled with a final "/", a different temporary folder.
    InstanceEnvironment same = base;
    same.x11Display = ":0.1";
    same.settingsFolder = "/home/u/.config/";
    same.tempDir = "/var/tmp";
    EXPECT_EQ(InstanceChannelPath(same), path);

    // Each of these runs its own program.
    std::vector<InstanceEnvironment> others(6, base);
    others[0].x11Display = ":1";
    others[1].x11Display = "localhost:10.0";
    others[2].waylandDisplay = "wayland-0";  // an X display beside it is its helper
    others[3].settingsFolder = "/home/u/other-settings";
    others[4].userId = 1001;
    others[5].runtimeDir = "/run/user/1000/elsewhere";
    for (const InstanceEnvironment& env : others) {
        EXPECT_NE(InstanceChannelPath(env), path) << InstanceChannelPath(env);
    }
    EXPECT_EQ(DisplayKey(others[2]), "wayland-0");
    EXPECT_EQ(DisplayKey(others[1]), "localhost:10");
    InstanceEnvironment none = base;
    none.x11Display.clear();
    EXPECT_EQ(DisplayKey(none), "none");
    // A Wayland display named like an X one is still another display.
    InstanceEnvironment lookalike = base;
    lookalike.waylandDisplay = ":0";
    EXPECT_NE(InstanceChannelPath(lookalike), path);
}

TEST(InstanceChannelTest, TemporaryFolderOnlyWithoutRuntimeFolderAndPathsFitASocket) {
    InstanceEnvironment env = Session();
    env.runtimeDir.clear();
    EXPECT_EQ(InstanceChannelPath(env).rfind("/tmp/recaster-1000-", 0), 0u);

    // Long display names and settings folders do not make the path longer
    // than a socket address takes (107 bytes), nor put a "/" in the name.
    env.runtimeDir = "/run/user/4294967294";
    env.userId = 4294967294u;
    env.waylandDisplay = "/run/user/4294967294/a-very-long-wayland-socket-name-indeed";
    env.settingsFolder = std::string(300, 'x');
    const std::string path = InstanceChannelPath(env);
    EXPECT_LE(InstanceLockPath(path).size(), 107u) << path;
    EXPECT_EQ(path.find('/', env.runtimeDir.size() + 1), std::string::npos) << path;
}

class InstanceLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/instance-lock-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_;
};

TEST_F(InstanceLockTest, OneOwnerAtATimeAndTheLockGoesWithTheOwner) {
    const std::string path = dir_ + "/channel.lock";
    InstanceLock first(path);
    InstanceLock second(path);
    EXPECT_EQ(first.TryTake(), InstanceLock::State::Taken);
    EXPECT_EQ(first.TryTake(), InstanceLock::State::Taken);  // asking again keeps it
    EXPECT_EQ(second.TryTake(), InstanceLock::State::HeldByAnother);
    first.Release();
    EXPECT_EQ(second.TryTake(), InstanceLock::State::Taken);
    second.Release();

    // An owner in another process holds it while it lives and loses it when
    // it dies without cleaning up.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock owner(path);
        char ok = owner.TryTake() == InstanceLock::State::Taken ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    InstanceLock third(path);
    EXPECT_EQ(third.TryTake(), InstanceLock::State::HeldByAnother);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(third.TryTake(), InstanceLock::State::Taken);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(InstanceLockTest, AFileThatCannotBeMadeOrIsALinkFailsWithTheReason) {
    InstanceLock missingFolder(dir_ + "/no/such/folder/channel.lock");
    EXPECT_EQ(missingFolder.TryTake(), InstanceLock::State::Failed);
    EXPECT_FALSE(missingFolder.error().empty());
    EXPECT_FALSE(missingFolder.held());

    // Someone put a link where the lock goes: it is not followed.
    std::filesystem::create_symlink(dir_ + "/target", dir_ + "/link.lock");
    InstanceLock link(dir_ + "/link.lock");
    EXPECT_EQ(link.TryTake(), InstanceLock::State::Failed);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/target"));
}

}  // namespace
}  // namespace recaster::app
