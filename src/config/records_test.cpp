// Record bytes of the small objects: file structure, identification pairs,
// document types, parse information and databases, versions 3 and 2.
#include <gtest/gtest.h>

#include "config/auto_parse_info.h"
#include "config/database.h"
#include "config/dfs_info.h"
#include "config/doc_type.h"
#include "config/object_test_util.h"
#include "config/string_lists.h"

namespace recaster::config {
namespace {

using objtest::Bytes;
using objtest::Concat;
using objtest::MemStore;
using objtest::RecordOf;
using objtest::Text;

TEST(DFSInfoRecordTest, OlderRecordsStopEarly) {
    CCfgDFSInfo dfs;
    dfs.tagLength = 2;
    dfs.reserved = 9;
    dfs.fixedWidthTagArea = true;
    dfs.tagAreaWidth = 6;
    dfs.lineContinuation = kContinuationSpecialChar;
    dfs.continuationChar = '+';
    dfs.defaultCaseConversion = 3;
    dfs.recordEndMode = kRecordEndTwoBlanks;
    dfs.recordEndStringOn = true;
    dfs.tagFormat = "$- ";
    dfs.recordHeaderFormat = "Record #";
    dfs.fallbackDatabase = "MEDLINE";
    dfs.processMarcSubfields = true;
    dfs.subfieldIndicator = "$";
    const Bytes full = RecordOf(dfs);
    EXPECT_EQ(Bytes(full.begin(), full.begin() + 12),
              (Bytes{2, 9, 6, 0x02, 2, 0, '+', 0, 3, 0, 2, 1}));

    MemStore ms;
    const size_t afterHeader = 12 + 4 + 1 + 1 + 1 + 9;
    CCfgDFSInfo cut;
    cut.fallbackDatabase = "stale";
    ms.LoadFrom(cut, dfs.GetTag(), 1, Bytes(full.begin(), full.begin() + afterHeader));
    EXPECT_EQ(cut.recordHeaderFormat, "Record #");
    EXPECT_EQ(cut.reserved, 9);
    EXPECT_TRUE(cut.fixedWidthTagArea);
    EXPECT_EQ(cut.fallbackDatabase, "");
    EXPECT_FALSE(cut.processMarcSubfields);
    EXPECT_EQ(cut.subfieldIndicator, "\x87");

    CCfgDFSInfo withName;
    ms.LoadFrom(withName, dfs.GetTag(), 2, Bytes(full.begin(), full.begin() + afterHeader + 8));
    EXPECT_EQ(withName.fallbackDatabase, "MEDLINE");
    EXPECT_FALSE(withName.processMarcSubfields);
    EXPECT_EQ(withName.subfieldIndicator, "\x87");

    CCfgDFSInfo all;
    ms.LoadFrom(all, dfs.GetTag(), 3, full);
    EXPECT_EQ(RecordOf(all), full);

    CCfgDFSInfo tooShort;
    EXPECT_THROW(ms.LoadFrom(tooShort, dfs.GetTag(), 4, Bytes(full.begin(), full.begin() + 11)),
                 ArchiveError);
}

TEST(StringListRecordTest, PairsIntroduceTheirClassOnce) {
    CCfgStringPairList list;
    list.pairs = {{"DB-", "-"}, {"SO:", ""}, {"", "x"}};
    const Bytes expected =
        Concat({{0x03, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0E, 0x00},
                Bytes{'C', 'C', 'f', 'g', 'S', 't', 'r', 'i', 'n', 'g', 'P', 'a', 'i', 'r'},
                Text("DB-"),
                Text("-"),
                {0x01, 0x80},
                Text("SO:"),
                Text(""),
                {0x01, 0x80},
                Text(""),
                Text("x")});
    EXPECT_EQ(RecordOf(list), expected);

    MemStore ms;
    CCfgStringPairList back;
    ms.LoadFrom(back, list.GetTag(), 0, expected);
    EXPECT_EQ(back.pairs, list.pairs);

    // Another class in the list is refused.
    Bytes wrong = expected;
    wrong[8] = 'X';
    CCfgStringPairList bad;
    EXPECT_THROW(ms.LoadFrom(bad, list.GetTag(), 1, wrong), ArchiveError);

    CCfgStringList ignored;
    ignored.strings = {"*** *", "Page #"};
    EXPECT_EQ(RecordOf(ignored), Concat({{0x02, 0x00}, Text("*** *"), Text("Page #")}));
}

TEST(Version2RecordTest, OneByteWorkformsAndShortParseRows) {
    MemStore ms(2);
    CCfgDatabase db3;
    db3.workform = 0x0107;
    db3.name = "INSPEC";
    db3.fieldListId = 4;
    const Bytes v3 = RecordOf(db3);
    Bytes v2 = v3;
    v2.erase(v2.begin() + 1);  // one byte of workform: 07
    CCfgDatabase db;
    ms.LoadFrom(db, db3.GetTag(), 1, v2);
    EXPECT_EQ(db.workform, 7);
    EXPECT_EQ(db.name, "INSPEC");
    EXPECT_EQ(db.fieldListId, 4u);
    EXPECT_EQ(db.docTypeListId, kNoId);

    CCfgDocType dt;
    ms.LoadFrom(dt, dt.GetTag(), 1, Concat({Text("Book"), {0x05}}));
    EXPECT_EQ(dt.name, "Book");
    EXPECT_EQ(dt.workform, 5);

    Bytes capi;
    for (uint8_t i = 0; i < 5; ++i) {
        Bytes row(38, 0);
        row[0] = static_cast<uint8_t>(4 - i);
        row[1] = i & 1;
        std::fill(row.begin() + 2, row.begin() + 20, 'p');  // 18 characters, no NUL
        row[20] = 'f';
        capi.insert(capi.end(), row.begin(), row.end());
    }
    CCfgAutoParseInfo info;
    ms.LoadFrom(info, info.GetTag(), 1, capi);
    EXPECT_EQ(info.rows[0].component, 4);
    EXPECT_EQ(info.rows[4].component, 0);
    EXPECT_EQ(info.rows[1].optional, 1);
    EXPECT_EQ(info.rows[2].PrecededBy(), std::string(18, 'p'));
    EXPECT_EQ(info.rows[2].FollowedBy(), "f");
    EXPECT_EQ(info.rows[5].component, 5);  // untouched
    EXPECT_EQ(info.rows[6].component, 6);
    capi.pop_back();
    CCfgAutoParseInfo shortInfo;
    EXPECT_THROW(ms.LoadFrom(shortInfo, info.GetTag(), 2, capi), ArchiveError);
}

TEST(ParseRowTest, TextsStopAtTheirNulOrTheFieldEnd) {
    ParseComponentRow row;
    row.SetPrecededBy(std::string(50, 'a'));
    EXPECT_EQ(row.PrecededBy(), std::string(35, 'a'));
    EXPECT_EQ(row.precededBy[35], 0);
    row.precededBy.fill('z');  // as a hostile record may hold it
    EXPECT_EQ(row.PrecededBy(), std::string(36, 'z'));
    row.SetFollowedBy("p.");
    EXPECT_EQ(row.FollowedBy(), "p.");
    EXPECT_EQ(row.PrecededBy(), std::string(36, 'z'));
}

}  // namespace
}  // namespace recaster::config
