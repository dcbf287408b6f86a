#include "config/database.h"

#include <gtest/gtest.h>

#include "config/lists.h"
#include "config/object_test_util.h"

namespace recaster::config {
namespace {

using objtest::Bytes;
using objtest::ClipboardOf;
using objtest::MemStore;

std::unique_ptr<CCfgField> MakeField(const std::string& tag, CCfgField* parent = nullptr) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->parent = parent;
    if (!parent) f->type = kFieldParsedWithSubfields;
    f->SetAlternateTarget(3, 9);
    return f;
}

// A stored database with two fields (one a subfield), a document type and
// changed parse information.
CCfgDatabase* AddDatabase(CCfgDBList& list, const std::string& name) {
    auto owned = std::make_unique<CCfgDatabase>();
    CCfgDatabase* db = owned.get();
    db->name = name;
    db->workform = 4;
    list.Add(std::move(owned));
    auto so = MakeField("SO");
    CCfgField* parent = so.get();
    db->GetFieldList()->Add(std::move(so));
    db->GetFieldList()->Add(MakeField("VO", parent));
    auto dt = std::make_unique<CCfgDocType>();
    dt->name = "Journal";
    dt->workform = 2;
    db->GetDocTypeList()->Add(std::move(dt));
    db->GetParseInfo()->rows[2].SetPrecededBy("no.");
    db->GetParseInfo()->Save();
    return db;
}

TEST(DatabaseTest, SaveOnAnUnattachedObjectChangesNothing) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    CCfgDatabase* stored = AddDatabase(list, "A");
    const Bytes before = ms.Record(stored->GetTag(), stored->GetId());
    const uint32_t records = ms.store.RecordCount();

    CCfgDatabase copy(*stored);
    copy.name = "changed";
    copy.Save();
    copy.GetFieldList()->Field(1)->tag = "XX";
    copy.GetFieldList()->Field(1)->Save();
    copy.GetParseInfo()->Save();
    EXPECT_EQ(ms.Record(stored->GetTag(), stored->GetId()), before);
    EXPECT_EQ(ms.store.RecordCount(), records);
}

TEST(DatabaseTest, ChildrenLoadWhenFirstAskedAndAfterRelease) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    AddDatabase(list, "A");

    CCfgDBList loaded;
    ms.link.Load(loaded, list.GetTag(), 0);
    CCfgDatabase* db = loaded.Database(1);
    ASSERT_NE(db, nullptr);
    CCfgFieldList* fields = db->GetFieldList();
    ASSERT_EQ(fields->GetCount(), 2);
    EXPECT_EQ(fields->owner, db);
    EXPECT_EQ(fields->Field(2)->Parent(), fields->Field(1));
    EXPECT_EQ(db->GetDocTypeList()->DocType(1)->workform, 2);
    EXPECT_EQ(db->GetParseInfo()->rows[2].PrecededBy(), "no.");

    const uint32_t id = db->fieldListId;
    db->ReleaseChildren();
    EXPECT_EQ(db->fieldListId, id);
    EXPECT_EQ(db->GetFieldList()->Field(1)->tag, "SO");

    // A child whose record is gone is an error naming the record.
    ms.store.Delete(store::Key{FourCC("CDT#"), db->docTypeListId});
    db->ReleaseChildren();
    try {
        db->GetDocTypeList();
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_NE(e.message().find("record CDT# " + std::to_string(db->docTypeListId)),
                  std::string::npos)
            << e.message();
    }
    EXPECT_EQ(db->GetFieldList()->GetCount(), 2);  // the others still load
}

// A list shown in a window: the window is the list's view.
class FakeListView : public ListViewLink {
  public:
    void RepaintList() override {}
    void ListDestroyed() override {}
};

TEST(DatabaseTest, ReleasingStoredChildrenKeepsAShownFieldListAndUnstoredChildren) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    CCfgDatabase* db = AddDatabase(list, "A");

    // An unsaved change tells an object kept in memory from one loaded again.
    FakeListView window;
    db->GetFieldList()->SetView(&window);
    db->GetFieldList()->Append(MakeField("XX"));
    db->GetDocTypeList()->DocType(1)->name = "unsaved";
    db->ReleaseStoredChildren();
    EXPECT_EQ(db->GetFieldList()->GetCount(), 3);
    EXPECT_EQ(db->GetDocTypeList()->DocType(1)->name, "Journal");

    db->GetFieldList()->SetView(nullptr);
    db->ReleaseStoredChildren();
    EXPECT_EQ(db->GetFieldList()->GetCount(), 2);

    // Children that were never stored exist only in memory and stay.
    CCfgDatabase fresh;
    fresh.GetFieldList()->Append(MakeField("TI"));
    CCfgFieldList* inMemory = fresh.GetFieldList();
    fresh.ReleaseStoredChildren();
    EXPECT_EQ(fresh.GetFieldList(), inMemory);
    EXPECT_EQ(fresh.GetFieldList()->GetCount(), 1);
}

TEST(DatabaseTest, CopiesAreUnattachedAndAttachWithNewIds) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    CCfgDatabase* original = AddDatabase(list, "A");
    original->ReleaseChildren();  // the copy must load them itself

    auto copy = std::make_unique<CCfgDatabase>(*original);
    EXPECT_FALSE(copy->IsAttached());
    EXPECT_EQ(copy->GetId(), kNoId);
    EXPECT_EQ(copy->fieldListId, kNoId);
    EXPECT_EQ(copy->owner, nullptr);
    CCfgFieldList* fields = copy->GetFieldList();
    ASSERT_EQ(fields->GetCount(), 2);
    EXPECT_EQ(fields->owner, copy.get());
    EXPECT_FALSE(fields->IsAttached());
    EXPECT_FALSE(fields->Field(1)->IsAttached());
    EXPECT_EQ(fields->Field(2)->parent, fields->Field(1));
    EXPECT_FALSE(copy->GetDocTypeList()->DocType(1)->IsAttached());
    EXPECT_EQ(copy->GetParseInfo()->rows[2].PrecededBy(), "no.");
    EXPECT_FALSE(copy->GetParseInfo()->IsAttached());

    copy->name = "B";
    CCfgDatabase* attached = copy.get();
    list.Add(std::move(copy));
    EXPECT_NE(attached->GetId(), original->GetId());
    EXPECT_NE(attached->fieldListId, original->fieldListId);
    EXPECT_NE(attached->docTypeListId, original->docTypeListId);
    EXPECT_NE(attached->parseInfoId, original->parseInfoId);
    CCfgField* sub = attached->GetFieldList()->Field(2);
    EXPECT_NE(sub->GetId(), original->GetFieldList()->Field(2)->GetId());
    EXPECT_EQ(sub->parentId, attached->GetFieldList()->Field(1)->GetId());

    // Both read back from the store as they were.
    CCfgDBList loaded;
    ms.link.Load(loaded, list.GetTag(), 0);
    ASSERT_EQ(loaded.GetCount(), 2);
    objtest::ExpectSameDatabase(*loaded.Database(1), *original);
    objtest::ExpectSameDatabase(*loaded.Database(2), *attached);
}

TEST(DatabaseTest, CopyOfAnUnattachedDatabaseKeepsItsChildren) {
    CCfgDatabase db;
    db.GetFieldList()->Append(MakeField("TI"));
    db.GetParseInfo()->rows[0].optional = 1;
    CCfgDatabase copy(db);
    ASSERT_EQ(copy.GetFieldList()->GetCount(), 1);
    EXPECT_EQ(copy.GetFieldList()->Field(1)->tag, "TI");
    EXPECT_EQ(copy.GetParseInfo()->rows[0].optional, 1);

    // Children never created stay absent in a copy.
    CCfgDatabase bare;
    CCfgDatabase bareCopy(bare);
    EXPECT_EQ(bareCopy.GetFieldList()->GetCount(), 0);
}

TEST(DatabaseTest, DetachRemovesEveryRecord) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    const uint32_t empty = ms.store.RecordCount();
    CCfgDatabase* db = AddDatabase(list, "A");
    const uint32_t fieldId = db->GetFieldList()->Field(1)->GetId();
    std::unique_ptr<CPersistentObject> removed = list.Remove(db);
    ASSERT_NE(removed, nullptr);
    EXPECT_FALSE(removed->IsAttached());
    EXPECT_EQ(ms.store.RecordCount(), empty);
    EXPECT_FALSE(ms.Has(FourCC("CFlD"), fieldId));
    // Still whole in memory, so it can be added again.
    auto* again = static_cast<CCfgDatabase*>(removed.get());
    EXPECT_EQ(again->GetFieldList()->GetCount(), 2);
    list.Add(std::move(removed));
    EXPECT_EQ(ms.store.RecordCount(), empty + 7);
}

TEST(DatabaseTest, ClipboardFormCarriesTheChildren) {
    MemStore ms;
    CCfgDBList list;
    list.Attach(&ms.link, 0);
    CCfgDatabase* db = AddDatabase(list, "A");
    db->authorSeparator = ";";
    db->hyphens = true;

    Archive out = Archive::ForStore();
    out.WriteObject(db);
    const Bytes stream = out.bytes();
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 6),
              (Bytes{0xFF, 0xFF, 0x00, 0x00, 0x0C, 0x00}));

    Archive in = Archive::ForLoad(stream);
    std::unique_ptr<ArchiveObject> object = in.ReadObject(&CCfgDatabase::kClass);
    ASSERT_NE(object, nullptr);
    auto* pasted = static_cast<CCfgDatabase*>(object.get());
    EXPECT_FALSE(pasted->IsAttached());
    EXPECT_EQ(pasted->fieldListId, kNoId);
    EXPECT_EQ(pasted->GetFieldList()->owner, pasted);
    EXPECT_EQ(ClipboardOf(*pasted), ClipboardOf(*db));
    EXPECT_EQ(pasted->GetDocTypeList()->DocType(1)->name, "Journal");
    // Subfields stay subfields, and get their new parent's id when stored.
    CCfgFieldList* fields = pasted->GetFieldList();
    ASSERT_EQ(fields->GetCount(), 2);
    EXPECT_EQ(fields->Field(2)->parent, fields->Field(1));
    EXPECT_EQ(fields->Field(1)->parent, nullptr);
    object.release();
    pasted->name = "B";
    list.Add(std::unique_ptr<CPersistentObject>(pasted));
    EXPECT_EQ(fields->Field(2)->parentId, fields->Field(1)->GetId());

    // Without the trailer (a stream from elsewhere) every field is top-level.
    Bytes plain = stream;
    plain.resize(plain.size() - (4 + 2 + 2));
    Archive in2 = Archive::ForLoad(plain);
    std::unique_ptr<ArchiveObject> flat = in2.ReadObject(&CCfgDatabase::kClass);
    EXPECT_FALSE(static_cast<CCfgDatabase*>(flat.get())->GetFieldList()->Field(2)->IsSubfield());
}

}  // namespace
}  // namespace recaster::config
