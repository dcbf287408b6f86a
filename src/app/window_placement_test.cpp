// The placement text: writing, reading with and without blanks, refusals,
// the minimised rules, and the round trip through the settings file.
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace recaster::app {
namespace {

TEST(WindowPlacementTest, TextIsTenNumbersWithOptionalBlanksAfterCommas) {
    WindowPlacement p;
    p.flags = 2;
    p.showCommand = kShowMaximized;
    p.minX = -1;
    p.minY = -1;
    p.maxX = -4;
    p.maxY = -4;
    p.left = 22;
    p.top = 29;
    p.right = 1302;
    p.bottom = 829;
    EXPECT_EQ(FormatPlacement(p), "2,3,-1,-1,-4,-4,22,29,1302,829");

    auto parsed = ParsePlacement("2, 3, -1,-1,  -4, -4, 22, 29, 1302, 829");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->length, 44u);
    EXPECT_EQ(parsed->flags, 0u);  // cleared
    EXPECT_EQ(parsed->showCommand, kShowMaximized);
    EXPECT_EQ(parsed->maxX, -4);
    EXPECT_EQ(parsed->bottom, 829);

    EXPECT_FALSE(ParsePlacement(""));
    EXPECT_FALSE(ParsePlacement("0,1,-1,-1,-1,-1,10,10,500"));  // 9 numbers
    EXPECT_FALSE(ParsePlacement("0,1,-1,-1,-1,-1,10,10,500,400,7"));
    EXPECT_FALSE(ParsePlacement("0 ,1,-1,-1,-1,-1,10,10,500,400"));  // blank before a comma
    EXPECT_FALSE(ParsePlacement("0,1,-1,-1,-1,-1,10,10,500,4x0"));
    EXPECT_FALSE(ParsePlacement("-1,1,-1,-1,-1,-1,10,10,500,400"));  // flags are unsigned
    EXPECT_FALSE(ParsePlacement("0,1,-1,-1,-1,-1,10,10,500,99999999999"));
}

TEST(WindowPlacementTest, MinimisedComesBackNormalOrMaximisedByTheRestoreFlag) {
    EXPECT_EQ(ParsePlacement("2,2,0,0,0,0,1,2,3,4")->showCommand, kShowMaximized);
    EXPECT_EQ(ParsePlacement("3,2,0,0,0,0,1,2,3,4")->showCommand, kShowMaximized);
    EXPECT_EQ(ParsePlacement("0,2,0,0,0,0,1,2,3,4")->showCommand, kShowNormal);
    EXPECT_EQ(ParsePlacement("1,2,0,0,0,0,1,2,3,4")->showCommand, kShowNormal);
    // Other show commands stay as stored.
    EXPECT_EQ(ParsePlacement("2,1,0,0,0,0,1,2,3,4")->showCommand, kShowNormal);
    EXPECT_EQ(ParsePlacement("0,3,0,0,0,0,1,2,3,4")->showCommand, kShowMaximized);
}

TEST(WindowPlacementTest, RoundTripsThroughTheSettingsFile) {
    std::filesystem::path home = std::filesystem::path(::testing::TempDir()) / "placement_home";
    std::filesystem::remove_all(home);
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    SettingsKeyHelper settings = AppSettings();
    EXPECT_EQ(settings.FilePath(), (home / "Marrowfield" / "Recaster II.ini").string());
    EXPECT_FALSE(ReadPlacement(settings, kAppOptionsSection));

    WindowPlacement p;
    p.showCommand = kShowNormal;
    p.left = 10;
    p.top = 20;
    p.right = 810;
    p.bottom = 620;
    WritePlacement(settings, kAppOptionsSection, p);
    EXPECT_EQ(settings.ReadText(kAppOptionsSection, kPlacementValue), "0,1,0,0,0,0,10,20,810,620");
    EXPECT_EQ(ReadPlacement(settings, kAppOptionsSection), p);

    settings.WriteText(kAppOptionsSection, kPlacementValue, "1,2,3");
    EXPECT_FALSE(ReadPlacement(settings, kAppOptionsSection));
    std::filesystem::remove_all(home);
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace recaster::app
