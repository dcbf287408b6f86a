#include "config/field.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/object_test_util.h"

namespace recaster::config {
namespace {

using objtest::Bytes;
using objtest::ClipboardOf;
using objtest::MemStore;
using objtest::RecordOf;

// Bytes of the ten-byte block and nine empty texts of a new field.
Bytes NewFieldHead() {
    Bytes b{0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    b.insert(b.end(), 9, 0x00);
    return b;
}

void Append(Bytes& b, std::initializer_list<uint8_t> more) {
    b.insert(b.end(), more);
}

TEST(FieldRecordTest, TextLengthPrefixesAtTheirLimits) {
    struct Case {
        size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CCfgField field;
        field.description = std::string(c.length, 'd');
        const Bytes record = RecordOf(field);
        // The description follows the block and the empty tag.
        const Bytes prefix(record.begin() + 11, record.begin() + 11 + c.prefix.size());
        EXPECT_EQ(prefix, c.prefix);
        EXPECT_EQ(record.size(), NewFieldHead().size() - 1 + c.prefix.size() + c.length + 4 + 4 +
                                     2 + 4 + 4 + 2 + 4 + 1 + 4 + 1 + 1);

        MemStore ms;
        CCfgField back;
        ms.LoadFrom(back, field.GetTag(), 1, record);
        EXPECT_EQ(back.description, field.description);
        EXPECT_EQ(RecordOf(back), record);
    }
}

CCfgParseFormat FormatWith(uint8_t first) {
    CCfgParseFormat f;
    f.rows[0].component = first;
    f.rows[0].SetPrecededBy("vol. ");
    return f;
}

// Where each entry sits in the stored order, checked against the bucket rule:
// buckets ascending, newest first inside a bucket.
template <typename K, typename V>
void ExpectBucketOrder(const BucketMap<K, V>& map, const std::vector<K>& insertionOrder) {
    const auto entries = map.Entries();
    for (size_t i = 1; i < entries.size(); ++i) {
        const uint32_t prev = MapBucket(entries[i - 1].first);
        const uint32_t cur = MapBucket(entries[i].first);
        ASSERT_LE(prev, cur);
        if (prev == cur) {
            const auto newer =
                std::find(insertionOrder.begin(), insertionOrder.end(), entries[i - 1].first);
            const auto older =
                std::find(insertionOrder.begin(), insertionOrder.end(), entries[i].first);
            EXPECT_GT(newer, older) << "same bucket, older entry first";
        }
    }
}

TEST(FieldRecordTest, MapOrderFollowsInsertionHistoryOnly) {
    // 1 and 2 share bucket 0, 16 and 17 bucket 1, 272 is bucket 0 again.
    const std::vector<uint16_t> workforms = {1, 16, 2, 272, 17, 5};
    const std::vector<std::string> docTypes = {"", "Journal Article", "Book", "Thesis", "Patent"};
    CCfgField a;
    CCfgField b;
    for (uint16_t w : workforms) a.SetAlternateTarget(w, static_cast<uint8_t>(w % 45));
    for (auto it = workforms.rbegin(); it != workforms.rend(); ++it)
        b.SetAlternateTarget(*it, static_cast<uint8_t>(*it % 45));
    for (size_t i = 0; i < docTypes.size(); ++i)
        a.parseFormats.Set(docTypes[i], FormatWith(static_cast<uint8_t>(i)));
    for (size_t i = docTypes.size(); i-- > 0;)
        b.parseFormats.Set(docTypes[i], FormatWith(static_cast<uint8_t>(i)));

    const Bytes ra = RecordOf(a);
    const Bytes rb = RecordOf(b);
    EXPECT_EQ(ra.size(), rb.size());
    EXPECT_NE(ra, rb);  // 1 and 2 swap places, so do some document types
    // Same multiset of bytes: only the order of the entries differs.
    Bytes sa = ra, sb = rb;
    std::sort(sa.begin(), sa.end());
    std::sort(sb.begin(), sb.end());
    EXPECT_EQ(sa, sb);
    // Same head up to the maps.
    EXPECT_TRUE(std::equal(ra.begin(), ra.begin() + 27, rb.begin()));

    ExpectBucketOrder(a.alternateTargets, workforms);
    ExpectBucketOrder(b.alternateTargets,
                      std::vector<uint16_t>(workforms.rbegin(), workforms.rend()));
    ExpectBucketOrder(a.parseFormats, docTypes);
    ExpectBucketOrder(b.parseFormats, std::vector<std::string>(docTypes.rbegin(), docTypes.rend()));

    // Reading inserts in the order read, so a bucket's entries come out
    // reversed when written again, and back in place after a second trip.
    MemStore ms;
    CCfgField back;
    ms.LoadFrom(back, a.GetTag(), 1, ra);
    EXPECT_EQ(back.AlternateTarget(272), 272 % 45);
    EXPECT_EQ(back.AlternateTarget(3), kNoAlternate);
    ASSERT_NE(back.parseFormats.Find("Thesis"), nullptr);
    EXPECT_EQ(back.parseFormats.Find("Thesis")->rows[0].PrecededBy(), "vol. ");
    const Bytes once = RecordOf(back);
    EXPECT_NE(once, ra);
    Bytes sorted = once;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, sa);
    CCfgField twice;
    ms.LoadFrom(twice, a.GetTag(), 2, once);
    EXPECT_EQ(RecordOf(twice), ra);
}

TEST(FieldRecordTest, RecordEndingAfterAlternateTargetsTakesDefaults) {
    CCfgField full;
    full.tag = "TI";
    full.SetAlternateTarget(3, 7);
    full.parseFormats.Set("", CCfgParseFormat());
    full.separateMode = 2;
    full.separatorText = "; ";
    full.replaceMatching = 1;
    full.findText = "a";
    full.replaceText = "b";
    Bytes record = RecordOf(full);
    // Block, tag "TI", eight empty texts, parent, old targets id, one target.
    record.resize(10 + 3 + 8 + 4 + 4 + 2 + 3);

    MemStore ms;
    CCfgField back;
    ms.LoadFrom(back, full.GetTag(), 1, record);
    EXPECT_EQ(back.tag, "TI");
    EXPECT_EQ(back.AlternateTarget(3), 7);
    EXPECT_TRUE(back.parseFormats.empty());  // not Parsed: nothing is built
    EXPECT_EQ(back.separateMode, 0u);
    EXPECT_EQ(back.separatorText, "");
    EXPECT_EQ(back.replaceMatching, 0u);
    EXPECT_EQ(back.findText, "");
    EXPECT_EQ(back.replaceText, "");

    // A Parsed field gets its formats built instead.
    full.type = kFieldParsed;
    record = RecordOf(full);
    record.resize(10 + 3 + 8 + 4 + 4 + 2 + 3);
    CCfgField parsed;
    ms.LoadFrom(parsed, full.GetTag(), 2, record);
    EXPECT_NE(parsed.parseFormats.Find(""), nullptr);

    // Items that end halfway are damage, not an older record.
    record = RecordOf(full);
    record.resize(10 + 3 + 8 + 4 + 4 + 2 + 3 + 2);
    CCfgField broken;
    EXPECT_THROW(ms.LoadFrom(broken, full.GetTag(), 3, record), ArchiveError);
}

TEST(FieldRecordTest, Version2Records) {
    MemStore ms(2);
    CCfgField v3;
    v3.tag = "AU";
    v3.type = kFieldAuthor;
    Bytes head = RecordOf(v3);
    head.resize(10 + 3 + 8);
    // Parent id 9, old targets id -1, then 26 workform bytes.
    Bytes record = head;
    Append(record, {0x09, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    Bytes alternates(26, kNoAlternate);
    alternates[0] = 4;
    alternates[25] = 0xFF;  // a target of "do not transfer" is an entry too
    record.insert(record.end(), alternates.begin(), alternates.end());

    CCfgField field;
    ms.LoadFrom(field, FourCC("CFlD"), 1, record);
    EXPECT_EQ(field.tag, "AU");
    EXPECT_EQ(field.parentId, 9u);
    EXPECT_EQ(field.alternateTargets.size(), 2u);
    EXPECT_EQ(field.AlternateTarget(0), 4);
    EXPECT_EQ(field.AlternateTarget(25), 0xFF);
    // Formats are built for every version-2 field.
    EXPECT_NE(field.parseFormats.Find(""), nullptr);
    EXPECT_EQ(field.separateMode, 0u);

    record = head;
    Append(record, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    record.insert(record.end(), 26, kNoAlternate);
    CCfgField none;
    ms.LoadFrom(none, FourCC("CFlD"), 2, record);
    EXPECT_TRUE(none.alternateTargets.empty());

    record.pop_back();
    CCfgField shortRecord;
    EXPECT_THROW(ms.LoadFrom(shortRecord, FourCC("CFlD"), 3, record), ArchiveError);
}

TEST(FieldRecordTest, HostileCountsFailBeforeAllocating) {
    CCfgField field;
    Bytes record = RecordOf(field);
    // Alternate target count FFFF FFFFFFFF with nothing behind it.
    record.resize(NewFieldHead().size() + 8);
    Append(record, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    MemStore ms;
    CCfgField back;
    try {
        ms.LoadFrom(back, field.GetTag(), 5, record);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::Cause::EndOfFile);
        EXPECT_NE(e.message().find("record CFlD 5"), std::string::npos) << e.message();
    }
}

TEST(FieldTest, CopyKeepsValuesButNotIdentity) {
    MemStore ms;
    CCfgField parent;
    parent.Attach(&ms.link);
    CCfgField field;
    field.tag = "SO";
    field.parent = &parent;
    field.SetAlternateTarget(2, 11);
    field.parseFormats.Set("Book", FormatWith(3));
    field.findText = "x";
    field.Attach(&ms.link);
    EXPECT_EQ(field.parentId, parent.GetId());  // taken from the parent pointer

    CCfgField copy(field);
    EXPECT_FALSE(copy.IsAttached());
    EXPECT_EQ(copy.GetId(), kNoId);
    EXPECT_EQ(copy.parentId, kNoId);
    EXPECT_EQ(copy.parent, nullptr);
    EXPECT_EQ(copy.tag, "SO");
    EXPECT_EQ(copy.AlternateTarget(2), 11);
    EXPECT_EQ(ClipboardOf(copy), ClipboardOf(field));

    // The clipboard form reads back into an equal, parentless field.
    Bytes clip = ClipboardOf(field);
    Archive ar = Archive::ForLoad(clip);
    CCfgField pasted;
    pasted.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(pasted.parentId, kNoId);
    EXPECT_EQ(RecordOf(pasted), RecordOf(copy));
}

TEST(FieldTest, SubfieldsAndParentThroughTheOwnerList) {
    MemStore ms;
    CCfgFieldList list;
    list.Attach(&ms.link);
    auto parent = std::make_unique<CCfgField>();
    parent->tag = "SO";
    parent->type = kFieldParsedWithSubfields;
    CCfgField* p = parent.get();
    list.Add(std::move(parent));
    auto other = std::make_unique<CCfgField>();
    other->tag = "TI";
    other->type = kFieldParsedWithSubfields;
    CCfgField* t = other.get();
    list.Add(std::move(other));
    EXPECT_FALSE(p->HasSubfields());

    auto sub = std::make_unique<CCfgField>();
    sub->tag = "VO";
    sub->parent = p;
    CCfgField* s = sub.get();
    list.Add(std::move(sub));
    EXPECT_EQ(s->parentId, p->GetId());
    EXPECT_TRUE(p->HasSubfields());
    EXPECT_FALSE(t->HasSubfields());
    p->type = kFieldParsed;
    EXPECT_FALSE(p->HasSubfields());

    // Resolved by id when only the id is known.
    s->parent = nullptr;
    EXPECT_EQ(s->Parent(), p);
    EXPECT_EQ(t->Parent(), nullptr);
}

}  // namespace
}  // namespace recaster::config
