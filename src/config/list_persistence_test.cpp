// The lists in a store (record form) and on the clipboard (object form).
#include <gtest/gtest.h>

#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "config/list_test_util.h"
#include "config/lists.h"

namespace recaster::config {
namespace {

using testing::AddDb;
using testing::AddField;
using testing::MemStore;
using testing::Names;
using testing::Tags;

constexpr uint32_t kDBListTag = FourCC("CDB#");
constexpr uint32_t kDbTag = FourCC("CDBS");
constexpr uint32_t kFieldTag = FourCC("CFlD");
constexpr uint32_t kFieldListTag = FourCC("CFD#");

std::vector<uint8_t> Record(MemStore& ms, uint32_t tag, uint32_t id) {
    std::vector<uint8_t> value;
    ms.store().Read(store::Key{tag, id}, value);
    return value;
}

std::vector<uint8_t> ListBytes(const std::vector<uint32_t>& ids) {
    std::vector<uint8_t> out{static_cast<uint8_t>(ids.size()), 0};
    for (uint32_t id : ids)
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id >> (8 * i)));
    return out;
}

TEST(ListStore, DatabasesAndFieldsSurviveSaveAndReload) {
    MemStore ms;
    std::vector<uint32_t> ids;
    {
        CCfgDBList list;
        list.Attach(ms.link(), 0);
        AddDb(list, "Default");
        AddDb(list, "20");
        CCfgDatabase* three = AddDb(list, "3");
        AddDb(list, "b");
        for (int p = 1; p <= list.GetCount(); ++p) ids.push_back(list.Database(p)->GetId());
        EXPECT_EQ(Record(ms, kDBListTag, 0), ListBytes(ids));

        CCfgFieldList* fields = three->GetFieldList();
        ASSERT_TRUE(fields->IsAttached());
        CCfgField* ti = AddField(*fields, "TI", kFieldParsedWithSubfields);
        AddField(*fields, "AU");
        AddField(*fields, "b", kFieldNormalText, ti);
        AddField(*fields, "a", kFieldNormalText, ti);
        EXPECT_EQ(Tags(*fields), "AU TI TI.a TI.b");
        EXPECT_EQ(fields->Field(3)->parentId, ti->GetId());
        ms.store().Commit();
    }
    ms.Reopen();
    CCfgDBList loaded;
    ms.link()->Load(loaded, kDBListTag, 0);
    EXPECT_EQ(Names(loaded), "Default 3 20 b");
    ASSERT_EQ(loaded.GetCount(), 4);
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(loaded.Database(p)->GetId(), ids[static_cast<size_t>(p - 1)]);
        EXPECT_EQ(loaded.Database(p)->owner, &loaded);
    }
    CCfgFieldList* fields = loaded.Database(2)->GetFieldList();
    ASSERT_EQ(Tags(*fields), "AU TI TI.a TI.b");
    EXPECT_EQ(fields->Field(3)->parent, fields->Field(2));
    EXPECT_EQ(fields->Field(4)->owner, fields);
    EXPECT_EQ(fields->FindSubfield("B", 1, fields->Field(2)), fields->Field(4));
}

TEST(ListStore, RemoveDeletesTheElementAndItsChildrenAndSavesTheList) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(ms.link(), 0);
    AddDb(list, "Default");
    CCfgDatabase* gone = AddDb(list, "Gone");
    CCfgDatabase* kept = AddDb(list, "Kept");
    AddField(*gone->GetFieldList(), "TI");
    const uint32_t goneId = gone->GetId();
    const uint32_t fieldListId = gone->fieldListId;
    const uint32_t fieldId = gone->GetFieldList()->Field(1)->GetId();

    std::unique_ptr<CPersistentObject> taken = list.Remove(gone);
    ASSERT_EQ(taken.get(), gone);
    EXPECT_FALSE(ms.Has(kDbTag, goneId));
    EXPECT_FALSE(ms.Has(kFieldListTag, fieldListId));
    EXPECT_FALSE(ms.Has(kFieldTag, fieldId));
    EXPECT_EQ(Record(ms, kDBListTag, 0), ListBytes({list.Database(1)->GetId(), kept->GetId()}));
}

TEST(ListStore, CopiedFieldListAttachesWithNewIdsAndRelinkedParents) {
    MemStore ms;
    CCfgFieldList source;
    source.Attach(ms.link());
    CCfgField* so = AddField(source, "SO", kFieldParsedWithSubfields);
    AddField(source, "v", kFieldNormalText, so);
    AddField(source, "AU");

    CCfgFieldList copy(source);
    copy.Attach(ms.link());
    ASSERT_EQ(Tags(copy), "AU SO SO.v");
    for (int p = 1; p <= 3; ++p) {
        EXPECT_NE(copy.Field(p)->GetId(), source.Field(p)->GetId());
        EXPECT_TRUE(ms.Has(kFieldTag, copy.Field(p)->GetId()));
    }
    EXPECT_EQ(copy.Field(3)->parentId, copy.Field(2)->GetId());
    EXPECT_NE(copy.Field(3)->parentId, so->GetId());

    // Attaching stores the list after its elements: its record names them.
    CCfgFieldList reread;
    ms.link()->Load(reread, kFieldListTag, copy.GetId());
    ASSERT_EQ(Tags(reread), "AU SO SO.v");
    EXPECT_EQ(reread.Field(3)->parent, reread.Field(2));

    copy.Detach();
    for (int p = 1; p <= 3; ++p) EXPECT_FALSE(ms.Has(kFieldTag, copy.Field(p)->GetId()));
}

TEST(ListStore, DamagedListRecordsAreRefused) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(ms.link(), 0);
    AddDb(list, "Default");
    const uint32_t dbId = list.Database(1)->GetId();
    auto expectError = [&](std::vector<uint8_t> bytes, ArchiveError::Cause cause) {
        ms.store().Update(store::Key{kDBListTag, 0}, bytes);
        CCfgDBList loaded;
        try {
            ms.link()->Load(loaded, kDBListTag, 0);
            ADD_FAILURE() << "no error";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), cause) << e.what();
        }
    };
    expectError({3, 0, 1, 0, 0, 0}, ArchiveError::Cause::EndOfFile);      // three ids, one given
    expectError(ListBytes({dbId, dbId}), ArchiveError::Cause::BadIndex);  // one record twice
    expectError(ListBytes({dbId + 100}), ArchiveError::Cause::BadIndex);  // no such record
    expectError({}, ArchiveError::Cause::EndOfFile);
}

TEST(ListStore, SubfieldWithoutAnyFieldBeforeItBecomesTopLevel) {
    MemStore ms;
    CCfgFieldList list;
    list.Attach(ms.link());
    CCfgField* top = AddField(list, "A", kFieldParsedWithSubfields);
    CCfgField* sub = AddField(list, "x", kFieldNormalText, top);
    // A record listing the subfield first (a damaged file).
    ms.store().Update(store::Key{kFieldListTag, list.GetId()},
                      ListBytes({sub->GetId(), top->GetId()}));
    CCfgFieldList loaded;
    ms.link()->Load(loaded, kFieldListTag, list.GetId());
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.Field(1)->parent, nullptr);
    EXPECT_EQ(loaded.Field(1)->parentId, kNoId);
    EXPECT_EQ(loaded.Field(2)->parent, nullptr);
}

TEST(ListClipboard, FieldListTravelsAsObjectsAndReadsBackUnlinked) {
    CCfgFieldList list;
    CCfgField* ti = AddField(list, "TI", kFieldParsedWithSubfields);
    AddField(list, "s", kFieldNormalText, ti);
    Archive out = Archive::ForStore();
    list.Serialize(out);
    const std::vector<uint8_t>& b = out.bytes();
    const std::string name = "CCfgField";
    ASSERT_GT(b.size(), 6 + name.size());
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 6),
              (std::vector<uint8_t>{2, 0, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(b[6], name.size());
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 8 + static_cast<long>(name.size())), name);

    Archive in = Archive::ForLoad(b);
    CCfgFieldList read;
    read.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(read.GetCount(), 2);
    EXPECT_EQ(read.Field(2)->tag, "s");
    EXPECT_EQ(read.Field(2)->owner, &read);
    EXPECT_EQ(read.Field(2)->parent, nullptr);  // the paste sets parents itself

    // A document type list's stream is not a field list's.
    CCfgDocTypeList docTypes;
    docTypes.Add(std::make_unique<CCfgDocType>());
    Archive wrong = Archive::ForStore();
    docTypes.Serialize(wrong);
    Archive wrongIn = Archive::ForLoad(wrong.bytes());
    CCfgFieldList refused;
    EXPECT_THROW(refused.Serialize(wrongIn), ArchiveError);
    // A null element is refused too.
    const std::vector<uint8_t> nullElement{1, 0, 0, 0};
    Archive nullIn = Archive::ForLoad(nullElement);
    EXPECT_THROW(refused.Serialize(nullIn), ArchiveError);
}

}  // namespace
}  // namespace recaster::config
