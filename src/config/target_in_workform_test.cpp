// The target field of a configuration field in a given workform.
#include "config/target_in_workform.h"

#include <gtest/gtest.h>

#include "config/list_test_util.h"
#include "workforms/workform_catalog.h"

namespace recaster::config {
namespace {

using testing::AddDb;
using testing::AddField;

workforms::WorkformFile FormWithout(workforms::WorkformId id, int missing) {
    workforms::WorkformFile form;
    form.id = id;
    form.name = "Form " + std::to_string(id);
    for (int n = 1; n <= workforms::kFieldCount; ++n)
        if (n != missing) form.defined_fields.Add(n);
    return form;
}

struct TargetFixture : ::testing::Test {
    void SetUp() override {
        catalog.Add(FormWithout(2, 9));   // C: field 9 lands on 10
        catalog.Add(FormWithout(8, 11));  // I: field 10 lands on 7
        AddDb(dbs, "Default");
        db = AddDb(dbs, "Med", 2);
        field = AddField(*db->GetFieldList(), "TI");
        field->defaultTarget = 8;  // field 9
    }
    workforms::WorkformCatalog catalog;
    CCfgDBList dbs;
    CCfgDatabase* db = nullptr;
    CCfgField* field = nullptr;
};

TEST_F(TargetFixture, DefaultWorkformUsesTheDatabasesWorkform) {
    EXPECT_EQ(TargetInWorkform(*field, kDefaultWorkform, catalog), 9);
    db->workform = 3;
    EXPECT_EQ(TargetInWorkform(*field, kDefaultWorkform, catalog), 8);
    // A field outside any list keeps its default target as it is.
    CCfgField alone;
    alone.defaultTarget = 8;
    EXPECT_EQ(TargetInWorkform(alone, kDefaultWorkform, catalog), 8);
}

TEST_F(TargetFixture, AlternateTargetWhenPresentElseTheDefault) {
    EXPECT_EQ(TargetInWorkform(*field, 3, catalog), 8);  // no alternate: default
    EXPECT_EQ(TargetInWorkform(*field, 2, catalog), 9);  // default, adjusted for C
    field->alternateTargets.Set(3, 20);
    EXPECT_EQ(TargetInWorkform(*field, 3, catalog), 20);
    field->alternateTargets.Set(8, 9);  // field 10 in I lands on 7
    EXPECT_EQ(TargetInWorkform(*field, 8, catalog), 6);
    field->alternateTargets.Set(4, kNoTarget);
    EXPECT_EQ(TargetInWorkform(*field, 4, catalog), -1);
}

TEST_F(TargetFixture, DoNotTransferAndDamagedIndexesGiveNoTarget) {
    field->defaultTarget = kNoTarget;
    EXPECT_EQ(TargetInWorkform(*field, kDefaultWorkform, catalog), -1);
    EXPECT_EQ(TargetInWorkform(*field, 5, catalog), -1);
    field->alternateTargets.Set(5, 0);
    EXPECT_EQ(TargetInWorkform(*field, 5, catalog), 0);
    field->defaultTarget = 45;  // one past the last field
    EXPECT_EQ(TargetInWorkform(*field, kDefaultWorkform, catalog), -1);
    CCfgField alone;
    alone.defaultTarget = 200;
    EXPECT_EQ(TargetInWorkform(alone, kDefaultWorkform, catalog), -1);
}

}  // namespace
}  // namespace recaster::config
