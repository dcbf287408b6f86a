// Control state that dialogs reach through Item(id): searches, batched
// items, row counts, progress, geometry, and controls added from a page
// template.
#include "ui/control.h"

#include <gtest/gtest.h>

#include <array>

#include "ui/dialog.h"
#include "ui/test_dialog.h"

namespace recaster::ui {
namespace {

using resources::ControlKind;

// Counts the changes a control reports, by aspect.
class ChangeCounter : public ControlObserver {
  public:
    void ControlChanged(const Control&, const ControlChange& change) override {
        ++counts[static_cast<size_t>(change.aspect)];
    }
    int Of(ControlAspect aspect) const { return counts[static_cast<size_t>(aspect)]; }
    std::array<int, 16> counts{};
};

TEST(ControlTest, PrefixAndExactSearchesWrapAroundFromTheItemAfterTheStart) {
    Control list(1, ControlKind::ListBox);
    for (const char* t : {"< None >", "MEDLINE", "Inspec", "MEDLINE Archive", "med"})
        list.AddItem(t);
    EXPECT_EQ(list.FindString("med", 0), 1);
    EXPECT_EQ(list.FindString("MED", 1), 3);
    EXPECT_EQ(list.FindString("med", 4), 1);  // wraps to the start
    EXPECT_EQ(list.FindString("medline archive x", 0), -1);
    EXPECT_EQ(list.FindString("", 0), 1);  // every text begins with nothing
    EXPECT_EQ(list.FindStringExact("med", 0), 4);
    EXPECT_EQ(list.FindStringExact("medline", 1), 1);
    Control empty(2, ControlKind::ListBox);
    EXPECT_EQ(empty.FindString("a"), -1);
}

TEST(ControlTest, SetItemsReplacesEverythingWithOneChange) {
    Control combo(1, ControlKind::DropDownList);
    combo.AddItem("old");
    combo.SetCurSel(0);
    ChangeCounter counter;
    combo.AddObserver(&counter);
    std::vector<ListItem> items;
    for (int i = 0; i < 47; ++i) items.push_back({"item " + std::to_string(i), uint32_t(i)});
    combo.SetItems(std::move(items));
    EXPECT_EQ(counter.Of(ControlAspect::Items), 1);
    EXPECT_EQ(combo.ItemCount(), 47);
    EXPECT_EQ(combo.curSel(), -1);
    EXPECT_EQ(combo.text(), "");  // the old current item is gone
    EXPECT_EQ(combo.Item(46)->data, 46u);

    combo.SetRect({1, 2, 3, 4});
    combo.SetRect({1, 2, 3, 4});
    EXPECT_EQ(counter.Of(ControlAspect::Geometry), 1);
    EXPECT_EQ(combo.rect().width, 3);
    combo.RemoveObserver(&counter);
}

TEST(ControlTest, RowCountAndProgressStayConsistent) {
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
