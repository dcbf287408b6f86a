// Order, duplicates, repositioning and lookups of the three ordered lists
// (lists outside any store: no ids, nothing written).
#include <gtest/gtest.h>

#include "config/list_test_util.h"
#include "config/lists.h"

namespace recaster::config {
namespace {

using testing::AddDb;
using testing::AddField;
using testing::FakeView;
using testing::MakeDb;
using testing::MakeField;
using testing::Names;
using testing::Tags;

TEST(DBList, DefaultFirstThenNumbersByValueThenNamesIgnoringCase) {
    CCfgDBList list;
    EXPECT_EQ(list.FindInsertPosition(MakeDb("x").get()), 1);
    EXPECT_FALSE(list.IsDuplicate(MakeDb("x").get()));

    EXPECT_EQ(AddDb(list, "Default")->owner, &list);
    AddDb(list, "20");
    AddDb(list, "3");
    AddDb(list, "b");
    AddDb(list, "A");
    EXPECT_EQ(Names(list), "Default 3 20 A b");

    // '_' sorts before letters because both sides fold to lower case.
    AddDb(list, "_Z");
    EXPECT_EQ(Names(list), "Default 3 20 _Z A b");
    // Six digits is a name, not a number: "100000" sorts as text, before "20".
    EXPECT_EQ(list.FindInsertPosition(MakeDb("100000").get()), 2);
    // A name before "Default" alphabetically still goes after it.
    EXPECT_EQ(list.FindInsertPosition(MakeDb("0").get()), 2);

    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.GetAt(list.GetCount() + 1), nullptr);
    EXPECT_EQ(list.Database(1)->name, "Default");
}

TEST(DBList, DuplicatesIgnoreCaseAndCompareNumbersByValue) {
    CCfgDBList list;
    AddDb(list, "Default");
    AddDb(list, "7");
    AddDb(list, "Medline");
    EXPECT_TRUE(list.IsDuplicate(MakeDb("default").get()));
    EXPECT_TRUE(list.IsDuplicate(MakeDb("007").get()));
    EXPECT_TRUE(list.IsDuplicate(MakeDb("MEDLINE").get()));
    EXPECT_FALSE(list.IsDuplicate(MakeDb("70").get()));
    EXPECT_FALSE(list.IsDuplicate(MakeDb("Medlin").get()));
    // An element is never its own duplicate.
    EXPECT_FALSE(list.IsDuplicate(list.Database(3)));
}

TEST(DBList, RepositionKeepsTheDefaultFirstAndMovesOthers) {
    CCfgDBList list;
    FakeView view;
    list.SetView(&view);
    CCfgDatabase* def = AddDb(list, "Default");
    CCfgDatabase* a = AddDb(list, "A");
    AddDb(list, "M");
    def->name = "ZZZ";
    list.Reposition(def);
    EXPECT_EQ(Names(list), "ZZZ A M");
    a->name = "Z";
    list.Reposition(a);
    EXPECT_EQ(Names(list), "ZZZ M Z");
    EXPECT_EQ(view.repaints, 2);
    list.SetView(nullptr);
}

TEST(DBList, DestroyingTellsTheView) {
    FakeView view;
    {
        CCfgDBList list;
        list.SetView(&view);
    }
    EXPECT_EQ(view.destroyed, 1);
}

TEST(DBList, TypeAheadComparesNumbersByValueAndSkipsTheDefault) {
    CCfgDBList list;
    for (const char* n : {"Default", "3", "20", "100", "A", "Cat"}) AddDb(list, n);
    int pos = 1;
    EXPECT_TRUE(list.FindByTypedPrefix("20", pos));
    EXPECT_EQ(pos, 2);
    pos = 1;
    EXPECT_TRUE(list.FindByTypedPrefix("10", pos));  // first value not below 10
    EXPECT_EQ(pos, 2);
    pos = 3;
    EXPECT_TRUE(list.FindByTypedPrefix("1", pos));  // "100" cut to "1"
    EXPECT_EQ(pos, 3);
    pos = 1;
    EXPECT_TRUE(list.FindByTypedPrefix("C", pos));
    EXPECT_EQ(pos, 5);
    // From "Cat", "B" is smaller: wrap to the first name not below it. The
    // default database ("D...") would qualify but is never a candidate.
    pos = 5;
    EXPECT_TRUE(list.FindByTypedPrefix("B", pos));
    EXPECT_EQ(pos, 5);
    pos = 4;  // greater than every later name: the last one
    EXPECT_TRUE(list.FindByTypedPrefix("4", pos));
    EXPECT_EQ(pos, 5);
    pos = 0;  // no current element: start after the default
    EXPECT_TRUE(list.FindByTypedPrefix("3", pos));
    EXPECT_EQ(pos, 1);

    CCfgDBList only;
    AddDb(only, "Default");
    pos = 0;
    EXPECT_FALSE(only.FindByTypedPrefix("D", pos));
    EXPECT_EQ(pos, 0);
}

// A, A.a, A.b (A parsed with subfields), C, D.
struct FieldFixture : ::testing::Test {
    void SetUp() override {
        a = AddField(list, "A", kFieldParsedWithSubfields);
        c = AddField(list, "C");
        d = AddField(list, "D");
        ab = AddField(list, "b", kFieldNormalText, a);
        aa = AddField(list, "a", kFieldNormalText, a);
    }
    CCfgFieldList list;
    CCfgField *a, *aa, *ab, *c, *d;
};

TEST_F(FieldFixture, SubfieldsFollowTheirParentInTagOrder) {
    EXPECT_EQ(Tags(list), "A A.a A.b C D");
    EXPECT_EQ(aa->owner, &list);
    // A subfield tag that equals a top-level tag goes under its own parent.
    AddField(list, "C", kFieldNormalText, a);
    EXPECT_EQ(Tags(list), "A A.C A.a A.b C D");
}

TEST_F(FieldFixture, ChangingATagMovesTheFieldWithItsSubfields) {
    FakeView view;
    list.SetView(&view);
    a->tag = "E";
    list.Reposition(a);
    EXPECT_EQ(Tags(list), "C D E E.a E.b");
    a->tag = "B";
    list.Reposition(a);
    EXPECT_EQ(Tags(list), "B B.a B.b C D");
    // A subfield moves only among its siblings.
    aa->tag = "z";
    list.Reposition(aa);
    EXPECT_EQ(Tags(list), "B B.b B.z C D");
    EXPECT_GE(view.repaints, 3);
    list.SetView(nullptr);
}

TEST_F(FieldFixture, DuplicateTagsAreTopLevelOrAmongOneFieldsSubfields) {
    EXPECT_TRUE(list.IsDuplicate(MakeField("C").get()));
    EXPECT_FALSE(list.IsDuplicate(MakeField("c").get()));  // case matters
    EXPECT_FALSE(list.IsDuplicate(MakeField("a").get()));  // only a subfield has it
    EXPECT_TRUE(list.IsDuplicate(MakeField("b", kFieldNormalText, a).get()));
    EXPECT_FALSE(list.IsDuplicate(MakeField("B", kFieldNormalText, a).get()));
    EXPECT_FALSE(list.IsDuplicate(MakeField("A", kFieldNormalText, a).get()));
    CCfgField* dSub = AddField(list, "x", kFieldNormalText, d);
    EXPECT_FALSE(list.IsDuplicate(MakeField("x", kFieldNormalText, a).get()));
    EXPECT_TRUE(list.IsDuplicate(MakeField("x", kFieldNormalText, d).get()));
    EXPECT_FALSE(list.IsDuplicate(dSub));
}

TEST_F(FieldFixture, FindTopLevelAndSubfieldIgnoreCaseAndNeedTheExactLength) {
    EXPECT_EQ(list.FindTopLevel("c", 1), c);
    EXPECT_EQ(list.FindTopLevel("CX", 1), c);  // only the first `length` characters count
    EXPECT_EQ(list.FindTopLevel("CX", 2), nullptr);
    EXPECT_EQ(list.FindTopLevel("a", 1), a);  // subfield "a" is not top-level
    EXPECT_EQ(list.FindTopLevel("D", 5), nullptr);
    EXPECT_EQ(list.FindSubfield("B", 1, a), ab);
    EXPECT_EQ(list.FindSubfield("c", 1, a), nullptr);  // C is top-level, not A's
    EXPECT_EQ(list.FindSubfield("a", 1, c), nullptr);
    // From the last field back: with two top-level "Q"s the later one wins.
    auto q1 = MakeField("Q");
    CCfgField* first = q1.get();
    list.Append(std::move(q1));
    auto q2 = MakeField("q");
    CCfgField* second = q2.get();
    list.Append(std::move(q2));
    EXPECT_EQ(list.FindTopLevel("Q", 1), second);
    EXPECT_NE(first, second);
}

TEST_F(FieldFixture, CopyIsDeepWithParentsRelinkedToTheCopies) {
    aa->description = "first sub";
    CCfgFieldList copy(list);
    ASSERT_EQ(Tags(copy), "A A.a A.b C D");
    for (int p = 1; p <= copy.GetCount(); ++p) {
        EXPECT_NE(copy.Field(p), list.Field(p));
        EXPECT_EQ(copy.Field(p)->owner, &copy);
        EXPECT_EQ(copy.Field(p)->GetId(), kNoId);
    }
    EXPECT_EQ(copy.Field(2)->parent, copy.Field(1));
    EXPECT_EQ(copy.Field(3)->parent, copy.Field(1));
    EXPECT_EQ(copy.Field(4)->parent, nullptr);
    EXPECT_EQ(copy.Field(2)->description, "first sub");
}

TEST(FieldList, TypeAheadWrapsAroundToTheFirstTagNotBelowTheText) {
    CCfgFieldList list;
    AddField(list, "AB");
    CCfgField* cd = AddField(list, "CD", kFieldParsedWithSubfields);
    AddField(list, "EF");
    AddField(list, "CX", kFieldNormalText, cd);
    ASSERT_EQ(Tags(list), "AB CD CD.CX EF");
    int pos = 0;
    EXPECT_TRUE(list.FindByTypedPrefix("C", pos));
    EXPECT_EQ(pos, 1);
    EXPECT_TRUE(list.FindByTypedPrefix("CX", pos));
    EXPECT_EQ(pos, 2);
    EXPECT_TRUE(list.FindByTypedPrefix("A", pos));  // below "CX": wraps to the top
    EXPECT_EQ(pos, 0);
    pos = 1;
    EXPECT_TRUE(list.FindByTypedPrefix("Z", pos));  // above all: the last one
    EXPECT_EQ(pos, 3);
    EXPECT_TRUE(list.FindByTypedPrefix("D", pos));  // nothing earlier fits: stays
    EXPECT_EQ(pos, 3);
    CCfgFieldList empty;
    pos = 0;
    EXPECT_FALSE(empty.FindByTypedPrefix("A", pos));
}

TEST(DocTypeList, OrderedByteWiseWithCopiesAndTypeAhead) {
    CCfgDocTypeList list;
    for (const char* n : {"book", "Article", "Thesis", "article"}) {
        auto dt = std::make_unique<CCfgDocType>();
        dt->name = n;
        dt->workform = static_cast<uint16_t>(n[0]);
        list.Add(std::move(dt));
    }
    auto names = [](const CCfgDocTypeList& l) {
        std::string s;
        for (int p = 1; p <= l.GetCount(); ++p) s += l.DocType(p)->name + " ";
        return s;
    };
    EXPECT_EQ(names(list), "Article Thesis article book ");
    auto dup = std::make_unique<CCfgDocType>();
    dup->name = "Thesis";
    EXPECT_TRUE(list.IsDuplicate(dup.get()));
    dup->name = "thesis";
    EXPECT_FALSE(list.IsDuplicate(dup.get()));

    CCfgDocTypeList copy(list);
    EXPECT_EQ(names(copy), names(list));
    EXPECT_EQ(copy.DocType(4)->workform, 'b');
    EXPECT_NE(copy.DocType(4), list.DocType(4));

    int pos = 3;  // at "book": "T" is smaller, wrap to "Thesis"
    EXPECT_TRUE(list.FindByTypedPrefix("T", pos));
    EXPECT_EQ(pos, 1);
    pos = 0;
    EXPECT_TRUE(list.FindByTypedPrefix("ar", pos));
    EXPECT_EQ(pos, 2);
}

TEST(AbstractList, PlainArrayOperationsStayInBounds) {
    CCfgDocTypeList list;
    EXPECT_EQ(list.RemoveAt(0), nullptr);
    list.InsertAt(7, std::make_unique<CCfgDocType>());  // clamped to the end
    list.InsertAt(-3, std::make_unique<CCfgDocType>());
    EXPECT_EQ(list.GetCount(), 2);
    CPersistentObject* second = list.GetAt(2);
    EXPECT_EQ(list.IndexOf(second), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    EXPECT_EQ(list.IndexOfId(12345), -1);
    EXPECT_EQ(list.RemoveAt(1).get(), second);
    EXPECT_EQ(list.Remove(second), nullptr);  // no longer held
    EXPECT_EQ(list.GetCount(), 1);
}

}  // namespace
}  // namespace recaster::config
