#include "resources/strings.h"

#include <gtest/gtest.h>

namespace recaster::resources {
namespace {

TEST(StringsTest, LooksUpTextsByNumber) {
    EXPECT_EQ(LoadString(80), "Default");
    EXPECT_EQ(LoadString(81), "Default Database Definition");
    EXPECT_EQ(LoadString(96 + 4), "Parsed with Subfields");
    EXPECT_EQ(LoadString(112 + 6), "<CODEN>");
    EXPECT_EQ(LoadString(119 + 6), "CODEN");
    EXPECT_EQ(LoadString(4093), "Default");
    EXPECT_EQ(LoadString(4094 + 5), "Smart Conversion");
    EXPECT_EQ(LoadString(4100 + 7), "Smith J S");
    EXPECT_EQ(LoadString(4108 + 0), "Smith,-Joseph-S.");
    EXPECT_EQ(LoadString(4108 + 7), "Smith-J-S");
    EXPECT_EQ(LoadString(-1), "");
    EXPECT_EQ(LoadString(99999), "");
}

TEST(StringsTest, FillsBothPlaceholdersOnce) {
    EXPECT_EQ(FillPlaceholders("'%1' and '%2', again %1", "a", "b"), "'a' and 'b', again a");
    // A value that holds a placeholder is not filled again.
    EXPECT_EQ(FillPlaceholders("%1-%2", "%2", "x"), "%2-x");
    // Other percent sequences, and a percent at the end, stay.
    EXPECT_EQ(FillPlaceholders("100%% %3 %", "a"), "100%% %3 %");
    EXPECT_EQ(FormatString(80), "Default");
}

}  // namespace
}  // namespace recaster::resources
