// Replacing a file with a new store (creating over it, saving a copy onto
// it) keeps what the user set on the file: its permission bits, its owner
// and group, a symbolic link in front of it; and refuses a file the user may
// not change, or a folder.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "store/file_permissions.h"
#include "store/store.h"
#include "store/temp_dir_test_util.h"

namespace recaster::store {
namespace {

using testing::TempDirTest;

struct stat Stat(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// A store at `path` holding one record with `value`.
void MakeStore(const std::string& path, uint8_t value) {
    Store store;
    store.Create(path);
    store.Open(path, OpenMode::ReadWrite);
    const uint8_t bytes[] = {value};
    store.Insert(Key{1, 1}, bytes);
    store.Commit();
}

uint8_t ValueIn(const std::string& path) {
    Store store;
    store.Open(path, OpenMode::ReadOnly);
    std::vector<uint8_t> value;
    EXPECT_TRUE(store.Read(Key{1, 1}, value));
    return value.empty() ? 0 : value[0];
}

class ReplaceTest : public TempDirTest {};

TEST_F(ReplaceTest, SaveAsOntoALinkReplacesTheFileBehindItAndKeepsItsModeAndOwner) {
    const std::string real = Path("real.cfg");
    const std::string link = Path("link.cfg");
    MakeStore(real, 1);
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 12345, 23456), 0);
    }
    std::filesystem::create_symlink("real.cfg", link);

    MakeStore(Path("source.cfg"), 2);
    {
        Store source;
        source.Open(Path("source.cfg"), OpenMode::ReadWrite);
        source.SaveAs(link);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ValueIn(real), 2);
    EXPECT_EQ(Stat(real).st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(Stat(real).st_uid, 12345u);
        EXPECT_EQ(Stat(real).st_gid, 23456u);
    }
    // No temporary file is left beside either.
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos);
}

TEST_F(ReplaceTest, CreatingOverAFileKeepsItsModeAndALinkToNothingGetsItsFile) {
    const std::string path = Path("over.cfg");
    MakeStore(path, 1);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    MakeStore(path, 3);
    EXPECT_EQ(ValueIn(path), 3);
    EXPECT_EQ(Stat(path).st_mode & 07777, 0604u);

    // A link whose file does not exist yet: the new file appears behind it.
    std::filesystem::create_symlink("later.cfg", Path("dangling.cfg"));
    MakeStore(Path("dangling.cfg"), 4);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("dangling.cfg")));
    EXPECT_EQ(ValueIn(Path("later.cfg")), 4);
}

TEST_F(ReplaceTest, AFolderIsNeverReplaced) {
    std::filesystem::create_directory(Path("folder.cfg"));
    try {
        MakeStore(Path("folder.cfg"), 1);
        FAIL() << "a folder was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::IsFolder);
        EXPECT_NE(e.message().find("folder"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path("folder.cfg")));
}

TEST(FilePermissionsTest, WritingFollowsTheOwnerGroupAndOtherBits) {
    const std::vector<uint32_t> groups{100, 200};
    EXPECT_TRUE(MayWrite(0644, 1000, 100, 1000, groups));   // owner, writable
    EXPECT_FALSE(MayWrite(0444, 1000, 100, 1000, groups));  // owner, read-only
    EXPECT_FALSE(MayWrite(0464, 1000, 100, 1000, groups));  // the group's bit is not the owner's
    EXPECT_TRUE(MayWrite(0464, 5, 200, 1000, groups));      // a member of the group
    EXPECT_FALSE(MayWrite(0446, 5, 200, 1000, groups));     // others' bit, but a member
    EXPECT_TRUE(MayWrite(0446, 5, 300, 1000, groups));      // neither owner nor member
    EXPECT_TRUE(MayWrite(0444, 5, 300, 0, groups));         // the superuser
}

}  // namespace
}  // namespace recaster::store
