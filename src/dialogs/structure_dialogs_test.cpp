// The file structure dialogs: what they show, their checks in order with the
// exact messages and focus, what OK writes (and that a failed check or
// Cancel writes nothing), the list dialogs' changed flag and result.
#include <gtest/gtest.h>

#include "config/dfs_info.h"
#include "config/string_lists.h"
#include "dialogs/database_ident_dialog.h"
#include "dialogs/database_ident_info_dialog.h"
#include "dialogs/dialogs_test_util.h"
#include "dialogs/entry_checks.h"
#include "dialogs/field_ident_dialog.h"
#include "dialogs/ignored_line_dialog.h"
#include "dialogs/ignored_lines_dialog.h"
#include "dialogs/record_ident_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"

namespace recaster::dialogs {
namespace {

using ui::DialogDriver;

class StructureDialogsTest : public ::testing::Test {
  protected:
    config::CCfgDFSInfo& dfs() { return *config.root.GetDFSInfo(); }
    // The messages shown so far: string id and text.
    std::vector<std::pair<int, std::string>> Messages() const {
        std::vector<std::pair<int, std::string>> out;
        for (const auto& box : ui.messageBoxes()) out.emplace_back(box.stringId, box.text);
        return out;
    }

    testing::TestConfig config;
    ui::HeadlessUi ui;
};

// --- Record Identification ---------------------------------------------------

TEST(RecordEndModeTest, CheckBoxAndRadioPairMapBothWays) {
    const RecordEndChoice choices[] = {{false, false}, {true, false}, {true, true}, {false, true}};
    for (uint8_t mode = 0; mode < 4; ++mode) {
        const RecordEndChoice c = RecordEndChoiceOf(mode);
        EXPECT_EQ(c.blankLine, choices[mode].blankLine) << int(mode);
        EXPECT_EQ(c.twoOrMore, choices[mode].twoOrMore) << int(mode);
        EXPECT_EQ(RecordEndModeOf(c), mode);
    }
}

TEST_F(StructureDialogsTest, RecordEndStringIsShownOnlyWhileItsOptionIsOn) {
    dfs().recordEndMode = 3;
    dfs().recordEndString = "ER  -";
    dfs().recordEndStringOn = false;
    dfs().Save();
    ui.OnDialog(RecordIdentDialog::kTemplateId, [](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.Focus(), RecordIdentDialog::kHeaderFormat);
        // Mode 3: no blank line, the second radio button remembered.
        EXPECT_FALSE(dlg.IsChecked(RecordIdentDialog::kBlankLine));
        EXPECT_TRUE(dlg.IsChecked(RecordIdentDialog::kTwoOrMoreBlankLines));
        EXPECT_FALSE(dlg.IsChecked(RecordIdentDialog::kOneBlankLine));
        // A stored string whose option is off is not offered.
        EXPECT_FALSE(dlg.IsShown(RecordIdentDialog::kEndString));
        EXPECT_EQ(dlg.GetText(RecordIdentDialog::kEndString), "");
        ASSERT_TRUE(d.Press(RecordIdentDialog::kStringOn));
        EXPECT_TRUE(dlg.IsShown(RecordIdentDialog::kEndString));
        EXPECT_EQ(dlg.Focus(), RecordIdentDialog::kEndString);
        ASSERT_TRUE(d.Press(RecordIdentDialog::kStringOn));
        EXPECT_FALSE(dlg.IsShown(RecordIdentDialog::kEndString));
        ASSERT_TRUE(d.Press(RecordIdentDialog::kBlankLine));
        ASSERT_TRUE(d.PressEnter());
    });
    RecordIdentDialog dialog(dfs());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    config.Reopen();
    EXPECT_EQ(dfs().recordEndMode, 2);  // blank line on, two or more
    EXPECT_FALSE(dfs().recordEndStringOn);
    EXPECT_EQ(dfs().recordEndString, "");  // OK with the option off empties it
}

TEST_F(StructureDialogsTest, RecordChecksRunHeaderFirstAndAFailedCheckWritesNothing) {
    const testing::Records before = config.Snapshot();
    int step = 0;
    ui.OnDialog(RecordIdentDialog::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        ASSERT_TRUE(d.Type(RecordIdentDialog::kHeaderFormat, "PT -**"));
        ASSERT_TRUE(d.Press(RecordIdentDialog::kStringOn));
        ASSERT_TRUE(d.Type(RecordIdentDialog::kEndString, "ER##"));
        ui.AnswerMessageBox(ui::IDOK, kMsgDoubledCharacter);
        ASSERT_TRUE(d.Press(ui::IDOK));
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(dlg.Focus(), RecordIdentDialog::kHeaderFormat);
        EXPECT_EQ(dlg.Item(RecordIdentDialog::kHeaderFormat).selectionEnd(), 6);
        EXPECT_EQ(config.Snapshot(), before);
        // An escaped asterisk is literal; then the end string is checked.
        ASSERT_TRUE(d.Type(RecordIdentDialog::kHeaderFormat, "PT \\**"));
        ui.AnswerMessageBox(ui::IDOK, kMsgDoubledCharacter);
        ASSERT_TRUE(d.Press(ui::IDOK));
        EXPECT_EQ(dlg.Focus(), RecordIdentDialog::kEndString);
        ASSERT_TRUE(d.Type(RecordIdentDialog::kEndString, "ER#"));
        ++step;
        ASSERT_TRUE(d.Press(ui::IDOK));
    });
    RecordIdentDialog dialog(dfs());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(step, 1);
    EXPECT_EQ(Messages(),
              (std::vector<std::pair<int, std::string>>{
                  {4148, "A format string cannot have more than one '*' character in a row."},
                  {4148, "A format string cannot have more than one '#' character in a row."}}));
    config.Reopen();
    EXPECT_EQ(dfs().recordHeaderFormat, "PT \\**");
    EXPECT_TRUE(dfs().recordEndStringOn);
    EXPECT_EQ(dfs().recordEndString, "ER#");
}

TEST_F(StructureDialogsTest, CancelWritesNothing) {
    const testing::Records before = config.Snapshot();
    ui.OnDialog(RecordIdentDialog::kTemplateId, [](DialogDriver& d) {
        d.Type(RecordIdentDialog::kHeaderFormat, "CHANGED");
        d.PressEscape();
    });
    ui.OnDialog(FieldIdentDialog::kTemplateId, [](DialogDriver& d) {
        d.Type(FieldIdentDialog::kTagFormat, "$ -");
        d.Press(ui::IDCANCEL);
    });
    RecordIdentDialog record(dfs());
    EXPECT_EQ(record.DoModal(ui), ui::IDCANCEL);
    FieldIdentDialog field(dfs());
    EXPECT_EQ(field.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(dfs().recordHeaderFormat, "");
    EXPECT_EQ(config.Snapshot(), before);
}

// --- Field Identification ----------------------------------------------------

TEST_F(StructureDialogsTest, FieldIdentShowsNumberEditsOnlyWhileTheirOptionsAreOn) {
    dfs().tagFormat = "$  -";
    dfs().tagLength = 0;
    dfs().tagAreaWidth = 6;
    dfs().defaultCaseConversion = 3;
    ui.OnDialog(FieldIdentDialog::kTemplateId, [](DialogDriver& d) {
        using F = FieldIdentDialog;
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.GetText(F::kTagFormat), "$  -");
        EXPECT_TRUE(dlg.IsChecked(F::kVariable));
        EXPECT_FALSE(dlg.IsShown(F::kTagLength));
        EXPECT_FALSE(dlg.IsShown(F::kAreaWidth));
        EXPECT_FALSE(dlg.IsEnabled(F::kSubfieldIndicator));
        EXPECT_EQ(dlg.GetText(F::kSubfieldIndicator), "\x87");
        EXPECT_EQ(dlg.GetCount(F::kLineContinuation), 3);
        EXPECT_EQ(dlg.GetText(F::kCaseConversion), "Title Case");
        EXPECT_EQ(dlg.GetCount(F::kCaseConversion), 5);  // no Smart Conversion here
        // Turning an option on shows its edit with the focus and the text
        // selected.
        ASSERT_TRUE(d.Press(F::kFixed));
        EXPECT_TRUE(dlg.IsShown(F::kTagLength));
        EXPECT_EQ(dlg.Focus(), F::kTagLength);
        EXPECT_EQ(dlg.Item(F::kTagLength).selectionEnd(), 1);
        ASSERT_TRUE(d.Press(F::kFixedWidthArea));
        EXPECT_TRUE(dlg.IsShown(F::kAreaWidth));
        EXPECT_EQ(dlg.Focus(), F::kAreaWidth);
        EXPECT_EQ(dlg.GetText(F::kAreaWidth), "6");
        ASSERT_TRUE(d.Press(F::kProcessMarc));
        EXPECT_TRUE(dlg.IsEnabled(F::kSubfieldIndicator));
        ASSERT_TRUE(d.Press(F::kVariable));
        EXPECT_FALSE(dlg.IsShown(F::kTagLength));
        d.PressEscape();
    });
    FieldIdentDialog dialog(dfs());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
}

TEST_F(StructureDialogsTest, FieldIdentChecksRunInTheirOrderWithTheirMessages) {
    dfs().tagFormat = "$ ";
    const testing::Records before = config.Snapshot();
    using F = FieldIdentDialog;
    struct Step {
        int control;
        std::string text;  // set as the dialog code would (past the limits)
        int message;
        std::string shown;
    };
    const std::vector<Step> steps = {
        {F::kSubfieldIndicator, "ab", kMsgTooLong, "Enter no more than 1 characters."},
        {F::kTagFormat, std::string(65, 'x'), kMsgTooLong, "Enter no more than 64 characters."},
        {F::kTagFormat, "", kMsgTagFormatBlank, "The Tag Format string cannot be left blank"},
        {F::kTagFormat, "$-$", kMsgSecondTagPosition,
         "Only 1 '$' character is allowed in the Tag Format string"},
        {F::kTagFormat, "\\$-", kMsgNoTagPosition,
         "The tag position character ($) is required in the Tag Format string"},
        {F::kTagFormat, "$  -", kMsgDoubledCharacter,
         "A format string cannot have more than one ' ' character in a row."},
        {F::kTagLength, "4x", kMsgWholeNumber, "Enter a whole number."},
        {F::kTagLength, "33", kMsgNumberRange, "Enter a whole number from 0 to 32."},
        {F::kEmptyString, std::string(65, '-'), kMsgTooLong, "Enter no more than 64 characters."},
        {F::kTerminator, std::string(65, '-'), kMsgTooLong, "Enter no more than 64 characters."},
        {F::kAreaWidth, "", kMsgWholeNumber, "Enter a whole number."},
        {F::kAreaWidth, "300", kMsgNumberRange, "Enter a whole number from 0 to 255."},
    };
    ui.OnDialog(F::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        d.Press(F::kFixed);
        d.Press(F::kFixedWidthArea);
        d.Press(F::kProcessMarc);
        // Every field starts wrong; each OK reports the first one left, and
        // fixing it moves on to the next.
        const std::map<int, std::string> good = {
            {F::kSubfieldIndicator, "$"}, {F::kTagFormat, "$ -"}, {F::kTagLength, "4"},
            {F::kEmptyString, "-"},       {F::kTerminator, ""},   {F::kAreaWidth, "255"}};
        for (const Step& s : steps) dlg.SetText(s.control, s.text);
        for (size_t i = 0; i < steps.size(); ++i) {
            dlg.SetText(steps[i].control, steps[i].text);
            ui.AnswerMessageBox(ui::IDOK, steps[i].message);
            ASSERT_TRUE(d.Press(ui::IDOK));
            ASSERT_FALSE(dlg.IsEnded()) << i;
            EXPECT_EQ(ui.messageBoxes().back().text, steps[i].shown) << i;
            EXPECT_EQ(dlg.Focus(), steps[i].control) << i;
            EXPECT_EQ(config.Snapshot(), before) << i;
            const bool lastForControl =
                i + 1 == steps.size() || steps[i + 1].control != steps[i].control;
            if (lastForControl) dlg.SetText(steps[i].control, good.at(steps[i].control));
        }
        ASSERT_TRUE(d.Press(ui::IDOK));
    });
    FieldIdentDialog dialog(dfs());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    config.Reopen();
    EXPECT_EQ(dfs().tagFormat, "$ -");
    EXPECT_EQ(dfs().tagLength, 4);
    EXPECT_TRUE(dfs().fixedWidthTagArea);
    EXPECT_EQ(dfs().tagAreaWidth, 255);
    EXPECT_EQ(dfs().emptyFieldFiller, "-");
    EXPECT_TRUE(dfs().processMarcSubfields);
    EXPECT_EQ(dfs().subfieldIndicator, "$");
}

TEST_F(StructureDialogsTest, FixedWithZeroStoresAVariableLengthAndUnofferedValuesStay) {
    dfs().defaultCaseConversion = 5;  // Smart Conversion: not in this list
    dfs().tagFormat = "$";
    dfs().tagAreaWidth = 9;
    dfs().Save();
    ui.OnDialog(FieldIdentDialog::kTemplateId, [](DialogDriver& d) {
        using F = FieldIdentDialog;
        EXPECT_EQ(d.dialog().GetCurSel(F::kCaseConversion), -1);
        d.Press(F::kFixed);
        d.Type(F::kTagLength, "0");
        d.Select(F::kLineContinuation, 2);
        // A width whose option is off is not checked, and junk there keeps
        // the stored width.
        d.Press(F::kFixedWidthArea);
        d.Type(F::kAreaWidth, "junk");
        d.Press(F::kFixedWidthArea);
        d.PressEnter();
    });
    FieldIdentDialog dialog(dfs());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_TRUE(ui.messageBoxes().empty());
    config.Reopen();
    EXPECT_EQ(dfs().tagLength, 0);
    EXPECT_EQ(dfs().defaultCaseConversion, 5);
    EXPECT_EQ(dfs().lineContinuation, 2);
    EXPECT_EQ(dfs().tagAreaWidth, 9);
    ui.OnDialog(FieldIdentDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.dialog().IsChecked(FieldIdentDialog::kVariable));
        d.PressEscape();
    });
    FieldIdentDialog again(dfs());
    again.DoModal(ui);
}

// --- Database Identification ---------------------------------------------------

TEST_F(StructureDialogsTest, IdentifiersAreAddedModifiedAndDeletedInPlace) {
    config.root.GetIdentPairs()->pairs = {{"DB=MEDLINE", ""}, {"FN ", " Search"}};
    config.root.GetIdentPairs()->Save();
    config.AddDatabase("MEDLINE");
    std::vector<std::pair<std::string, std::string>> typed = {{"A**", "x"}, {"A\\**", "x"}};
    ui.OnDialog(DatabaseIdentInfoDialog::kTemplateId, [&](DialogDriver& d) {
        auto [prefix, suffix] = typed.front();
        typed.erase(typed.begin());
        d.Type(DatabaseIdentInfoDialog::kPrefix, prefix);
        d.Type(DatabaseIdentInfoDialog::kSuffix, suffix);
        d.PressEnter();
        if (!d.dialog().IsEnded()) {
            EXPECT_EQ(d.dialog().Focus(), DatabaseIdentInfoDialog::kPrefix);
            d.Type(DatabaseIdentInfoDialog::kPrefix, "SO ");
            d.PressEnter();
        }
    });
    ui.OnDialog(DatabaseIdentDialog::kTemplateId, [&](DialogDriver& d) {
        auto& dlg = d.As<DatabaseIdentDialog>();
        EXPECT_EQ(dlg.Focus(), ListEditDialog::kList);
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 0);
        EXPECT_TRUE(dlg.IsEnabled(ListEditDialog::kModify));
        // Prefix on the left, clipped before the suffix column, which starts
        // under the "Suffixes:" label.
        ui::HeadlessCanvas canvas;
        ASSERT_TRUE(d.DrawRows(ListEditDialog::kList, canvas, 300));
        const auto texts = canvas.Texts();
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(dlg.SuffixColumn(), 150 - 11);  // 100 and 7 dialog units at 6 px per 4
        EXPECT_EQ(texts[0].rect.right, dlg.SuffixColumn() - 4);
        EXPECT_EQ(texts[3].text, " Search");
        EXPECT_EQ(texts[3].rect.left, dlg.SuffixColumn());
        EXPECT_EQ(texts[0].background, (ui::Color{0, 0, 128}));  // row 0 selected

        // New: a refused pattern first, then one that passes; appended and
        // selected.
        ui.AnswerMessageBox(ui::IDOK, kMsgDoubledCharacter);
        ASSERT_TRUE(d.Press(ListEditDialog::kNew));
        EXPECT_EQ(dlg.GetCount(ListEditDialog::kList), 3);
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 2);
        // Modify by double click, then Delete the second without a question.
        typed = {{"DB=", "?"}};
        ASSERT_TRUE(d.DoubleClick(ListEditDialog::kList, 0));
        ASSERT_TRUE(d.Select(ListEditDialog::kList, 1));
        ASSERT_TRUE(d.Press(ListEditDialog::kDelete));
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 1);
        ASSERT_TRUE(d.Press(ListEditDialog::kDone));
    });
    DatabaseIdentDialog dialog(config.root);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(ui.messageBoxes().size(), 1u);  // the refused pattern; Delete asks nothing
    config.Reopen();
    const auto& pairs = config.root.GetIdentPairs()->pairs;
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0], (config::CCfgStringPair{"DB=", "?"}));
    EXPECT_EQ(pairs[1], (config::CCfgStringPair{"SO ", "x"}));
    EXPECT_EQ(dfs().fallbackDatabase, "");
}

TEST_F(StructureDialogsTest, FallbackDatabaseOpensOnAPrefixAndCountsAsAChange) {
    config.AddDatabase("MEDLINE");
    config.AddDatabase("INSPEC");
    dfs().fallbackDatabase = "med";
    dfs().Save();
    const testing::Records before = config.Snapshot();
    ui.OnDialog(DatabaseIdentDialog::kTemplateId, [](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.GetCount(DatabaseIdentDialog::kFallbackList), 4);
        EXPECT_EQ(dlg.GetItemText(DatabaseIdentDialog::kFallbackList, 0), "< None >");
        EXPECT_EQ(dlg.GetText(DatabaseIdentDialog::kFallbackList), "");
        const int sel = dlg.GetCurSel(DatabaseIdentDialog::kFallbackList);
        EXPECT_EQ(dlg.GetItemText(DatabaseIdentDialog::kFallbackList, sel), "MEDLINE");
        d.PressEscape();
    });
    DatabaseIdentDialog unchanged(config.root);
    EXPECT_EQ(unchanged.DoModal(ui), ui::IDCANCEL);  // nothing changed
    EXPECT_EQ(config.Snapshot(), before);

    // Escape after a change saves it, like Done.
    ui.OnDialog(DatabaseIdentDialog::kTemplateId, [](DialogDriver& d) {
        d.Select(DatabaseIdentDialog::kFallbackList, 0);
        d.PressEscape();
    });
    DatabaseIdentDialog none(config.root);
    EXPECT_EQ(none.DoModal(ui), ui::IDOK);
    config.Reopen();
    EXPECT_EQ(dfs().fallbackDatabase, "");

    ui.OnDialog(DatabaseIdentDialog::kTemplateId, [](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.GetCurSel(DatabaseIdentDialog::kFallbackList), 0);
        d.Select(DatabaseIdentDialog::kFallbackList,
                 dlg.FindStringExact(DatabaseIdentDialog::kFallbackList, "INSPEC"));
        d.Press(ListEditDialog::kDone);
    });
    DatabaseIdentDialog inspec(config.root);
    EXPECT_EQ(inspec.DoModal(ui), ui::IDOK);
    config.Reopen();
    EXPECT_EQ(dfs().fallbackDatabase, "INSPEC");
}

// --- Ignored Lines -------------------------------------------------------------

TEST_F(StructureDialogsTest, IgnoredLinesFromTheKeyboard) {
    config.root.GetIgnoredLines()->strings = {"Copyright*", "ZZ##"};
    config.root.GetIgnoredLines()->Save();
    std::vector<std::string> typed = {"A  B", "Printed #*", "Copyright \\*"};
    ui.OnDialog(IgnoredLineDialog::kTemplateId, [&](DialogDriver& d) {
        while (!d.dialog().IsEnded() && !typed.empty()) {
            d.Type(IgnoredLineDialog::kLineFormat, typed.front());
            typed.erase(typed.begin());
            d.PressEnter();
        }
    });
    ui.OnDialog(IgnoredLinesDialog::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        const ui::KeyPress insert{ui::Key::Insert}, del{ui::Key::Delete}, enter{ui::Key::Enter};
        ui.AnswerMessageBox(ui::IDOK, kMsgDoubledCharacter);  // the two spaces
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, insert));
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 2);
        // Type-ahead: "z" finds ZZ##, Delete removes it without a question.
        EXPECT_TRUE(d.Char(ListEditDialog::kList, 'z'));
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 1);
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, del));
        ui.AdvanceTicks(1000);  // a pause: a new prefix
        EXPECT_TRUE(d.Char(ListEditDialog::kList, 'c'));
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 0);
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, enter));  // Modify
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_TRUE(d.PressEnter());  // Done
    });
    IgnoredLinesDialog dialog(*config.root.GetIgnoredLines());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(ui.messageBoxes().size(), 1u);
    config.Reopen();
    EXPECT_EQ(config.root.GetIgnoredLines()->strings,
              (std::vector<std::string>{"Copyright \\*", "Printed #*"}));
}

TEST_F(StructureDialogsTest, AListDialogWithoutAChangeReturnsCancelAndWritesNothing) {
    config.root.GetIgnoredLines()->strings = {"X"};
    config.root.GetIgnoredLines()->Save();
    const testing::Records before = config.Snapshot();
    ui.OnDialog(IgnoredLineDialog::kTemplateId, [](DialogDriver& d) { d.PressEscape(); });
    ui.OnDialog(IgnoredLinesDialog::kTemplateId, [](DialogDriver& d) {
        d.Press(ListEditDialog::kModify);  // cancelled: no change
        d.Press(ListEditDialog::kNew);     // cancelled too
        d.Press(ListEditDialog::kDone);
    });
    IgnoredLinesDialog dialog(*config.root.GetIgnoredLines());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(config.Snapshot(), before);
    // Deleting the only line leaves nothing selected and Modify disabled.
    ui.OnDialog(IgnoredLinesDialog::kTemplateId, [](DialogDriver& d) {
        d.Press(ListEditDialog::kDelete);
        EXPECT_EQ(d.dialog().GetCurSel(ListEditDialog::kList), -1);
        EXPECT_FALSE(d.dialog().IsEnabled(ListEditDialog::kModify));
        EXPECT_FALSE(d.dialog().IsEnabled(ListEditDialog::kDelete));
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, {ui::Key::Delete}));  // nothing to do
        d.Press(ListEditDialog::kDone);
    });
    IgnoredLinesDialog again(*config.root.GetIgnoredLines());
    EXPECT_EQ(again.DoModal(ui), ui::IDOK);
    EXPECT_TRUE(config.root.GetIgnoredLines()->strings.empty());
}

TEST_F(StructureDialogsTest, AViewOnlyListDialogShowsItsItemsButNewAndDeleteAreOff) {
    config.root.GetIgnoredLines()->strings = {"Copyright*", "ZZ##"};
    config.root.GetIgnoredLines()->Save();
    const testing::Records before = config.Snapshot();
    // Modify shows the line in a dialog that cannot change it.
    ui.OnDialog(IgnoredLineDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetText(IgnoredLineDialog::kLineFormat), "ZZ##");
        EXPECT_FALSE(d.Type(IgnoredLineDialog::kLineFormat, "X"));
        EXPECT_TRUE(d.PressEnter());
    });
    ui.OnDialog(IgnoredLinesDialog::kTemplateId, [](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_FALSE(dlg.IsEnabled(ListEditDialog::kNew));
        EXPECT_FALSE(dlg.IsEnabled(ListEditDialog::kDelete));
        EXPECT_TRUE(dlg.IsEnabled(ListEditDialog::kModify));
        // The list keys of New and Delete do nothing; the list still moves.
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, {ui::Key::Insert}));
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, {ui::Key::Delete}));
        EXPECT_EQ(dlg.GetCount(ListEditDialog::kList), 2);
        EXPECT_TRUE(d.Char(ListEditDialog::kList, 'z'));
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 1);
        EXPECT_TRUE(d.KeyDown(ListEditDialog::kList, {ui::Key::Enter}));
        EXPECT_TRUE(d.Press(ListEditDialog::kDone));
    });
    ui::ViewOnlyScope viewOnly;
    IgnoredLinesDialog dialog(*config.root.GetIgnoredLines());
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(ui.dialogsRun(),
              (std::vector<int>{IgnoredLinesDialog::kTemplateId, IgnoredLineDialog::kTemplateId}));
    EXPECT_EQ(config.Snapshot(), before);
}

TEST_F(StructureDialogsTest, F1AndTheHelpButtonOpenTheDialogsPage) {
    ui.OnDialog(RecordIdentDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.KeyDown(RecordIdentDialog::kHeaderFormat, {ui::Key::F1}));
        EXPECT_FALSE(d.dialog().IsEnded());
        d.PressEscape();
    });
    ui.OnDialog(IgnoredLinesDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.Press(ui::IDHELP));
        d.PressEscape();
    });
    RecordIdentDialog record(dfs());
    record.DoModal(ui);
    IgnoredLinesDialog lines(*config.root.GetIgnoredLines());
    lines.DoModal(ui);
    const std::pair<ui::HelpCommand, std::string> page{ui::HelpCommand::Topic,
                                                       "configuration_dialogs.html"};
    EXPECT_EQ(ui.helpRequests(), (std::vector{page, page}));
}

}  // namespace
}  // namespace recaster::dialogs
