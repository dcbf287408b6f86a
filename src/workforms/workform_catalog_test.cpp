#include "workforms/workform_catalog.h"

#include <gtest/gtest.h>

#include "workforms/default_workform.h"
#include "workforms/workform_test_util.h"

namespace recaster::workforms {
namespace {

using testing::MakeForm;

// A workform that uses exactly the fields listed.
WorkformFile FormUsing(WorkformId id, std::initializer_list<int> fields) {
    WorkformFile form = MakeForm(id, "Form " + std::to_string(id));
    form.defined_fields.Clear();
    for (int n : fields) form.defined_fields.Add(n);
    return form;
}

TEST(WorkformCatalog, EmptyCatalogAnswersWithTheDefaultWorkform) {
    const WorkformCatalog catalog;
    EXPECT_EQ(catalog.Count(), 0);
    EXPECT_EQ(catalog.NameOf(0), "<Default>");
    EXPECT_EQ(catalog.NameAt(0), "<Default>");
    EXPECT_EQ(catalog.IdAt(-1), kNoWorkform);
    EXPECT_EQ(catalog.FieldName(3, 10), "Journal Title");
    EXPECT_EQ(catalog.FieldName(3, 1), "Author, Analytic");
    EXPECT_EQ(catalog.FieldName(3, 45), "Keywords");
    for (int n = 1; n <= kFieldCount; ++n) EXPECT_TRUE(catalog.IsFieldUsed(7, n)) << n;
    EXPECT_FALSE(catalog.IsFieldUsed(7, 0));
    EXPECT_FALSE(catalog.IsFieldUsed(7, 46));
    EXPECT_FALSE(catalog.Exists(0));
    EXPECT_FALSE(catalog.Exists(kNoWorkform));
    EXPECT_EQ(catalog.UsedFieldNumbers(kNoWorkform).size(), 46u);
}

TEST(WorkformCatalog, DefaultWorkformKeepsRepeatedNames) {
    const WorkformRecord& d = DefaultWorkform();
    EXPECT_EQ(d.name(), "<Default>");
    EXPECT_EQ(d.id(), kNoWorkform);
    for (int n : {2, 8, 17}) EXPECT_EQ(d.FieldName(n), "Author Role");
    EXPECT_EQ(d.FieldName(14), "Medium Designator");
    EXPECT_EQ(d.FieldName(36), "Connective Phrase");
    EXPECT_EQ(d.FieldName(38), "Location/URL");
    // A name table says "not used" with an empty name.
    WorkformRecord::FieldNames table;
    table[0] = "A";
    const WorkformRecord built = MakeWorkformFromNameTable("T", 1, table);
    EXPECT_TRUE(built.IsFieldUsed(1));
    EXPECT_FALSE(built.IsFieldUsed(2));
    EXPECT_EQ(built.FieldName(2), "---");
}

TEST(WorkformCatalog, AddUsesTheDefinedFieldSet) {
    WorkformCatalog catalog;
    WorkformFile form = MakeForm(2, "Book");
    form.defined_fields = FieldNumberSet();
    for (int n = 1; n <= kFieldCount; ++n)
        if (n != 12) form.defined_fields.Add(n);
    form.field_names[4] = "";     // defined and empty: used, empty name
    form.field_names[6] = "---";  // defined but named "---": not used
    ASSERT_TRUE(catalog.Add(form));

    EXPECT_EQ(catalog.FieldName(2, 12), "---");  // the file holds "F12" there
    EXPECT_FALSE(catalog.IsFieldUsed(2, 12));
    EXPECT_TRUE(catalog.IsFieldUsed(2, 5));
    EXPECT_EQ(catalog.FieldName(2, 5), "");
    EXPECT_FALSE(catalog.IsFieldUsed(2, 7));
    EXPECT_EQ(catalog.FieldName(2, 13), "F13");
    EXPECT_TRUE(catalog.Exists(2));
}

TEST(WorkformCatalog, FirstIdentifierWinsAndDefaultIdentifierIsRefused) {
    WorkformCatalog catalog;
    EXPECT_TRUE(catalog.Add(MakeForm(2, "First")));
    EXPECT_FALSE(catalog.Add(MakeForm(2, "Second")));
    EXPECT_FALSE(catalog.Add(MakeForm(kNoWorkform, "Impostor")));
    EXPECT_TRUE(catalog.Add(MakeForm(0, "Other")));
    ASSERT_EQ(catalog.Count(), 2);
    EXPECT_EQ(catalog.NameOf(2), "First");
    EXPECT_EQ(catalog.NameOf(kNoWorkform), "<Default>");
    std::vector<std::string> names = {"before"};
    catalog.AppendNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"before", "First", "Other"}));
    EXPECT_EQ(catalog.IdAt(1), 0);
}

TEST(WorkformCatalog, NamesAreCutTo31Characters) {
    WorkformCatalog catalog;
    catalog.Add(MakeForm(1, std::string(40, 'x')));
    catalog.Add(MakeForm(3, std::string("ab\0cd", 5)));
    EXPECT_EQ(catalog.NameOf(1), std::string(31, 'x'));
    EXPECT_EQ(catalog.NameOf(3), "ab");
}

TEST(WorkformCatalog, IdentifierFromLetterOrName) {
    WorkformCatalog catalog;
    catalog.Add(MakeForm(5, "Journal Article"));
    catalog.Add(MakeForm(6, "\xC9tude"));  // É
    catalog.Add(MakeForm(7, "B"));
    catalog.Add(MakeForm(8, "U"));
    EXPECT_EQ(catalog.IdFrom("c"), 2);
    EXPECT_EQ(catalog.IdFrom("C"), 2);
    EXPECT_EQ(catalog.IdFrom("t"), 19);
    EXPECT_EQ(catalog.IdFrom("V"), kNoWorkform);
    EXPECT_EQ(catalog.IdFrom("B"), 1);  // a letter wins over a workform named like one
    EXPECT_EQ(catalog.IdFrom("u"), 8);
    EXPECT_EQ(catalog.IdFrom(""), kNoWorkform);
    EXPECT_EQ(catalog.IdFrom("journal ARTICLE"), 5);
    EXPECT_EQ(catalog.IdFrom("\xE9TUDE"), 6);  // é
    EXPECT_EQ(catalog.IdFrom("Journal Article "), kNoWorkform);
    EXPECT_EQ(catalog.FindByName("nothing").name(), "<Default>");

    EXPECT_TRUE(WorkformCatalog::IsWorkformLetter("a"));
    EXPECT_TRUE(WorkformCatalog::IsWorkformLetter("T"));
    EXPECT_FALSE(WorkformCatalog::IsWorkformLetter("u"));
    EXPECT_FALSE(WorkformCatalog::IsWorkformLetter("@"));
    EXPECT_FALSE(WorkformCatalog::IsWorkformLetter("AB"));
}

TEST(WorkformCatalog, EffectiveTargetField) {
    WorkformCatalog catalog;
    catalog.Add(FormUsing(0, {1, 10}));     // 10 but not 9
    catalog.Add(FormUsing(1, {1, 9, 10}));  // both
    catalog.Add(FormUsing(8, {7, 10}));     // I: 7 but not 11
    catalog.Add(FormUsing(7, {7, 10}));     // H: same fields, other letter
    catalog.Add(FormUsing(9, {7, 10, 11}));

    EXPECT_EQ(catalog.EffectiveTargetField(9, 0), 10);
    EXPECT_EQ(catalog.EffectiveTargetField(9, 1), 9);
    EXPECT_EQ(catalog.EffectiveTargetField(10, 8), 7);
    EXPECT_EQ(catalog.EffectiveTargetField(10, 7), 10);
    EXPECT_EQ(catalog.EffectiveTargetField(10, 9), 10);
    EXPECT_EQ(catalog.EffectiveTargetField(9, 8), 10);  // 9 unused in I as well
    EXPECT_EQ(catalog.EffectiveTargetField(4, 0), 4);
    // Workforms not held use the default record, where every field is used.
    EXPECT_EQ(catalog.EffectiveTargetField(9, 12), 9);
    EXPECT_EQ(catalog.EffectiveTargetField(10, kNoWorkform), 10);
}

TEST(WorkformCatalog, UsedFieldNumbersAndSet) {
    WorkformCatalog catalog;
    catalog.Add(FormUsing(4, {1, 2, 45}));
    EXPECT_EQ(catalog.UsedFieldNumbers(4), (std::vector<uint8_t>{1, 2, 45, 0}));
    EXPECT_EQ(catalog.UsedFieldSet(4).bytes(),
              (FieldNumberSet::Bytes{0x06, 0x00, 0x00, 0x00, 0x00, 0x20}));
    catalog.Add(FormUsing(5, {}));
    EXPECT_EQ(catalog.UsedFieldNumbers(5), (std::vector<uint8_t>{0}));
    EXPECT_TRUE(catalog.UsedFieldSet(5).Empty());
    // Bits outside 1..45 of a file's set never make a field used.
    WorkformFile odd = FormUsing(6, {});
    odd.defined_fields = FieldNumberSet(FieldNumberSet::Bytes{0x01, 0, 0, 0, 0, 0xC0});
    catalog.Add(odd);
    EXPECT_EQ(catalog.UsedFieldNumbers(6), (std::vector<uint8_t>{0}));
}

}  // namespace
}  // namespace recaster::workforms
