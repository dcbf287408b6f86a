// Replacing a text file (export -o, import's JSON never, the lint's output)
// changes only its content: a link in front of it stays, and so do its
// permission bits and, where the user may give them, its owner and group.
#include "textform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/temp_dir_test_util.h"

namespace recaster::textform {
namespace {

class TextFileTest : public store::testing::TempDirTest {};

TEST_F(TextFileTest, ReplacingKeepsTheLinkTheModeAndTheOwner) {
    MakeLinkedFile("real.json", "link.json", "old");

    ReplaceTextFile(store::PosixFileSystem(), Path("link.json"), "new text\n");

    EXPECT_EQ(ReadTextFile(store::PosixFileSystem(), Path("real.json")), "new text\n");
    ExpectLinkedFileKept("real.json", "link.json");
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
