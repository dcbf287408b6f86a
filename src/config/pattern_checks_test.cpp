// The pattern checks: doubled specials with and without an escape, the
// positions that are examined, and the tag format's checks in their order.
#include "config/pattern_checks.h"

#include <gtest/gtest.h>

namespace recaster::config {
namespace {

TEST(PatternChecksTest, DoubledSpecialsAreFoundUnlessTheFirstIsEscaped) {
    EXPECT_EQ(DoubledCharacter("AB**C", kRecordPatternSpecials), '*');
    EXPECT_EQ(DoubledCharacter("AB\\**C", kRecordPatternSpecials), std::nullopt);
    EXPECT_EQ(DoubledCharacter("PT  -", kRecordPatternSpecials), ' ');
    EXPECT_EQ(DoubledCharacter("##", kRecordPatternSpecials), '#');
    EXPECT_EQ(DoubledCharacter("##", kIgnoredLineSpecials), std::nullopt);
    EXPECT_EQ(DoubledCharacter("AA", kRecordPatternSpecials), std::nullopt);  // not special
    // The last two positions are examined; a single special at the end is not.
    EXPECT_EQ(DoubledCharacter("abc**", kRecordPatternSpecials), '*');
    EXPECT_EQ(DoubledCharacter("abc*", kRecordPatternSpecials), std::nullopt);
    EXPECT_EQ(DoubledCharacter("", kRecordPatternSpecials), std::nullopt);
    // One backslash escapes one character: in "\\**" the second backslash
    // escapes the first asterisk, so nothing is doubled there.
    EXPECT_EQ(DoubledCharacter("\\\\**", kRecordPatternSpecials), std::nullopt);
    // The first doubled special from the left is reported.
    EXPECT_EQ(DoubledCharacter("a  b**", kRecordPatternSpecials), ' ');
}

TEST(PatternChecksTest, TagFormatSpacesCountOnlyWithTextAfterTheTagOrACrFollowing) {
    EXPECT_EQ(TagFormatSpecials("$  ", false), "*");
    EXPECT_EQ(TagFormatSpecials("$  ", true), "* ");
    EXPECT_EQ(TagFormatSpecials("$ -", false), "* ");
    EXPECT_EQ(TagFormatSpecials("\\$ x $", false), "*");  // the escaped "$" is no tag
    EXPECT_TRUE(CheckTagFormat("  $  ", false).ok());
    EXPECT_EQ(CheckTagFormat("  $  ", true).problem, TagFormatProblem::DoubledCharacter);
    EXPECT_EQ(CheckTagFormat("$  - ", false).doubled, ' ');
    EXPECT_TRUE(CheckTagFormat("##$", false).ok());  // "#" is not special in a tag format
}

TEST(PatternChecksTest, TagFormatChecksRunInTheirOrder) {
    EXPECT_EQ(CheckTagFormat(std::string(65, '$'), false).problem, TagFormatProblem::TooLong);
    EXPECT_TRUE(CheckTagFormat(std::string(63, 'A') + "$", false).ok());
    EXPECT_EQ(CheckTagFormat("", false).problem, TagFormatProblem::Empty);
    EXPECT_EQ(CheckTagFormat("$-$", false).problem, TagFormatProblem::SecondTagPosition);
    EXPECT_EQ(CheckTagFormat("$**$", false).problem, TagFormatProblem::SecondTagPosition);
    EXPECT_EQ(CheckTagFormat("\\$-", false).problem, TagFormatProblem::NoTagPosition);
    EXPECT_TRUE(CheckTagFormat("\\$-$", false).ok());
    EXPECT_EQ(CheckTagFormat("$**", false).problem, TagFormatProblem::DoubledCharacter);
    EXPECT_EQ(CheckTagFormat("$**", false).doubled, '*');
}

}  // namespace
}  // namespace recaster::config
