// Control state that dialogs reach through Item(id): multi-selection,
// row counts, progress, and controls added from a page template.
#include "ui/control.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/dialog.h"
#include "ui/test_dialog.h"

namespace recaster::ui {
namespace {

using resources::ControlKind;

TEST(ControlTest, MultiSelectionRowCountAndProgressStayConsistent) {
    Control list(1, ControlKind::ListBox, "", resources::kStyleMultiSelect);
    list.AddItem("a");
    list.AddItem("b");
    list.AddItem("c");
    EXPECT_TRUE(list.SetItemSelected(0, true));
    EXPECT_TRUE(list.SetItemSelected(2, true));
    EXPECT_FALSE(list.SetItemSelected(3, true));
    EXPECT_EQ(list.SelectedItems(), (std::vector<int>{0, 2}));
    Control single(2, ControlKind::ListBox);
    single.AddItem("x");
    EXPECT_FALSE(single.SetItemSelected(0, true));  // single selection uses SetCurSel

    Control rows(3, ControlKind::OwnerDrawnList);
    rows.SetRowCount(5);
    rows.SetCurSel(4);
    rows.SetTopIndex(3);
    rows.SetRowCount(2);  // the list shrank under the selection
    EXPECT_EQ(rows.curSel(), -1);
    EXPECT_EQ(rows.topIndex(), 1);
    rows.SetRowCount(-4);
    EXPECT_EQ(rows.ItemCount(), 0);

    Control bar(4, ControlKind::ProgressBar);
    bar.SetRange(0, 10000);
    bar.SetPosition(12000);
    EXPECT_EQ(bar.position(), 10000);
    bar.SetPosition(-5);
    EXPECT_EQ(bar.position(), 0);
    bar.SetStep(10);
    bar.StepIt();
    EXPECT_EQ(bar.position(), 10);
}

TEST(ControlTest, PageControlsJoinTheDialogInTabOrderAtTheirOrigin) {
    using namespace resources;
    static const std::array<ControlTemplate, 2> pageControls{{
        {501, ControlKind::CheckBox, "&Replace", {0, 0, 60, 10}, kStyleTabStop},
        {502, ControlKind::Edit, "", {0, 12, 60, 12}, kStyleTabStop},
    }};
    static const DialogTemplate page{9100, "", 100, 40, {}, 8, pageControls};
    fixture::TestValues values;
    fixture::TestDialog dlg(values);

    struct Added : DialogObserver {
        void ControlsAdded(const std::vector<Control*>& added) override { count += added.size(); }
        size_t count = 0;
    } observer;
    dlg.AddObserver(&observer);
    std::vector<Control*> added = dlg.AddControls(page, 100, 30, fixture::kActive);
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(observer.count, 2u);
    EXPECT_EQ(&dlg.Item(502), added[1]);
    EXPECT_EQ(added[1]->rect().x, 100);
    EXPECT_EQ(added[1]->rect().y, 42);
    const auto& all = dlg.controls();
    size_t at = 0;
    while (all[at]->id() != fixture::kActive) ++at;
    EXPECT_EQ(all[at + 1]->id(), 501);
    EXPECT_EQ(all[at + 2]->id(), 502);
    EXPECT_EQ(all[at + 3]->id(), fixture::kRadioA);
    dlg.RemoveObserver(&observer);

    // A template id the program does not have is a programming error.
    EXPECT_THROW(Dialog{123456}, std::invalid_argument);
}

}  // namespace
}  // namespace recaster::ui
