#include "config/store_link.h"

#include <gtest/gtest.h>

#include "config/genl_info.h"
#include "config/object_test_util.h"

namespace recaster::config {
namespace {

using objtest::Bytes;
using objtest::MemStore;

TEST(StoreLinkTest, AttachSaveDetachThroughTheLink) {
    MemStore ms;
    CCfgGenlInfo info;
    info.title = "A";
    info.Attach(&ms.link);  // a new id from the store: the first of its tag
    EXPECT_EQ(info.GetId(), 0u);
    EXPECT_EQ(ms.Record(info.GetTag(), 0), (Bytes{1, 'A', 0, 1}));
    info.title = "B";
    info.Save();
    EXPECT_EQ(ms.Record(info.GetTag(), 0), (Bytes{1, 'B', 0, 1}));

    CCfgGenlInfo second;
    second.Attach(&ms.link);
    EXPECT_EQ(second.GetId(), 1u);

    info.Detach();
    EXPECT_FALSE(info.IsAttached());
    EXPECT_EQ(info.GetId(), kNoId);
    EXPECT_FALSE(ms.Has(info.GetTag(), 0));
    info.Save();  // unattached now: nothing comes back
    EXPECT_FALSE(ms.Has(info.GetTag(), 0));
}

TEST(StoreLinkTest, TakenKeysAndMissingRecordsAreErrors) {
    MemStore ms;
    CCfgGenlInfo first;
    first.title = "kept";
    first.Attach(&ms.link, 7);
    CCfgGenlInfo clash;
    EXPECT_THROW(clash.Attach(&ms.link, 7), ArchiveError);
    EXPECT_FALSE(clash.IsAttached());
    EXPECT_EQ(clash.GetId(), kNoId);
    CCfgGenlInfo back;
    ms.link.Load(back, back.GetTag(), 7);
    EXPECT_EQ(back.title, "kept");
    EXPECT_EQ(back.GetLink(), &ms.link);
    EXPECT_EQ(back.GetId(), 7u);

    try {
        ms.link.Load(back, FourCC("CDBS"), 5);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::Cause::BadIndex);
        EXPECT_EQ(e.path(), "/test.cfg");
        EXPECT_NE(e.message().find("record CDBS 5"), std::string::npos) << e.message();
    }
}

TEST(StoreLinkTest, BaseObjectAndClassRegistry) {
    CPersistentObject base;
    EXPECT_EQ(base.GetTag(), 0x504F424Au);
    EXPECT_EQ(base.GetId(), kNoId);
    for (const char* name : {"CPersistentObject", "CCfgGenlInfo", "CCfgDFSInfo", "CCfgDatabase",
                             "CCfgDocType", "CCfgField", "CCfgAutoParseInfo", "CCfgStringPair",
                             "CCfgStringPairList", "CCfgStringList"}) {
        const RuntimeClass* rc = FindRuntimeClass(name);
        ASSERT_NE(rc, nullptr) << name;
        EXPECT_EQ(rc->schema, 0);
        EXPECT_EQ(rc->create()->GetRuntimeClass().name, name);
    }
}

}  // namespace
}  // namespace recaster::config
