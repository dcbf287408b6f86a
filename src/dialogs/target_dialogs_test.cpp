// The target field chooser and the two target mapping dialogs: the items and
// indexes of the chooser, the rows of Target Fields (order, columns,
// italics, texts, workforms that share a name), changing one workform's
// target, and that nothing is stored by them.
#include <gtest/gtest.h>

#include "dialogs/field_dialogs_test_util.h"
#include "dialogs/parsed_format_dialog.h"
#include "dialogs/target_field_combo_box.h"
#include "dialogs/target_field_dialog.h"
#include "dialogs/target_fields_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"

namespace recaster::dialogs {
namespace {

using testing::FieldDialogsTest;
using ui::DialogDriver;
using TF = TargetFieldDialog;
using TFs = TargetFieldsDialog;

// Each row of the list as painted: name, target, whether the target is in
// italics.
struct PaintedRow {
    std::string name;
    std::string target;
    bool italic = false;
};

std::vector<PaintedRow> Paint(DialogDriver& d) {
    ui::HeadlessCanvas canvas;
    d.DrawRows(ListEditDialog::kList, canvas, 480);
    std::vector<PaintedRow> rows;
    const std::vector<ui::DrawOp> texts = canvas.Texts();
    for (size_t i = 0; i + 1 < texts.size(); i += 2) {
        EXPECT_EQ(texts[i].rect.left, TFs::kNameLeft);
        EXPECT_EQ(texts[i].rect.right, TFs::kNameRight);
        EXPECT_EQ(texts[i + 1].rect.left, TFs::kTargetLeft);
        EXPECT_EQ(texts[i + 1].rect.right, 480);
        EXPECT_FALSE(texts[i].options.italic);
        rows.push_back({texts[i].text, texts[i + 1].text, texts[i + 1].options.italic});
    }
    return rows;
}

TEST_F(FieldDialogsTest, TargetChooserOffersTheFieldsAWorkformUses) {
    ui::Control combo(200, resources::ControlKind::DropDownList);
    TargetFieldComboBox box(combo, catalog, 8);
    box.FillAndSelectFirst();
    ASSERT_EQ(combo.ItemCount(), 10);  // do not transfer, fields 1..8 and 10
    EXPECT_EQ(combo.Item(0)->text, "* Do Not Transfer");
    EXPECT_EQ(combo.Item(1)->text, "(1) M1");
    EXPECT_EQ(combo.Item(9)->text, "(10) M10");
    EXPECT_EQ(box.SelectedFieldIndex(), config::kNoTarget);
    box.SelectFieldIndex(9);
    EXPECT_EQ(combo.curSel(), 9);
    EXPECT_EQ(box.SelectedFieldIndex(), 9);
    // A field the workform does not use, and an index past the last field.
    box.SelectFieldIndex(8);
    EXPECT_EQ(combo.curSel(), 0);
    box.SelectFieldIndex(200);
    EXPECT_EQ(combo.curSel(), 0);
    combo.SetCurSel(-1);
    EXPECT_EQ(box.SelectedFieldIndex(), config::kNoTarget);
}

TEST_F(FieldDialogsTest, TargetFieldsListsEveryWorkformWithDefaultsInItalics) {
    config::CCfgField* field = AddField("TI");
    field->defaultTarget = 8;  // field 9
    field->SetAlternateTarget(2, 44);
    ui.OnDialog(TFs::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.Focus(), ListEditDialog::kList);
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 0);
        // The caption stands over the target column: 230 pixels in.
        EXPECT_EQ(dlg.Item(TFs::kTargetCaption).rect().x,
                  dlg.Item(ListEditDialog::kList).rect().x + 153);
        const std::vector<PaintedRow> rows = Paint(d);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0].name, "book");
        EXPECT_EQ(rows[0].target, "(9) F9");
        EXPECT_TRUE(rows[0].italic);
        EXPECT_EQ(rows[1].name, "Journal Article");
        EXPECT_EQ(rows[2].name, "Medline");
        EXPECT_EQ(rows[2].target, "(45) F45");
        EXPECT_FALSE(rows[2].italic);
        // The default target in force is the database's: field 9, which
        // Monograph does not use; it is still listed by its number.
        EXPECT_EQ(rows[3].name, "Monograph");
        EXPECT_EQ(rows[3].target, "(9) ---");
        EXPECT_TRUE(rows[3].italic);
        d.PressEnter();
    });
    TargetFieldsDialog dialog(*field, catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
}

TEST_F(FieldDialogsTest, ModifyingATargetChangesTheFieldButStoresNothing) {
    config::CCfgField* field = AddField("TI");
    field->defaultTarget = config::kNoTarget;
    field->Save();
    const testing::Records before = config.Snapshot();
    int run = 0;
    ui.OnDialog(TF::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        ++run;
        if (run == 1) {
            EXPECT_EQ(dlg.GetText(TF::kWorkformName), "Journal Article");
            EXPECT_TRUE(dlg.IsChecked(TF::kUseDefault));
            EXPECT_EQ(dlg.Focus(), TF::kUseDefault);
            EXPECT_EQ(dlg.GetText(TF::kTarget), "* Do Not Transfer");
            // Choosing a field chooses the alternate, even the default one.
            d.Select(TF::kTarget, 0);
            EXPECT_TRUE(dlg.IsChecked(TF::kUseAlternate));
            EXPECT_FALSE(dlg.IsChecked(TF::kUseDefault));
        } else {
            EXPECT_TRUE(dlg.IsChecked(TF::kUseAlternate));
            EXPECT_EQ(dlg.Focus(), TF::kUseAlternate);
            d.Press(TF::kUseDefault);
        }
        d.PressEnter();
    });
    ui.OnDialog(TFs::kTemplateId, [&](DialogDriver& d) {
        // Type-ahead: "j" finds Journal Article; Enter modifies it.
        d.Char(ListEditDialog::kList, 'j');
        EXPECT_EQ(d.dialog().GetCurSel(ListEditDialog::kList), 1);
        d.KeyDown(ListEditDialog::kList, {ui::Key::Enter});
        EXPECT_EQ(field->AlternateTarget(0), config::kNoTarget);
        std::vector<PaintedRow> rows = Paint(d);
        EXPECT_EQ(rows[1].target, "* Do Not Transfer");
        EXPECT_FALSE(rows[1].italic);
        d.DoubleClick(ListEditDialog::kList, 1);
        EXPECT_EQ(field->AlternateTarget(0), config::kNoAlternate);
        rows = Paint(d);
        EXPECT_TRUE(rows[1].italic);
        d.PressEnter();
    });
    TargetFieldsDialog dialog(*field, catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(run, 2);
    EXPECT_EQ(config.Snapshot(), before);
}

TEST_F(FieldDialogsTest, AnAlternateTheWorkformDoesNotUseShowsDoNotTransfer) {
    config::CCfgField* field = AddField("TI");
    field->SetAlternateTarget(8, 8);  // field 9 in Monograph, which lacks it
    ui.OnDialog(TF::kTemplateId, [&](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetText(TF::kWorkformName), "Monograph");
        EXPECT_TRUE(d.dialog().IsChecked(TF::kUseAlternate));
        EXPECT_EQ(d.dialog().GetText(TF::kTarget), "* Do Not Transfer");
        d.PressEscape();
    });
    TargetFieldDialog cancelled(*field, 8, catalog);
    EXPECT_EQ(cancelled.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(field->AlternateTarget(8), 8);
    ui.OnDialog(TF::kTemplateId, [](DialogDriver& d) { d.PressEnter(); });
    TargetFieldDialog accepted(*field, 8, catalog);
    EXPECT_EQ(accepted.DoModal(ui), ui::IDOK);
    EXPECT_EQ(field->AlternateTarget(8), config::kNoTarget);
}

TEST_F(FieldDialogsTest, WorkformsSharingANameAreToldApartByTheirLetters) {
    catalog.Add(workforms::testing::MakeForm(5, "MEDLINE"));
    config::CCfgField* field = AddField("TI");
    TargetFieldsDialog dialog(*field, catalog);
    std::vector<std::string> texts;
    for (const auto& row : dialog.rows()) texts.push_back(row.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"book", "Journal Article", "Medline (C)",
                                               "MEDLINE (F)", "Monograph"}));
    EXPECT_EQ(dialog.rows()[3].workform, 5);
}

TEST_F(FieldDialogsTest, AnEmptyCatalogGivesAnEmptyListWithoutModify) {
    workforms::WorkformCatalog empty;
    config::CCfgField* field = AddField("TI");
    ui.OnDialog(TFs::kTemplateId, [&](DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetCount(ListEditDialog::kList), 0);
        EXPECT_FALSE(d.dialog().IsEnabled(ListEditDialog::kModify));
        EXPECT_FALSE(d.Press(ListEditDialog::kModify));
        d.KeyDown(ListEditDialog::kList, {ui::Key::Enter});  // nothing to modify
        d.PressEscape();
    });
    TargetFieldsDialog dialog(*field, empty);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
}

TEST_F(FieldDialogsTest, F1AndTheHelpButtonsOpenTheFieldDialogsPage) {
    config::CCfgField* field = AddField("TI", config::kFieldParsed);
    auto help = [](DialogDriver& d) {
        EXPECT_TRUE(d.Press(ui::IDHELP));
        d.PressEscape();
    };
    ui.OnDialog(ParsedFormatDialog::kTemplateId, help);
    ui.OnDialog(TFs::kTemplateId, help);
    ui.OnDialog(FieldInfoDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.KeyDown(FieldInfoDialog::kTag, {ui::Key::F1}));
        d.Press(FieldInfoDialog::kTargetFields);
        d.Press(testing::PageControl(d.As<FieldInfoDialog>(), config::kFieldParsed, 1000));
        d.PressEscape();
    });
    EXPECT_EQ(RunFieldDialog(*field), ui::IDCANCEL);
    const std::pair<ui::HelpCommand, std::string> page{ui::HelpCommand::Topic,
                                                       "field_dialogs.html"};
    EXPECT_EQ(ui.helpRequests(), (std::vector{page, page, page}));
}

}  // namespace
}  // namespace recaster::dialogs
