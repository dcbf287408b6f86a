// The recent-file list's menu texts.
#include "app/recent_files.h"

#include <gtest/gtest.h>

namespace recaster::app {
namespace {

TEST(RecentFileListTest, MenuTextsNumberTheFilesAndTellSameNamesApart) {
    RecentFileList list;
    list.Add("/data/A&B.cfg");
    list.Add("/one/Same.cfg");
    list.Add("/two/Same.cfg");
    EXPECT_EQ(list.MenuText(0), "&1 /two/Same.cfg");
    EXPECT_EQ(list.MenuText(1), "&2 /one/Same.cfg");
    EXPECT_EQ(list.MenuText(2), "&3 A&&B.cfg");
    EXPECT_EQ(list.MenuText(3), "");
    list.Remove("/one/Same.cfg");
    EXPECT_EQ(list.MenuText(0), "&1 Same.cfg");
    list.Add("");
    EXPECT_EQ(list.entries().size(), 2u);
}

}  // namespace
}  // namespace recaster::app
