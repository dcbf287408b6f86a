// INI text parsing and in-place editing.
#include "base/ini_document.h"

#include <gtest/gtest.h>

namespace recaster {
namespace {

TEST(IniDocument, ReadsSectionsKeysAndQuotesIgnoringCase) {
    const IniDocument doc(
        "; leading comment\r\n"
        "[Directories]\r\n"
        "Workform File Path = /srv/forms \r\n"
        "garbage line\n"
        "[ application options ]\n"
        "Quoted=\" padded \"\n"
        "Empty=\n"
        "Eq=a=b\n"
        "[directories]\n"
        "workform file path=/second\n"
        "Other=x\n");
    EXPECT_EQ(doc.Get("DIRECTORIES", "workform FILE path"), "/srv/forms");
    EXPECT_EQ(doc.Get("Application Options", "quoted"), " padded ");
    EXPECT_EQ(doc.Get("Application Options", "Empty"), "");
    EXPECT_EQ(doc.Get("Application Options", "Eq"), "a=b");
    EXPECT_EQ(doc.Get("Directories", "Other"), "x");  // repeated section still searched
    EXPECT_FALSE(doc.Get("Directories", "Quoted"));
    EXPECT_FALSE(doc.Get("Missing", "Other"));
}

TEST(IniDocument, SetKeepsOtherLinesAndPlacesNewKeysInTheirSection) {
    IniDocument doc(
        "; keep me\n"
        "[A]\n"
        "x=1\n"
        "odd line\n"
        "\n"
        "[B]\n"
        "y=2\n");
    EXPECT_TRUE(doc.Set("a", "X", "10"));
    EXPECT_TRUE(doc.Set("A", "z", "3"));
    EXPECT_TRUE(doc.Set("C", "w", "4"));
    EXPECT_EQ(doc.Text(), "; keep me\n[A]\nX=10\nodd line\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");

    // Values read back exactly, whatever their spaces and quotes.
    for (std::string_view v : {" lead", "trail\t", "\"quoted\"", "\"", "a \" b", "", "\xE9t\xE9"}) {
        ASSERT_TRUE(doc.Set("B", "v", v));
        EXPECT_EQ(IniDocument(doc.Text()).Get("B", "v"), std::string(v));
    }
}

TEST(IniDocument, RefusesWhatCannotBeOneLine) {
    IniDocument doc("[A]\nx=1\n");
    EXPECT_FALSE(doc.Set("A", "x", "two\nlines"));
    EXPECT_FALSE(doc.Set("A", "x", std::string_view("nul\0", 4)));
    EXPECT_FALSE(doc.Set("A", "k=v", "1"));
    EXPECT_FALSE(doc.Set("A", "[k", "1"));
    EXPECT_FALSE(doc.Set("A", ";k", "1"));
    EXPECT_FALSE(doc.Set("A]", "k", "1"));
    EXPECT_FALSE(doc.Set(" ", "k", "1"));
    EXPECT_EQ(doc.Text(), "[A]\nx=1\n");
}

}  // namespace
}  // namespace recaster
