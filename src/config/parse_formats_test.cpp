// Building a Parsed field's formats from the database's parse information and
// the old per-workform targets.
#include "config/parse_formats.h"

#include <gtest/gtest.h>

#include "config/auto_parse_targets.h"
#include "config/list_test_util.h"
#include "workforms/workform_catalog.h"

namespace recaster::config {
namespace {

using testing::AddDb;
using testing::AddField;
using testing::MemStore;

constexpr uint32_t kFieldTag = FourCC("CFlD");
constexpr uint32_t kDBListTag = FourCC("CDB#");

workforms::WorkformFile FormWithout(workforms::WorkformId id, int missing) {
    workforms::WorkformFile form;
    form.id = id;
    form.name = "Form " + std::to_string(id);
    for (int n = 1; n <= workforms::kFieldCount; ++n)
        if (n != missing) form.defined_fields.Add(n);
    return form;
}

void AddDocType(CCfgDatabase& db, const std::string& name, uint16_t workform) {
    auto dt = std::make_unique<CCfgDocType>();
    dt->name = name;
    dt->workform = workform;
    db.GetDocTypeList()->Add(std::move(dt));
}

// A store with the default database and "Med" (workform B, its own parse
// information, document types "Book" in C and "News" in G).
struct ParseFormatsFixture : ::testing::Test {
    void SetUp() override {
        catalog.Add(FormWithout(2, 9));  // C keeps titles in field 10
        dbs.Attach(ms.link(), 0);
        def = AddDb(dbs, "Default");
        def->GetParseInfo()->rows[0].SetPrecededBy("DEF");
        def->GetParseInfo()->Save();
        med = AddDb(dbs, "Med", 1);
        med->useDefaultParseFormat = false;
        med->Save();
        CCfgAutoParseInfo* info = med->GetParseInfo();
        info->rows[0].SetPrecededBy("TI:");
        info->rows[0].SetFollowedBy(".");
        info->rows[0].optional = 1;
        info->rows[3].component = kParseNone;
        info->Save();
        AddDocType(*med, "News", 6);
        AddDocType(*med, "Book", 2);
        field = AddField(*med->GetFieldList(), "SO", kFieldParsed);
    }
    MemStore ms;
    workforms::WorkformCatalog catalog;
    CCfgDBList dbs;
    CCfgDatabase* def = nullptr;
    CCfgDatabase* med = nullptr;
    CCfgField* field = nullptr;
};

TEST_F(ParseFormatsFixture, OneFormatForTheDatabaseAndOnePerDocumentType) {
    BuildParseFormats(*field, kNoId, kNoId, catalog);
    ASSERT_EQ(field->parseFormats.size(), 3u);
    const CCfgParseFormat* dflt = field->parseFormats.Find("");
    const CCfgParseFormat* book = field->parseFormats.Find("Book");
    const CCfgParseFormat* news = field->parseFormats.Find("News");
    ASSERT_TRUE(dflt && book && news);
    EXPECT_EQ(dflt->useDefault, 1u);
    // The database's own rows (its use-default flag is off), its workform B.
    EXPECT_EQ(dflt->rows[0].component, 9);
    EXPECT_EQ(dflt->rows[0].PrecededBy(), "TI:");
    EXPECT_EQ(dflt->rows[0].FollowedBy(), ".");
    EXPECT_EQ(dflt->rows[0].optional, 1);
    EXPECT_EQ(dflt->rows[1].component, 42);           // volume in B
    EXPECT_EQ(dflt->rows[3].component, kRowNotUsed);  // a row of kind "none"
    EXPECT_EQ(dflt->rows[5].component, 40);
    EXPECT_EQ(book->rows[0].component, 10);  // field 9, moved to 10 in C
    EXPECT_EQ(book->rows[1].component, 22);
    EXPECT_EQ(book->rows[3].component, kRowNotUsed);
    EXPECT_EQ(news->rows[0].component, 42);
    EXPECT_EQ(news->rows[0].PrecededBy(), "TI:");
}

TEST_F(ParseFormatsFixture, KindNoneGivesAnUnusedRowEverywhereAndDefaultsFollowTheFlag) {
    for (auto& row : med->GetParseInfo()->rows) row.component = kParseNone;
    BuildParseFormats(*field, kNoId, kNoId, catalog);
    for (const auto& [name, format] : field->parseFormats.Entries())
        for (const auto& row : format.rows) EXPECT_EQ(row.component, kRowNotUsed) << name;

    // With the flag on, the default database's information is used instead.
    med->useDefaultParseFormat = true;
    BuildParseFormats(*field, kNoId, kNoId, catalog);
    EXPECT_EQ(field->parseFormats.Find("")->rows[0].PrecededBy(), "DEF");
    EXPECT_EQ(field->parseFormats.Find("")->rows[3].component, 42);  // pages in B
}

TEST_F(ParseFormatsFixture, OldRecordsAreUsedThenDeletedAndTheFieldSavedWithItsFormats) {
    CCfgAutoParseTargets old;
    old.SetTarget(kParseVolume, 1, 14);  // volume in B: field 15
    old.Attach(ms.link());
    CCfgAutoParseInfo oldInfo;
    oldInfo.rows[2].SetPrecededBy("no.");
    oldInfo.Attach(ms.link());

    BuildParseFormats(*field, old.GetId(), oldInfo.GetId(), catalog);
    const CCfgParseFormat* dflt = field->parseFormats.Find("");
    ASSERT_NE(dflt, nullptr);
    EXPECT_EQ(dflt->rows[1].component, 15);
    EXPECT_EQ(dflt->rows[2].PrecededBy(), "no.");
    EXPECT_EQ(dflt->rows[0].PrecededBy(), "");                           // not the database's "TI:"
    EXPECT_EQ(field->parseFormats.Find("Book")->rows[1].component, 22);  // no entry for C
    EXPECT_FALSE(ms.Has(old.GetTag(), old.GetId()));
    EXPECT_FALSE(ms.Has(oldInfo.GetTag(), oldInfo.GetId()));

    CCfgField stored;
    ms.link()->Load(stored, kFieldTag, field->GetId());
    EXPECT_EQ(stored.parseFormats.Entries(), field->parseFormats.Entries());
}

TEST_F(ParseFormatsFixture, ReadingAParsedFieldWithoutFormatsBuildsThem) {
    // The field's record as older writers left it: it ends after the
    // alternate targets (the 21 bytes of the later items cut off).
    Archive full = Archive::ForStore();
    field->PersistWrite(full);
    std::vector<uint8_t> cut = full.bytes();
    ASSERT_GT(cut.size(), 21u);
    cut.resize(cut.size() - 21);
    ms.store().Update(store::Key{kFieldTag, field->GetId()}, cut);
    ms.store().Commit();
    ms.Reopen();

    CCfgDBList loaded;
    ms.link()->Load(loaded, kDBListTag, 0);
    CCfgField* read = loaded.Database(2)->GetFieldList()->Field(1);
    ASSERT_EQ(read->parseFormats.size(), 3u);
    const CCfgParseFormat* dflt = read->parseFormats.Find("");
    EXPECT_EQ(dflt->rows[0].component, 9);
    EXPECT_EQ(dflt->rows[0].PrecededBy(), "TI:");
    EXPECT_EQ(dflt->rows[3].component, kRowNotUsed);
    EXPECT_EQ(read->parseFormats.Find("News")->rows[1].component, 42);
}

TEST(ParseFormatsVersion2Test, OldNoneKindsAndTheRowsVersion2LacksAreNotInUse) {
    // In a version-2 store kind 5 (and 255) meant "no component", and rows 5
    // and 6 were never stored: none of them may become ISSN or CODEN targets.
    MemStore ms(2);
    workforms::WorkformCatalog catalog;
    CCfgDBList dbs;
    dbs.Attach(ms.link(), 0);
    CCfgDatabase* db = AddDb(dbs, "Default");
    CCfgAutoParseInfo* info = db->GetParseInfo();
    info->rows[1].component = 5;
    info->rows[2].component = 255;
    CCfgField* field = AddField(*db->GetFieldList(), "SO", kFieldParsed);
    BuildParseFormats(*field, kNoId, kNoId, catalog);
    const CCfgParseFormat* format = field->parseFormats.Find("");
    ASSERT_NE(format, nullptr);
    std::vector<uint8_t> targets;
    for (const auto& row : format->rows) targets.push_back(row.component);
    EXPECT_EQ(targets, (std::vector<uint8_t>{4, 254, 254, 25, 20, 254, 254}));

    // The same information read as the current format keeps ISSN and CODEN.
    MemStore current;
    CCfgDBList currentDbs;
    currentDbs.Attach(current.link(), 0);
    CCfgDatabase* db3 = AddDb(currentDbs, "Default");
    CCfgField* field3 = AddField(*db3->GetFieldList(), "SO", kFieldParsed);
    BuildParseFormats(*field3, kNoId, kNoId, catalog);
    EXPECT_EQ(field3->parseFormats.Find("")->rows[5].component, 40);
    EXPECT_EQ(field3->parseFormats.Find("")->rows[6].component, 39);
}

}  // namespace
}  // namespace recaster::config
