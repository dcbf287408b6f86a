// The old per-workform component targets: built-in defaults, lookups through
// the workform catalog, and both record forms.
#include "config/auto_parse_targets.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "config/list_test_util.h"
#include "workforms/workform_catalog.h"

namespace recaster::config {
namespace {

using testing::MemStore;
constexpr uint32_t kTargetsTag = FourCC("CAPD");

// Workform C (2) lacks field 9 but has 10; every other workform has all.
workforms::WorkformFile FormWithout(workforms::WorkformId id, int missing) {
    workforms::WorkformFile form;
    form.id = id;
    form.name = "Form " + std::to_string(id);
    for (int n = 1; n <= workforms::kFieldCount; ++n)
        if (n != missing) form.defined_fields.Add(n);
    return form;
}

TEST(AutoParseTargets, BuiltInTableByKindAndWorkform) {
    using T = CCfgAutoParseTargets;
    EXPECT_EQ(T::DefaultTarget(kParseTitle, 1), 9 - 1);
    EXPECT_EQ(T::DefaultTarget(kParseTitle, 6), 42 - 1);
    EXPECT_EQ(T::DefaultTarget(kParseTitle, 65535), 9 - 1);  // column 24
    EXPECT_EQ(T::DefaultTarget(kParseTitle, 26), T::DefaultTarget(kParseTitle, 24));
    EXPECT_EQ(T::DefaultTarget(kParseVolume, 17), 5 - 1);
    EXPECT_EQ(T::DefaultTarget(kParsePages, 7), 26 - 1);
    EXPECT_EQ(T::DefaultTarget(kParseIssn, 0), 40 - 1);
    EXPECT_EQ(T::DefaultTarget(kParseCoden, 25), 39 - 1);
    EXPECT_EQ(T::DefaultTarget(kParseNone, 0), kNoTarget);
}

TEST(AutoParseTargets, LookupPrefersTheEntryAndMovesToAFieldTheWorkformUses) {
    workforms::WorkformCatalog catalog;
    ASSERT_TRUE(catalog.Add(FormWithout(2, 9)));
    CCfgAutoParseTargets t;
    // No entry: the default, adjusted (title of C is field 9, which C lacks).
    EXPECT_EQ(t.GetTarget(kParseTitle, 1, catalog), 9 - 1);
    EXPECT_EQ(t.GetTarget(kParseTitle, 2, catalog), 10 - 1);
    EXPECT_EQ(t.GetTarget(kParseTitle, 65535, catalog), 9 - 1);
    // An entry for workform 3 giving volume the index 14 means field 15.
    t.SetTarget(kParseVolume, 3, 14);
    EXPECT_EQ(t.GetTarget(kParseVolume, 3, catalog), 14);
    EXPECT_EQ(t.GetTarget(kParseIssue, 3, catalog), t.DefaultTarget(kParseIssue, 3));
    t.SetTarget(kParseVolume, 2, 8);  // field 9 in C lands on 10
    EXPECT_EQ(t.GetTarget(kParseVolume, 2, catalog), 9);
    t.SetTarget(kParsePages, 3, kNoTarget);
    EXPECT_EQ(t.GetTarget(kParsePages, 3, catalog), -1);
    EXPECT_EQ(t.GetTarget(kParseNone, 3, catalog), -1);
}

TEST(AutoParseTargets, Version2RecordIsTheTableOfKindsZeroToFour) {
    MemStore ms(2);
    std::vector<uint8_t> table(130);
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i % 45);
    ASSERT_TRUE(ms.store().Insert(store::Key{kTargetsTag, 4}, table));
    workforms::WorkformCatalog catalog;

    CCfgAutoParseTargets t;
    ms.link()->Load(t, kTargetsTag, 4);
    EXPECT_EQ(t.targets.size(), 26u);
    const auto* entry = t.targets.Find(3);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ((*entry)[kParseTitle], 3);
    EXPECT_EQ((*entry)[kParseVolume], 26 + 3);
    EXPECT_EQ((*entry)[kParseDate], (4 * 26 + 3) % 45);
    EXPECT_EQ((*entry)[kParseIssn], 40 - 1);
    EXPECT_EQ((*entry)[kParseCoden], 39 - 1);
    EXPECT_EQ(t.GetTarget(kParseVolume, 3, catalog), 26 + 3);

    table.resize(129);
    ms.store().Update(store::Key{kTargetsTag, 4}, table);
    CCfgAutoParseTargets shortOne;
    try {
        ms.link()->Load(shortOne, kTargetsTag, 4);
        ADD_FAILURE() << "a short table was accepted";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.cause(), ArchiveError::Cause::EndOfFile);
    }
}

TEST(AutoParseTargets, Version3RecordIsTheMapForm) {
    MemStore ms;
    CCfgAutoParseTargets t;
    t.SetTarget(kParseCoden, 7, 30);
    t.SetTarget(kParseTitle, 700, 2);
    t.Attach(ms.link());
    std::vector<uint8_t> value;
    ASSERT_TRUE(ms.store().Read(store::Key{kTargetsTag, t.GetId()}, value));
    EXPECT_EQ(value.size(), 2u + 2 * 9);
    EXPECT_EQ(value[0], 2);

    CCfgAutoParseTargets back;
    ms.link()->Load(back, kTargetsTag, t.GetId());
    ASSERT_NE(back.targets.Find(7), nullptr);
    EXPECT_EQ(*back.targets.Find(7), *t.targets.Find(7));
    EXPECT_EQ((*back.targets.Find(7))[kParseCoden], 30);
    EXPECT_EQ((*back.targets.Find(700))[kParseTitle], 2);
    // The other six bytes of a created entry are the workform's defaults.
    EXPECT_EQ((*back.targets.Find(7))[kParseTitle], CCfgAutoParseTargets::DefaultTarget(0, 7));
}

}  // namespace
}  // namespace recaster::config
