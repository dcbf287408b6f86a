// The database dialogs: name checks with their messages, the default
// database's name, the workform list, document types with their question,
// the author format's enabling and relabelling; and what each writes.
#include <gtest/gtest.h>

#include "config/doc_type.h"
#include "config/lists.h"
#include "dialogs/author_format_dialog.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "dialogs/dialogs_test_util.h"
#include "dialogs/document_type_dialog.h"
#include "dialogs/document_types_dialog.h"
#include "dialogs/entry_checks.h"
#include "dialogs/workform_combo_box.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"

namespace recaster::dialogs {
namespace {

using ui::DialogDriver;
using D = DatabaseInfoDialog;

class DatabaseDialogsTest : public ::testing::Test {
  protected:
    DatabaseDialogsTest() { testing::FillCatalog(catalog); }
    config::CCfgDBList& list() { return *config.root.GetDBList(); }

    testing::TestConfig config;
    workforms::WorkformCatalog catalog;
    ui::HeadlessUi ui;
};

TEST_F(DatabaseDialogsTest, WorkformListIsSortedByNameAndCarriesIdentifiers) {
    ui::Control combo(159, resources::ControlKind::DropDownList);
    WorkformComboBox box(combo, catalog);
    box.FillAndSelectFirst();
    ASSERT_EQ(combo.ItemCount(), 3);
    EXPECT_EQ(combo.Item(0)->text, "book");
    EXPECT_EQ(combo.Item(1)->text, "Journal Article");
    EXPECT_EQ(combo.Item(2)->text, "Medline");
    EXPECT_EQ(combo.curSel(), 0);
    EXPECT_EQ(box.IndexOf(2), 2);
    EXPECT_EQ(box.IndexOf(7), -1);
    box.Select(7);  // not in the catalog: nothing selected
    EXPECT_EQ(box.SelectedId(), workforms::kNoWorkform);
    box.Select(0);
    EXPECT_EQ(box.SelectedId(), 0);
}

TEST_F(DatabaseDialogsTest, NameChecksRunInOrderAndTheListKeepsItsOrder) {
    config.AddDatabase("MEDLINE", 2);
    config::CCfgDatabase* inspec = config.AddDatabase("INSPEC", 0);
    const testing::Records before = config.Snapshot();
    ui.OnDialog(D::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.Focus(), D::kName);
        EXPECT_EQ(dlg.GetText(D::kWorkform), "Journal Article");
        // Typed letters become capitals.
        ASSERT_TRUE(d.Type(D::kName, "medline"));
        EXPECT_EQ(dlg.GetText(D::kName), "MEDLINE");
        // Set past the typing limit: too long at 64, fine at 63.
        dlg.SetText(D::kName, std::string(64, 'N'));
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text, "Enter no more than 63 characters.");
        // A clash ignoring letter case names the upper-cased name.
        dlg.SetText(D::kName, "medline");
        ui.AnswerMessageBox(ui::IDOK, D::kMsgDuplicateName);
        d.PressEnter();
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "A database named 'MEDLINE' is already defined in this configuration file.  "
                  "Choose a different name for this database.");
        EXPECT_EQ(dlg.Focus(), D::kName);
        EXPECT_EQ(inspec->name, "INSPEC");  // the old name came back
        dlg.SetText(D::kName, "");
        ui.AnswerMessageBox(ui::IDOK, D::kMsgEmptyName);
        d.PressEnter();
        dlg.SetText(D::kName, "embase");
        dlg.SetText(D::kDescription, std::string(65, 'd'));
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_EQ(dlg.Focus(), D::kDescription);
        EXPECT_EQ(config.Snapshot(), before);
        dlg.SetText(D::kDescription, "Excerpta");
        d.SelectData(D::kWorkform, 3);
        d.PressEnter();
    });
    DatabaseInfoDialog dialog(*inspec, list(), catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(ui.messageBoxes().size(), 4u);
    // The list keeps its order after the rename: EMBASE before MEDLINE.
    EXPECT_EQ(list().IndexOf(inspec), 1);
    config.Reopen();
    config::CCfgDatabase* embase = config.Database(2);
    EXPECT_EQ(embase->name, "EMBASE");
    EXPECT_EQ(embase->description, "Excerpta");
    EXPECT_EQ(embase->workform, 3);
    EXPECT_EQ(config.Database(3)->name, "MEDLINE");
}

TEST_F(DatabaseDialogsTest, RenamingMovesTheDatabaseAndSixtyThreeCharactersPass) {
    config::CCfgDatabase* alpha = config.AddDatabase("ALPHA");
    config.AddDatabase("MIDDLE");
    ui.OnDialog(D::kTemplateId, [](DialogDriver& d) {
        d.dialog().SetText(D::kName, std::string(63, 'Z'));
        d.PressEnter();
    });
    DatabaseInfoDialog dialog(*alpha, list(), catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(list().IndexOf(alpha), 2);
    EXPECT_EQ(alpha->workform, 0);
}

TEST_F(DatabaseDialogsTest, TheDefaultDatabaseKeepsItsNameAndAnUnknownWorkformBecomesNone) {
    config::CCfgDatabase* first = config.Database(1);
    first->name = "lower case, not checked";
    first->workform = 17;  // no such workform in the catalog
    ui.OnDialog(D::kTemplateId, [](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_FALSE(dlg.IsEnabled(D::kName));
        EXPECT_EQ(dlg.Focus(), D::kDescription);  // the first control that can take it
        EXPECT_EQ(dlg.GetCurSel(D::kWorkform), -1);
        d.PressEnter();
    });
    DatabaseInfoDialog dialog(*first, list(), catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_TRUE(ui.messageBoxes().empty());
    config.Reopen();
    EXPECT_EQ(config.Database(1)->name, "lower case, not checked");
    EXPECT_EQ(config.Database(1)->workform, workforms::kNoWorkform);
}

TEST_F(DatabaseDialogsTest, ANewDatabaseIsCheckedAgainstTheListButNotAddedByTheDialog) {
    config.AddDatabase("MEDLINE");
    std::unique_ptr<config::CPersistentObject> element = list().NewElement();
    auto& fresh = static_cast<config::CCfgDatabase&>(*element);
    ui.OnDialog(D::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.dialog().IsEnabled(D::kName));  // not in the list: not the first
        d.Type(D::kName, "Default");
        d.PressEnter();
        d.Type(D::kName, "psycinfo");
        d.PressEnter();
    });
    ui.AnswerMessageBox(ui::IDOK, D::kMsgDuplicateName);
    DatabaseInfoDialog dialog(fresh, list(), catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    EXPECT_EQ(fresh.name, "PSYCINFO");
    EXPECT_EQ(list().GetCount(), 2);
    EXPECT_FALSE(fresh.IsAttached());
}

TEST_F(DatabaseDialogsTest, DocumentTypesAreAddedInNameOrderAskedBeforeDeletionAndSaved) {
    config::CCfgDatabase* db = config.AddDatabase("MEDLINE", 2);
    auto add = [&](const std::string& name, uint16_t workform) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = name;
        type->workform = workform;
        db->GetDocTypeList()->Add(std::move(type));
    };
    add("Book", 3);
    add("Journal", 0);
    std::vector<std::string> names = {"Article", "Zine"};
    ui.OnDialog(DocumentTypeDialog::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        if (dlg.GetText(DocumentTypeDialog::kName).empty()) {
            EXPECT_EQ(dlg.GetCurSel(DocumentTypeDialog::kWorkform), 1);  // workform A
        }
        d.Type(DocumentTypeDialog::kName, names.front());
        names.erase(names.begin());
        d.SelectData(DocumentTypeDialog::kWorkform, 2);
        d.PressEnter();
    });
    ui.OnDialog(DocumentTypesDialog::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        // Name from 4 pixels, clipped at 226; the workform's name from 230.
        ui::HeadlessCanvas canvas;
        d.DrawRows(ListEditDialog::kList, canvas, 500);
        const auto texts = canvas.Texts();
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(texts[0].text, "Book");
        EXPECT_EQ(texts[0].rect.left, 4);
        EXPECT_EQ(texts[0].rect.right, 226);
        EXPECT_EQ(texts[1].text, "book");
        EXPECT_EQ(texts[1].rect.left, 230);
        EXPECT_EQ(texts[3].text, "Journal Article");
        // The workform caption stands over its column (230 px = 153 units).
        EXPECT_EQ(dlg.Item(DocumentTypesDialog::kWorkformCaption).rect().x, 7 + 153);

        // A new type lands in name order and is selected there.
        d.Press(ListEditDialog::kNew);
        EXPECT_EQ(dlg.GetCount(ListEditDialog::kList), 3);
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 0);  // "Article"
        // Renaming "Book" to "Zine" moves it to the end, and the selection
        // follows.
        d.Select(ListEditDialog::kList, 1);
        d.Press(ListEditDialog::kModify);
        EXPECT_EQ(dlg.GetCurSel(ListEditDialog::kList), 2);
        // Deleting asks; Cancel keeps the type and is no change of its own.
        ui.AnswerMessageBox(ui::IDCANCEL, kMsgConfirmDelete);
        d.Press(ListEditDialog::kDelete);
        EXPECT_EQ(ui.messageBoxes().back().text,
                  "Are you sure you want to delete Document Type \"Zine\"?");
        EXPECT_EQ(dlg.GetCount(ListEditDialog::kList), 3);
        d.Select(ListEditDialog::kList, 1);  // "Journal"
        ui.AnswerMessageBox(ui::IDOK, kMsgConfirmDelete);
        d.Press(ListEditDialog::kDelete);
        EXPECT_EQ(dlg.GetCount(ListEditDialog::kList), 2);
        d.Press(ListEditDialog::kDone);
    });
    DocumentTypesDialog dialog(*db, catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    db->ReleaseChildren();
    config.Reopen();
    config::CCfgDocTypeList* types = config.Database(2)->GetDocTypeList();
    ASSERT_EQ(types->GetCount(), 2);
    EXPECT_EQ(types->DocType(1)->name, "Article");
    EXPECT_EQ(types->DocType(1)->workform, 2);
    EXPECT_EQ(types->DocType(2)->name, "Zine");
}

TEST_F(DatabaseDialogsTest, DocumentTypesWithoutAChangeReturnCancel) {
    config::CCfgDatabase* db = config.AddDatabase("MEDLINE");
    auto type = std::make_unique<config::CCfgDocType>();
    type->name = "Book";
    db->GetDocTypeList()->Add(std::move(type));
    const testing::Records before = config.Snapshot();
    ui.OnDialog(DocumentTypeDialog::kTemplateId, [](DialogDriver& d) { d.PressEscape(); });
    ui.OnDialog(DocumentTypesDialog::kTemplateId, [&](DialogDriver& d) {
        d.DoubleClick(ListEditDialog::kList, 0);  // Modify, cancelled
        ui.AnswerMessageBox(ui::IDCANCEL, kMsgConfirmDelete);
        d.KeyDown(ListEditDialog::kList, {ui::Key::Delete});
        d.PressEscape();
    });
    DocumentTypesDialog dialog(*db, catalog);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDCANCEL);
    EXPECT_EQ(config.Snapshot(), before);
}

TEST_F(DatabaseDialogsTest, AuthorFormatEnablingLabelsAndWriteBack) {
    config::CCfgDatabase* db = config.AddDatabase("MEDLINE");
    db->authorFormat = 5;
    db->useDefaultAuthorFormat = true;
    db->authorSeparator = ";";
    using A = AuthorFormatDialog;
    ui.OnDialog(A::kTemplateId, [&](DialogDriver& d) {
        ui::Dialog& dlg = d.dialog();
        EXPECT_EQ(dlg.title(), "Author Format for DB 'MEDLINE'");
        EXPECT_TRUE(dlg.IsChecked(182));
        for (int id : {235, 236, 237, 177, 184, 185, 186}) EXPECT_FALSE(dlg.IsEnabled(id)) << id;
        EXPECT_EQ(dlg.GetText(177), "&Smith, Joseph S.");
        d.Press(A::kUseDefault);
        for (int id : {235, 236, 237, 177, 184, 185, 186}) EXPECT_TRUE(dlg.IsEnabled(id)) << id;
        // Hyphens relabel at once; each button keeps its mnemonic letter.
        d.Press(A::kHyphens);
        EXPECT_EQ(dlg.GetText(177), "&Smith,-Joseph-S.");
        EXPECT_EQ(dlg.GetText(182), "Smith-J&.-S.");
        EXPECT_EQ(dlg.GetText(184), "Smith-&J-S");
        d.Press(184);
        dlg.SetText(A::kSeparator, std::string(17, ','));
        ui.AnswerMessageBox(ui::IDOK, kMsgTooLong);
        d.PressEnter();
        EXPECT_EQ(dlg.Focus(), A::kSeparator);
        d.Type(A::kSeparator, " and ");
        d.PressEnter();
    });
    AuthorFormatDialog dialog(*db);
    EXPECT_EQ(dialog.DoModal(ui), ui::IDOK);
    config.Reopen();
    config::CCfgDatabase* stored = config.Database(2);
    EXPECT_FALSE(stored->useDefaultAuthorFormat);
    EXPECT_EQ(stored->authorFormat, 7);
    EXPECT_TRUE(stored->hyphens);
    EXPECT_EQ(stored->authorSeparator, " and ");
}

TEST(ConfirmDeleteTest, AsksWithTheLabelAndPutsTheSubfieldWarningInFront) {
    ui::HeadlessUi ui;
    ui.AnswerMessageBox(ui::IDOK, kMsgConfirmDelete);
    ui.AnswerMessageBox(ui::IDCANCEL, kMsgConfirmDelete);
    ui.AnswerMessageBox(ui::IDOK, kMsgConfirmDelete);
    EXPECT_TRUE(ConfirmDelete(ui, kLabelDatabase, std::string("MEDLINE")));
    EXPECT_FALSE(ConfirmDelete(ui, kLabelFieldWithSubfields, std::string("AU")));
    EXPECT_TRUE(ConfirmDelete(ui, kLabelSubfield, std::nullopt));
    const auto& boxes = ui.messageBoxes();
    EXPECT_EQ(boxes[0].text, "Are you sure you want to delete Database \"MEDLINE\"?");
    EXPECT_EQ(boxes[0].flags & ui::MB_BUTTONMASK, ui::MB_OKCANCEL);
    EXPECT_EQ(boxes[1].text,
              "This field owns subfields. If you delete it, all of its subfields will also be "
              "deleted. This action cannot be undone.\n\nAre you sure you want to delete Field "
              "\"AU\"?");
    EXPECT_EQ(boxes[2].text, "Are you sure you want to delete Subfield \"\"?");
}

}  // namespace
}  // namespace recaster::dialogs
