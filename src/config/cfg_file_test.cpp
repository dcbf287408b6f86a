#include "config/cfg_file.h"

#include <gtest/gtest.h>

#include "config/object_test_util.h"

namespace recaster::config {
namespace {

using objtest::Bytes;
using objtest::Concat;
using objtest::Text;

Bytes ReadRecord(store::Store& s, const char (&tag)[5], uint32_t id) {
    Bytes value;
    EXPECT_TRUE(s.Read(store::Key{FourCC(tag), id}, value)) << tag << " " << id;
    return value;
}

TEST(CfgFileTest, NewFileHoldsExactlyTheInitialRecords) {
    store::MemFileSystem fs;
    CCfgFile file(fs);
    file.Create("/new.cfg");
    ASSERT_FALSE(file.IsOpen());

    store::Store s(store::DefaultKeyOrder(), fs);
    s.Open("/new.cfg", store::OpenMode::ReadOnly);
    EXPECT_EQ(s.pager().header().version, 3);
    EXPECT_EQ(s.RecordCount(), 9u);

    EXPECT_EQ(ReadRecord(s, "CGNL", 0), (Bytes{0x00, 0x00, 0x01}));
    Bytes dfs(12, 0x00);
    dfs.insert(dfs.end(), {0, 0, 0, 0, 0, 0, 0x00, 0x01, 0x87});
    EXPECT_EQ(ReadRecord(s, "CDFS", 0), dfs);
    EXPECT_EQ(ReadRecord(s, "CFD#", 0), (Bytes{0x00, 0x00}));
    EXPECT_EQ(ReadRecord(s, "CDT#", 0), (Bytes{0x00, 0x00}));
    Bytes capi;
    for (uint8_t i = 0; i < 7; ++i) {
        capi.push_back(i);
        capi.push_back(0);
        capi.insert(capi.end(), 72, 0);
    }
    EXPECT_EQ(ReadRecord(s, "CAPI", 0), capi);
    EXPECT_EQ(ReadRecord(s, "CDBS", 0), Concat({{0x00, 0x00},
                                                Text("Default"),
                                                Text("Default Database Definition"),
                                                Bytes(12, 0x00),
                                                {0x03, 0x00, 0x00, 0x00}}));
    EXPECT_EQ(ReadRecord(s, "CDB#", 0), (Bytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(ReadRecord(s, "STP#", 0), (Bytes{0x00, 0x00}));
    EXPECT_EQ(ReadRecord(s, "STR#", 0), (Bytes{0x00, 0x00}));
}

TEST(CfgFileTest, OpenLoadsTheTopLevelObjects) {
    store::MemFileSystem fs;
    CCfgFile file(fs);
    file.Create("/new.cfg");
    file.Open("/new.cfg");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetGenlInfo()->flag, 1);
    EXPECT_EQ(file.GetDFSInfo()->subfieldIndicator, "\x87");
    ASSERT_EQ(file.GetDBList()->GetCount(), 1);
    CCfgDatabase* db = file.GetDBList()->Database(1);
    EXPECT_EQ(db->name, "Default");
    EXPECT_EQ(db->GetId(), 0u);
    EXPECT_EQ(db->GetFieldList()->GetCount(), 0);
    EXPECT_TRUE(file.GetIdentPairs()->pairs.empty());

    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetDBList(), nullptr);
}

TEST(CfgFileTest, MissingTopLevelRecordFailsTheOpenAndNamesIt) {
    store::MemFileSystem fs;
    {
        CCfgFile file(fs);
        file.Create("/new.cfg");
        store::Store s(store::DefaultKeyOrder(), fs);
        s.Open("/new.cfg", store::OpenMode::ReadWrite);
        s.Delete(store::Key{FourCC("STP#"), 0});
        s.Commit();
    }
    CCfgFile file(fs);
    try {
        file.Open("/new.cfg");
        FAIL() << "opened a file without its identification pairs";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::Cause::BadIndex);
        EXPECT_EQ(e.path(), "/new.cfg");
        EXPECT_NE(e.message().find("record STP# 0"), std::string::npos) << e.message();
    }
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetGenlInfo(), nullptr);
}

}  // namespace
}  // namespace recaster::config
