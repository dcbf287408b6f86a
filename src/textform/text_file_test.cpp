// Replacing a text file (export -o, import's JSON never, the lint's output)
// changes only its content: a link in front of it stays, and so do its
// permission bits and, where the user may give them, its owner and group.
#include "textform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/temp_dir_test_util.h"

namespace recaster::textform {
namespace {

class TextFileTest : public store::testing::TempDirTest {};

TEST_F(TextFileTest, ReplacingKeepsTheLinkTheModeAndTheOwner) {
    const std::string real = Path("real.json");
    const std::string link = Path("link.json");
    std::ofstream(real) << "old";
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 12345, 23456), 0);
    }
    std::filesystem::create_symlink("real.json", link);

    ReplaceTextFile(store::PosixFileSystem(), link, "new text\n");

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadTextFile(store::PosixFileSystem(), real), "new text\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 12345u);
        EXPECT_EQ(st.st_gid, 23456u);
    }
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(TextFileTest, AFolderIsRefusedAndKeptAsItIs) {
    std::filesystem::create_directory(Path("out"));
    try {
        ReplaceTextFile(store::PosixFileSystem(), Path("out"), "text");
        FAIL() << "a folder was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::IsFolder);
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path("out")));
}

}  // namespace
}  // namespace recaster::textform
