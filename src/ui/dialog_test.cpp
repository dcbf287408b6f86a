// Dialogs run through HeadlessUi: opening, OK with checks, Cancel, text
// limits, radio groups, combo item data, the observer reports, and controls
// that share an id.
#include "ui/dialog.h"

#include <gtest/gtest.h>

#include <array>

#include "resources/strings.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"
#include "ui/test_dialog.h"

namespace recaster::ui {
namespace {

using namespace fixture;

TEST(DialogTest, OpensFromValuesAndOkWritesThemBack) {
    HeadlessUi ui;
    TestValues values;
    bool seen = false;
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        Dialog& dlg = d.dialog();
        seen = true;
        // OnInitDialog filled the controls; the first tab stop has the focus
        // with its text selected.
        EXPECT_EQ(dlg.GetText(kName), "ALPHA");
        EXPECT_EQ(dlg.Focus(), kName);
        EXPECT_EQ(dlg.Item(kName).selectionStart(), 0);
        EXPECT_EQ(dlg.Item(kName).selectionEnd(), 5);
        EXPECT_TRUE(dlg.IsChecked(kActive));
        EXPECT_EQ(dlg.CheckedRadio(kRadioA, kRadioB), kRadioB);
        EXPECT_EQ(dlg.GetText(kKind), "Beta");

        EXPECT_TRUE(d.Type(kName, "gamma"));
        EXPECT_TRUE(d.Press(kActive));
        EXPECT_TRUE(d.SelectData(kKind, 30));
        EXPECT_TRUE(d.Type(kCount, "12"));
        EXPECT_TRUE(d.Press(IDOK));
    });
    TestDialog dlg(values);
    EXPECT_EQ(dlg.DoModal(ui), IDOK);
    EXPECT_TRUE(seen);
    EXPECT_EQ(values.name, "GAMMA");  // uppercase edit
    EXPECT_FALSE(values.active);
    EXPECT_EQ(values.kind, 30u);
    EXPECT_EQ(values.count, 12);
    EXPECT_EQ(ui.dialogsRun(), std::vector<int>{kTestTemplateId});
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST(DialogTest, FailedCheckShowsFilledMessageKeepsDialogOpenAndFocusesControl) {
    HeadlessUi ui;
    TestValues values;
    ui.AnswerMessageBox(IDOK, kNameRequired);
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        TestDialog& dlg = d.As<TestDialog>();
        d.Type(kName, "");
        d.Focus(kCount);
        int killsBefore = dlg.killFocusSeen;
        EXPECT_TRUE(d.PressEnter());  // Enter: the default button, focus stays
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(dlg.Focus(), kName);
        EXPECT_EQ(dlg.killFocusSeen, killsBefore);  // the name was not left
        ASSERT_EQ(ui.messageBoxes().size(), 1u);
        const auto& box = ui.messageBoxes()[0];
        EXPECT_EQ(box.stringId, kNameRequired);
        EXPECT_EQ(box.text, resources::FormatString(kNameRequired, "*"));
        // Exact once the string table holds the text (it is added with the
        // dialogs that use it).
        if (!resources::LoadString(kNameRequired).empty()) {
            EXPECT_EQ(box.text,
                      "A format string cannot have more than one '*' character in a row.");
        }
        EXPECT_EQ(box.flags, MB_OK | MB_ICONEXCLAMATION);

        // A count that is no whole number fails too, without a message here.
        d.Type(kName, "delta");
        dlg.SetText(kCount, "1x");
        d.Press(IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(dlg.Focus(), kCount);
        d.Type(kCount, " 7 ");
        d.Press(IDOK);
    });
    TestDialog dlg(values);
    EXPECT_EQ(dlg.DoModal(ui), IDOK);
    EXPECT_EQ(values.name, "DELTA");
    EXPECT_EQ(values.count, 7);
    // The focus record shows the return to the failing control after OK.
    const auto& focus = ui.focusChanges();
    ASSERT_GE(focus.size(), 3u);
    EXPECT_EQ(focus.back().controlId, IDOK);
    EXPECT_EQ(focus[focus.size() - 2].controlId, kCount);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(DialogTest, CancelAndEscapeWriteNothing) {
    HeadlessUi ui;
    TestValues values;
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        d.Type(kName, "changed");
        d.Press(IDCANCEL);
        // Once ended, the dialog takes no more input.
        EXPECT_FALSE(d.Press(IDOK));
        EXPECT_FALSE(d.Type(kName, "x"));
    });
    TestDialog first(values);
    EXPECT_EQ(first.DoModal(ui), IDCANCEL);
    EXPECT_EQ(values.name, "ALPHA");

    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        d.Type(kName, "changed");
        d.PressEscape();
    });
    TestDialog second(values);
    EXPECT_EQ(second.DoModal(ui), IDCANCEL);
    EXPECT_EQ(values.name, "ALPHA");
}

TEST(DialogTest, TextLimitHoldsBackTheUserOnly) {
    HeadlessUi ui;
    TestValues values;
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        TestDialog& dlg = d.As<TestDialog>();
        EXPECT_TRUE(d.Type(kName, "abcdefghijk"));
        EXPECT_EQ(dlg.GetText(kName), "ABCDEFGH");
        EXPECT_EQ(dlg.maxTextSeen, 1);
        EXPECT_TRUE(d.Type(kName, "abcdefgh"));  // exactly at the limit: no report
        EXPECT_EQ(dlg.maxTextSeen, 1);
        // Dialog code may set a longer text, so its check can reject it.
        dlg.SetText(kName, "TOO LONG FOR THE BOX");
        EXPECT_EQ(dlg.GetText(kName), "TOO LONG FOR THE BOX");
        // A number edit drops what is not a digit; a read-only edit refuses.
        d.Type(kCount, "4a2");
        EXPECT_EQ(dlg.GetText(kCount), "42");
        dlg.Item(kCount).SetReadOnly(true);
        EXPECT_FALSE(d.Type(kCount, "9"));
        EXPECT_EQ(dlg.GetText(kCount), "42");
        d.PressEscape();
    });
    TestDialog dlg(values);
    dlg.DoModal(ui);
}

TEST(DialogTest, RadioGroupsAndDisabledOrHiddenControls) {
    HeadlessUi ui;
    TestValues values;
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        Dialog& dlg = d.dialog();
        EXPECT_TRUE(d.Press(kRadioA));
        EXPECT_TRUE(dlg.IsChecked(kRadioA));
        EXPECT_FALSE(dlg.IsChecked(kRadioB));
        EXPECT_TRUE(dlg.IsChecked(kRadioC));  // another group stays
        EXPECT_TRUE(d.Press(kRadioD));
        EXPECT_FALSE(dlg.IsChecked(kRadioC));
        EXPECT_TRUE(dlg.IsChecked(kRadioA));

        // Check boxes toggle; an indeterminate box becomes unchecked.
        dlg.Check(kActive, 2);
        d.Press(kActive);
        EXPECT_EQ(dlg.CheckState(kActive), 0);

        dlg.Enable(kActive, false);
        EXPECT_FALSE(d.Press(kActive));
        EXPECT_EQ(dlg.CheckState(kActive), 0);
        dlg.Show(kName, false);
        EXPECT_FALSE(d.Type(kName, "hidden"));
        EXPECT_FALSE(d.Press(kName));  // an edit is not a button
        dlg.Enable(IDOK, false);
        EXPECT_FALSE(d.PressEnter());
        EXPECT_THROW(dlg.Item(999), std::out_of_range);
        d.Press(IDOK);  // refused: disabled
        EXPECT_FALSE(dlg.IsEnded());
        dlg.Enable(IDOK, true);
        d.Press(IDOK);
    });
    TestDialog dlg(values);
    EXPECT_EQ(dlg.DoModal(ui), IDOK);
    EXPECT_EQ(values.radio, kRadioA);
}

TEST(DialogTest, ComboItemsKeepTheirDataThroughSortingAndDeletes) {
    TestValues values;
    TestDialog dlg(values);
    HeadlessUi ui;
    dlg.Initialize(ui);
    // Sorted ignoring case: alpha, Beta, Zeta.
    EXPECT_EQ(dlg.GetItemText(kKind, 0), "alpha");
    EXPECT_EQ(dlg.GetItemData(kKind, 1), 20u);
    EXPECT_EQ(dlg.GetItemData(kKind, 2), 30u);
    EXPECT_EQ(dlg.GetItemData(kKind, 3), std::nullopt);
    EXPECT_EQ(dlg.GetCurSel(kKind), 1);
    EXPECT_EQ(dlg.FindStringExact(kKind, "ZETA"), 2);
    EXPECT_EQ(dlg.FindStringExact(kKind, "Bet"), -1);
    // The search starts after `after` and wraps around.
    EXPECT_EQ(dlg.AddItem(kKind, "BETA", 21), 2);  // after the equal "Beta"
    EXPECT_EQ(dlg.FindStringExact(kKind, "beta", 1), 2);
    EXPECT_EQ(dlg.FindStringExact(kKind, "beta", 2), 1);

    // Deleting before the selection moves it along; deleting it clears it
    // and the drop-down list's text with it.
    dlg.SetCurSel(kKind, 2);
    EXPECT_TRUE(dlg.DeleteItem(kKind, 0));
    EXPECT_EQ(dlg.GetCurSel(kKind), 1);
    EXPECT_EQ(dlg.GetText(kKind), "BETA");
    EXPECT_TRUE(dlg.DeleteItem(kKind, 1));
    EXPECT_EQ(dlg.GetCurSel(kKind), -1);
    EXPECT_EQ(dlg.GetText(kKind), "");
    EXPECT_FALSE(dlg.DeleteItem(kKind, 7));
    // Inserting keeps the position asked for, even in a sorted box.
    EXPECT_EQ(dlg.InsertItem(kKind, 0, "zz", 99), 0);
    EXPECT_EQ(dlg.InsertItem(kKind, 9, "beyond", 1), -1);
    EXPECT_FALSE(dlg.SetCurSel(kKind, 5));
    EXPECT_EQ(dlg.GetCurSel(kKind), -1);
    dlg.ResetContent(kKind);
    EXPECT_EQ(dlg.GetCount(kKind), 0);
}

// Records what an adapter would mirror.
class Mirror : public DialogObserver {
  public:
    void ControlChanged(const Control& c, const ControlChange& change) override {
        seen.push_back({c.id(), change.aspect});
    }
    void Ended(int result) override { endedWith = result; }
    std::vector<std::pair<int, ControlAspect>> seen;
    int endedWith = 0;
};

TEST(DialogTest, ObserversSeeChangesFromCodeAndUserButOnlyUserInputReachesOnCommand) {
    TestValues values;
    TestDialog dlg(values);
    HeadlessUi ui;
    Mirror mirror;
    dlg.AddObserver(&mirror);
    dlg.Initialize(ui);
    int commandsAfterInit = dlg.commands;
    dlg.SetText(kName, "NEW");
    dlg.Enable(kActive, false);
    dlg.SetText(kName, "NEW");  // no change, no report
    EXPECT_EQ(dlg.commands, commandsAfterInit);
    using P = std::pair<int, ControlAspect>;
    std::vector<P> tail(mirror.seen.end() - 2, mirror.seen.end());
    EXPECT_EQ(tail,
              (std::vector<P>{{kName, ControlAspect::Text}, {kActive, ControlAspect::Enabled}}));

    DialogDriver d(dlg);
    d.Select(kKind, 0);
    EXPECT_EQ(mirror.seen.back(), (P{kKind, ControlAspect::ItemSelection}));
    EXPECT_EQ(dlg.GetText(kKind), "alpha");
    EXPECT_GT(dlg.commands, commandsAfterInit);
    d.PressEscape();
    EXPECT_EQ(mirror.endedWith, IDCANCEL);
    dlg.RemoveObserver(&mirror);
}

}  // namespace
}  // namespace recaster::ui

namespace recaster::ui {
namespace {

// Records which control each command and key came from.
class SharedIdDialog : public Dialog {
  public:
    SharedIdDialog() : Dialog(fixture::TestTemplate()) {}
    std::vector<std::pair<const Control*, Notification>> commands;
    std::vector<const Control*> keyControls;

  protected:
    bool OnCommand(Control& control, Notification n) override {
        commands.emplace_back(&control, n);
        return false;
    }
    bool OnKeyDown(Control& control, const KeyPress& key) override {
        keyControls.push_back(&control);
        return key.key == Key::Insert;
    }
};

TEST(DialogTest, ControlsSharingAnIdAreToldApartByTheControl) {
    using namespace resources;
    static const std::array<ControlTemplate, 1> pageControls{
        {{fixture::kActive, ControlKind::CheckBox, "&Replace", {0, 0, 60, 10}, kStyleTabStop}}};
    static const DialogTemplate page{9100, "", 100, 40, {}, 8, pageControls};
    HeadlessUi ui;
    SharedIdDialog dlg;
    Control& own = dlg.Item(fixture::kActive);
    Control& other = *dlg.AddControls(page, 10, 100, fixture::kCount).front();
    dlg.Initialize(ui);
    DialogDriver d(dlg);

    ASSERT_TRUE(d.Press(other));
    EXPECT_EQ(other.checked(), 1);
    EXPECT_EQ(own.checked(), 0);  // the dialog's own check box is untouched
    ASSERT_EQ(dlg.commands.back().first, &other);
    EXPECT_EQ(dlg.FocusedControl(), &other);
    EXPECT_EQ(dlg.Focus(), fixture::kActive);
    // The id helpers address the first control with the id.
    EXPECT_EQ(&dlg.Item(fixture::kActive), &own);
    ASSERT_TRUE(d.Press(fixture::kActive));
    EXPECT_EQ(dlg.commands.back().first, &own);

    // Keys come with the control that has the focus.
    EXPECT_TRUE(d.KeyDown(other, {Key::Insert}));
    EXPECT_FALSE(d.KeyDown(other, {Key::Delete}));
    EXPECT_EQ(dlg.keyControls, (std::vector<const Control*>{&other, &other}));
    other.SetEnabled(false);
    EXPECT_FALSE(d.KeyDown(other, {Key::Insert}));  // a disabled control takes no keys

    // Dialog units become pixels with the units the front end set.
    dlg.SetBaseUnits({8, 16});
    EXPECT_EQ(dlg.MapDialogRect({4, 8, 40, 16}), (Rect{8, 16, 88, 48}));
    EXPECT_EQ(PixelsToDialogUnitsX(88, dlg.baseUnits()), 44);
    EXPECT_EQ(PixelsToDialogUnitsY(17, dlg.baseUnits()), 9);  // 8.5 rounds up
}

TEST(DialogTest, AViewOnlyDialogShowsItsValuesAndTakesNothingBack) {
    HeadlessUi ui;
    TestValues values;
    TestValues nestedValues;
    int runs = 0;
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        Dialog& dlg = d.dialog();
        EXPECT_TRUE(dlg.viewOnly());
        if (++runs == 2) {
            // A dialog opened from a view-only one is view-only too.
            EXPECT_TRUE(d.Press(IDOK));
            return;
        }
        // The values are shown; the edit is read-only but keeps the focus
        // (its text can be copied), the rest cannot be changed.
        EXPECT_EQ(dlg.GetText(kName), "ALPHA");
        EXPECT_EQ(dlg.Focus(), kName);
        EXPECT_TRUE(dlg.Item(kName).enabled());
        EXPECT_TRUE(dlg.Item(kName).readOnly());
        EXPECT_FALSE(d.Type(kName, "gamma"));
        EXPECT_FALSE(d.Press(kActive));
        EXPECT_FALSE(d.SelectData(kKind, 30));
        EXPECT_FALSE(dlg.IsEnabled(kRadioA));
        // Dialog code that enables controls as the data changes cannot
        // undo the lock.
        dlg.Enable(kActive, true);
        dlg.Item(kName).SetReadOnly(false);
        EXPECT_FALSE(dlg.IsEnabled(kActive));
        EXPECT_TRUE(dlg.Item(kName).readOnly());
        // Controls added while it runs are locked as well.
        std::vector<Control*> added = dlg.AddControls(TestTemplate(), 0, 200, kCount);
        for (Control* c : added) {
            if (c->kind() == ControlKind::CheckBox) {
                EXPECT_FALSE(c->enabled());
            }
            if (c->IsEdit()) {
                EXPECT_TRUE(c->readOnly());
            }
        }
        TestDialog nested(nestedValues);
        EXPECT_EQ(nested.DoModal(ui), IDCANCEL);
        // Enter presses OK, which only closes.
        EXPECT_TRUE(d.PressEnter());
        EXPECT_TRUE(dlg.IsEnded());
    });
    TestDialog dlg(values);
    {
        ViewOnlyScope viewOnly;
        EXPECT_EQ(dlg.DoModal(ui), IDCANCEL);
    }
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(values.name, "ALPHA");
    EXPECT_TRUE(values.active);
    EXPECT_EQ(values.count, 3);

    // Run again without the scope, it edits as usual.
    ui.OnDialog(kTestTemplateId, [&](DialogDriver& d) {
        EXPECT_FALSE(d.dialog().viewOnly());
        EXPECT_TRUE(d.Type(kName, "gamma"));
        EXPECT_TRUE(d.PressEnter());
    });
    EXPECT_EQ(TestDialog(values).DoModal(ui), IDOK);
    EXPECT_EQ(values.name, "GAMMA");
    // A scope made with `false` changes nothing.
    ViewOnlyScope off(false);
    EXPECT_FALSE(ViewOnlyScope::Active());
}

}  // namespace
}  // namespace recaster::ui
