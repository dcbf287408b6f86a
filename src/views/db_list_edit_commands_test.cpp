// The database list window's editing commands through their dialogs: New
// (cancelled, refused name, added and selected), Delete (asked, selection
// after it, never the default database), Database Information (the
// selection follows a rename), Document Types and Author Field Format (the
// modified flag only after a change), and the count line after each.
#include <gtest/gtest.h>

#include "config/doc_type.h"
#include "dialogs/author_format_dialog.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "dialogs/document_types_dialog.h"
#include "dialogs/list_edit_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"
#include "views/db_list_commands.h"
#include "views/db_list_frame.h"
#include "views/views_test_util.h"

namespace recaster::views {
namespace {

using dialogs::DatabaseInfoDialog;
using ui::DialogDriver;

class DBListEditTest : public ::testing::Test {
  protected:
    DBListEditTest() { testing::FillCatalog(catalog); }
    void Open() {
        frame = std::make_unique<CDBListFrame>(document, catalog);
        frame->OnInitialUpdate(canvas, {6, 13}, 0);
    }
    CDBListView& view() { return frame->view(); }
    std::string CountLine() { return frame->header().GetText(CDBListFrame::kCountLine); }
    std::vector<std::string> Names() {
        std::vector<std::string> out;
        config::CCfgDBList* list = document.Root().GetDBList();
        for (int p = 1; p <= list->GetCount(); ++p) out.push_back(list->Database(p)->name);
        return out;
    }
    // Answers the next database information dialog with `name`.
    void NameInDialog(std::string name) {
        ui.OnDialog(DatabaseInfoDialog::kTemplateId, [name](DialogDriver& d) {
            d.Type(DatabaseInfoDialog::kName, name);
            d.PressEnter();
            if (!d.dialog().IsEnded()) d.PressEscape();
        });
    }

    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current{ui};
    workforms::WorkformCatalog catalog;
    testing::FakeDocument document;
    ui::HeadlessCanvas canvas;
    std::unique_ptr<CDBListFrame> frame;
};

TEST_F(DBListEditTest, NewAddsTheDatabaseWhereTheListPutsItAndSelectsIt) {
    document.AddDatabase("MEDLINE");
    Open();
    // Cancel: nothing added, nothing marked.
    ui.OnDialog(DatabaseInfoDialog::kTemplateId, [](DialogDriver& d) { d.PressEscape(); });
    ASSERT_TRUE(view().Execute(kCmdNew));
    EXPECT_EQ(Names().size(), 2u);
    EXPECT_FALSE(document.IsModified());

    // A name that clashes in letter case is refused; Cancel then adds nothing.
    NameInDialog("medline");
    ui.AnswerMessageBox(ui::IDOK, DatabaseInfoDialog::kMsgDuplicateName);
    ASSERT_TRUE(ui::DialogDriver(frame->buttons()).Press(kCmdNew));
    EXPECT_EQ(Names().size(), 2u);

    NameInDialog("embase");
    ASSERT_TRUE(
        ui::DialogDriver(view().pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Insert}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Default", "EMBASE", "MEDLINE"}));
    EXPECT_EQ(view().SelectedIndex(), 1);
    EXPECT_EQ(view().listBox().control().ItemCount(), 3);
    EXPECT_EQ(CountLine(), "3 databases have been defined");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(frame->buttons().IsEnabled(kCmdDelete));  // the buttons follow
}

TEST_F(DBListEditTest, DeleteAsksAndSelectsTheRowThatTakesItsPlace) {
    document.AddDatabase("ALPHA");
    document.AddDatabase("BETA");
    document.AddDatabase("GAMMA");
    Open();
    view().Select(1);
    ui.AnswerMessageBox(ui::IDCANCEL, dialogs::kMsgConfirmDelete);
    ASSERT_TRUE(view().Execute(kCmdDelete));
    EXPECT_EQ(ui.messageBoxes().back().text, "Are you sure you want to delete Database \"ALPHA\"?");
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_FALSE(document.IsModified());

    ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
    ASSERT_TRUE(view().Execute(kCmdDelete));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Default", "BETA", "GAMMA"}));
    EXPECT_EQ(view().SelectedDatabase()->name, "BETA");
    EXPECT_EQ(CountLine(), "3 databases have been defined");
    EXPECT_TRUE(document.IsModified());

    // The last row: nothing is left selected after it.
    view().Select(2);
    ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
    ASSERT_TRUE(
        ui::DialogDriver(view().pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Delete}));
    EXPECT_EQ(view().SelectedIndex(), -1);
    EXPECT_FALSE(view().IsEnabled(kCmdDelete));

    // Never the default database.
    view().Select(0);
    EXPECT_FALSE(view().Execute(kCmdDelete));
    view().Select(1);
    ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
    view().Execute(kCmdDelete);
    EXPECT_EQ(CountLine(), "1 database has been defined");
    EXPECT_FALSE(view().IsEnabled(kCmdDelete));
    // The records went with the databases.
    EXPECT_EQ(document.Root().store().RecordCount(), 9u);
}

TEST_F(DBListEditTest, DatabaseInformationKeepsTheSelectionOnTheRenamedDatabase) {
    document.AddDatabase("ALPHA");
    document.AddDatabase("BETA");
    Open();
    view().Select(1);
    ui.OnDialog(DatabaseInfoDialog::kTemplateId, [](DialogDriver& d) { d.PressEscape(); });
    ASSERT_TRUE(view().Execute(kCmdDatabaseInformation));
    EXPECT_FALSE(document.IsModified());
    NameInDialog("zeta");
    ASSERT_TRUE(view().Execute(kCmdDatabaseInformation));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Default", "BETA", "ZETA"}));
    EXPECT_EQ(view().SelectedIndex(), 2);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DBListEditTest, DocumentTypesAndAuthorFormatMarkTheDocumentOnlyAfterAChange) {
    document.AddDatabase("ALPHA");
    Open();
    view().Select(1);
    ui.OnDialog(dialogs::DocumentTypesDialog::kTemplateId,
                [](DialogDriver& d) { d.Press(dialogs::ListEditDialog::kDone); });
    ASSERT_TRUE(view().Execute(kCmdDocumentTypes));
    EXPECT_FALSE(document.IsModified());
    // The list was loaded for the dialog only.
    EXPECT_EQ(view().SelectedDatabase()->LoadedFieldList(), nullptr);

    ui.OnDialog(dialogs::DocumentTypesDialog::kTemplateId, [](DialogDriver& d) {
        d.Press(dialogs::ListEditDialog::kNew);
        d.Press(dialogs::ListEditDialog::kDone);
    });
    ui.OnDialog(319, [](DialogDriver& d) {
        d.Type(208, "Book");
        d.PressEnter();
    });
    ASSERT_TRUE(view().Execute(kCmdDocumentTypes));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(view().SelectedDatabase()->GetDocTypeList()->DocType(1)->name, "Book");

    document.SetModifiedFlag(false);
    ui.OnDialog(dialogs::AuthorFormatDialog::kTemplateId, [](DialogDriver& d) { d.PressEscape(); });
    ASSERT_TRUE(view().Execute(kCmdAuthorFieldFormat));
    EXPECT_FALSE(document.IsModified());
    ui.OnDialog(dialogs::AuthorFormatDialog::kTemplateId, [](DialogDriver& d) { d.PressEnter(); });
    ASSERT_TRUE(view().Execute(kCmdAuthorFieldFormat));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DBListEditTest, AReadOnlyDocumentShowsItsDatabasesAndChangesNone) {
    document.AddDatabase("MEDLINE", "Medicine");
    document.readOnly = true;
    Open();
    view().Select(1);
    for (int id : {kCmdNew, kCmdDelete, kCmdCut, kCmdPaste}) {
        EXPECT_FALSE(view().IsEnabled(id)) << id;
        EXPECT_FALSE(frame->buttons().FindItem(id) && frame->buttons().IsEnabled(id)) << id;
    }
    for (int id :
         {kCmdModify, kCmdDatabaseInformation, kCmdDocumentTypes, kCmdAuthorFieldFormat, kCmdCopy})
        EXPECT_TRUE(view().IsEnabled(id)) << id;
    // The list keys of New and Delete do nothing.
    ui::DialogDriver(view().pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Insert});
    ui::DialogDriver(view().pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Delete});
    EXPECT_TRUE(ui.dialogsRun().empty());

    // Database Information shows the database; nothing typed reaches it.
    ui.OnDialog(DatabaseInfoDialog::kTemplateId, [](DialogDriver& d) {
        EXPECT_TRUE(d.dialog().viewOnly());
        EXPECT_EQ(d.dialog().GetText(DatabaseInfoDialog::kName), "MEDLINE");
        EXPECT_FALSE(d.Type(DatabaseInfoDialog::kName, "EMBASE"));
        EXPECT_TRUE(d.PressEnter());
    });
    ASSERT_TRUE(view().Execute(kCmdDatabaseInformation));
    EXPECT_EQ(ui.dialogsRun(), std::vector<int>{DatabaseInfoDialog::kTemplateId});
    EXPECT_EQ(Names(), (std::vector<std::string>{"Default", "MEDLINE"}));
    EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace recaster::views
