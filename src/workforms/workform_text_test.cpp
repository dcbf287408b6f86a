#include "workforms/workform_text.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "workforms/workform_test_util.h"

namespace recaster::workforms {
namespace {

std::string FullText(const std::string& header, int skip = 0) {
    std::string text = header;
    for (int n = 1; n <= kFieldCount; ++n)
        if (n != skip)
            text += (n < 10 ? "0" : "") + std::to_string(n) + ": Field " + std::to_string(n) + "\n";
    return text;
}

TEST(WorkformText, ParsesLettersNamesAndUnusedFields) {
    std::string text =
        "# comment\n\nLetter: C\r\nName:  Caf\xC3\xA9 Menu \n" + FullText("", 7) + "07: ---\n";
    const WorkformFile form = ParseWorkformText(text, "c.txt");
    EXPECT_EQ(form.id, 2);
    EXPECT_EQ(form.name, "Caf\xE9 Menu");  // stored in Windows-1252
    EXPECT_FALSE(form.defined_fields.Contains(7));
    EXPECT_EQ(form.field_names[6], "---");
    EXPECT_TRUE(form.defined_fields.Contains(45));
    EXPECT_EQ(form.field_names[44], "Field 45");

    const WorkformFile again = ParseWorkformText(FormatWorkformText(form), "again");
    EXPECT_EQ(again.name, form.name);
    EXPECT_EQ(again.field_names, form.field_names);
    EXPECT_EQ(again.defined_fields, form.defined_fields);
}

TEST(WorkformText, RefusesIncompleteOrMalformedText) {
    const std::string head = "Letter: A\nName: N\n";
    EXPECT_THROW(ParseWorkformText(FullText(head, 30), "x"), ArchiveError);  // missing field
    EXPECT_THROW(ParseWorkformText(FullText(head) + "03: again\n", "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText(head) + "46: extra\n", "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText("Letter: U\nName: N\n"), "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText("Name: N\n"), "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText("Letter: A\n"), "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText(head) + "no colon\n", "x"), ArchiveError);
    EXPECT_THROW(ParseWorkformText(FullText("Letter: A\nName: \xE2\x82\xAC\xE4\xB8\x80\n"), "x"),
                 ArchiveError);  // a character Windows-1252 lacks
    EXPECT_NO_THROW(ParseWorkformText(FullText(head), "x"));
}

}  // namespace
}  // namespace recaster::workforms
