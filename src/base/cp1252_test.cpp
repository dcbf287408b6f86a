// Windows-1252 tables, UTF-8 conversion and letter casing.
#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace recaster {
namespace {

TEST(Cp1252, TableEdgesAndUndefinedBytes) {
    EXPECT_EQ(Cp1252ToCodePoint(0x7F), U'\x7F');
    EXPECT_EQ(Cp1252ToCodePoint(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToCodePoint(0x9F), U'\u0178');
    EXPECT_EQ(Cp1252ToCodePoint(0xA0), U'\u00A0');
    EXPECT_EQ(Cp1252ToCodePoint(0xFF), U'\u00FF');
    for (uint8_t b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(Cp1252ToCodePoint(b), char32_t(b));

    EXPECT_EQ(CodePointToCp1252(U'\u20AC'), 0x80);
    EXPECT_EQ(CodePointToCp1252(U'\u2122'), 0x99);
    EXPECT_EQ(CodePointToCp1252(U'\u0081'), 0x81);
    EXPECT_FALSE(CodePointToCp1252(U'\u0080'));  // C1 control, not the euro byte
    EXPECT_FALSE(CodePointToCp1252(U'\u0100'));
    EXPECT_FALSE(CodePointToCp1252(U'\U0001F600'));

    // Every byte survives a round trip through UTF-8.
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string back;
    ASSERT_TRUE(ToCp1252(Cp1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Cp1252, Utf8ConversionAndRefusals) {
    EXPECT_EQ(Cp1252ToUtf8("\x80 caf\xE9"), "\xE2\x82\xAC caf\xC3\xA9");

    std::string out = "unchanged";
    Cp1252Refusal why;
    EXPECT_FALSE(ToCp1252("ab\xD0\x96", out, &why));  // Cyrillic Zhe
    EXPECT_EQ(out, "unchanged");
    EXPECT_EQ(why.offset, 2u);
    EXPECT_EQ(why.codePoint, U'\u0416');
    EXPECT_FALSE(why.malformed);

    for (std::string_view bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF"}) {
        why = {};
        EXPECT_FALSE(ToCp1252(bad, out, &why)) << bad.size();
        EXPECT_TRUE(why.malformed);
        EXPECT_EQ(why.offset, 0u);
    }
    EXPECT_TRUE(ToCp1252("\xE2\x80\x9Cq\xE2\x80\x9D", out));
    EXPECT_EQ(out, "\x93q\x94");
}

TEST(Cp1252, LossyConversionMarksWhatTheCodePageCannotHold) {
    EXPECT_EQ(ToCp1252Lossy("plain"), "plain");
    EXPECT_EQ(ToCp1252Lossy("caf\xc3\xa9 \xe2\x82\xac"), "caf\xe9 \x80");
    // One "?" per character: a CJK character, an emoji, a stray byte.
    EXPECT_EQ(ToCp1252Lossy("\xe4\xb8\xad-\xf0\x9f\x98\x80-\xff"), "?-?-?");
}

TEST(Cp1252, CasingCoversAccentedLettersOnly) {
    EXPECT_EQ(ToUpperCp1252("abz\x9A\x9C\x9E\xFF\xE0\xFE\xF7\xDF\xB5\x83"),
              "ABZ\x8A\x8C\x8E\x9F\xC0\xDE\xF7\xDF\xB5\x83");
    EXPECT_EQ(ToLowerCp1252("ABZ\x8A\x8C\x8E\x9F\xC0\xDE\xD7[@"),
              "abz\x9A\x9C\x9E\xFF\xE0\xFE\xD7[@");
    // Casing never moves a byte that is not a letter.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(LowerCp1252(UpperCp1252(LowerCp1252(c))), LowerCp1252(c)) << b;
    }
}

TEST(Cp1252, CompareFoldsToLowerCase) {
    EXPECT_EQ(CompareNoCaseCp1252("Caf\xC9", "caf\xE9"), 0);
    EXPECT_TRUE(EqualsNoCaseCp1252("\x8A\x9F", "\x9A\xFF"));
    EXPECT_LT(CompareNoCaseCp1252("A_B", "AAB"), 0);  // '_' before letters
    EXPECT_LT(CompareNoCaseCp1252("ab", "ABC"), 0);
    EXPECT_GT(CompareNoCaseCp1252("b", "A"), 0);
    EXPECT_GT(CompareNoCaseCp1252("\xE9", "z"), 0);  // unsigned bytes
    EXPECT_FALSE(EqualsNoCaseCp1252("ab", "abc"));
}

}  // namespace
}  // namespace recaster
