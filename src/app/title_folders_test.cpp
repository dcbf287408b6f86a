// Folder qualifiers of documents that share a file name.
#include "app/title_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ui/headless_ui.h"

namespace recaster::app {
namespace {

using Paths = std::vector<std::string>;

TEST(TitleFoldersTest, OnlySameNamesGetTheFewestFoldersThatTellThemApart) {
    EXPECT_EQ(TitleFolders({"/a/x.cfg", "/b/y.cfg"}), (Paths{"", ""}));
    EXPECT_EQ(TitleFolders({"/a/x.cfg", "/b/x.cfg", "/b/y.cfg"}), (Paths{"a", "b", ""}));
    // Each goes as deep as it needs, not as deep as the deepest.
    EXPECT_EQ(TitleFolders({"/p/a/x.cfg", "/q/a/x.cfg", "/r/b/x.cfg"}), (Paths{"p/a", "q/a", "b"}));
    // A folder that ends another's shows whole, read as a path.
    EXPECT_EQ(TitleFolders({"/a/x.cfg", "/p/a/x.cfg"}), (Paths{"/a", "p/a"}));
    EXPECT_EQ(TitleFolders({"/x.cfg", "/a/x.cfg"}), (Paths{"/", "a"}));
    // Names are compared as the file system does.
    EXPECT_EQ(TitleFolders({"/a/X.cfg", "/b/x.cfg"}), (Paths{"", ""}));
    EXPECT_EQ(TitleFolders({"/a/./x.cfg", "/b/c/../x.cfg"}), (Paths{"a", "b"}));
}

TEST(TitleFoldersTest, RelativePathsCountFromTheCurrentFolder) {
    std::string here = std::filesystem::current_path().filename().string();
    EXPECT_EQ(TitleFolders({"x.cfg", "/somewhere/else/x.cfg"}), (Paths{here, "else"}));
}

// Qualifies the documents again whenever one changes its file, as the main
// window does.
struct Requalifier : CCfgDocumentObserver {
    std::vector<CCfgDocument*> documents;
    void PathChanged(const std::string&, bool) override { QualifyTitles(documents); }
};

TEST(TitleFoldersTest, DocumentTitlesFollowOpensAndSavesUnderAnotherName) {
    ui::HeadlessUi ui;
    CCfgDocument one(ui), two(ui);
    Requalifier requalify;
    requalify.documents = {&one, &two};
    one.AddObserver(&requalify);
    two.AddObserver(&requalify);
    one.SetPathName("/work/a/x.cfg", false);
    EXPECT_EQ(one.Title(), "x.cfg");
    two.SetPathName("/work/b/x.cfg", false);
    EXPECT_EQ(one.Title(), "x.cfg (a)");
    EXPECT_EQ(two.Title(), "x.cfg (b)");

    // A qualifier given while the path changes is not overwritten by it.
    two.SetPathName("/work/c/x.cfg", false);
    EXPECT_EQ(two.Title(), "x.cfg (c)");
    two.SetPathName("/work/c/y.cfg", false);
    EXPECT_EQ(one.Title(), "x.cfg");
    EXPECT_EQ(two.Title(), "y.cfg");
    one.RemoveObserver(&requalify);
    two.RemoveObserver(&requalify);
}

}  // namespace
}  // namespace recaster::app
