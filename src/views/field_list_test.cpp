// Field list windows: opened, brought forward and closed by the database
// list, at most ten, cascading; their title, count line and the field
// commands (New Field, Add Subfield, Delete, Modify) with a scripted field
// editor in place of the field dialog.
#include <gtest/gtest.h>

#include <deque>

#include "config/field.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"
#include "views/db_list_commands.h"
#include "views/db_list_frame.h"
#include "views/field_list_frame.h"
#include "views/frame_placement.h"
#include "views/views_test_host.h"
#include "views/views_test_util.h"

namespace recaster::views {
namespace {

using config::CCfgField;

class FieldListTest : public ::testing::Test {
  protected:
    FieldListTest() {
        testing::FillCatalog(catalog);
        medline = document.AddDatabase("MEDLINE", "Medicine", 2);
    }
    void Open() {
        frame = std::make_unique<CDBListFrame>(document, catalog);
        frame->view().SetFrameHost(&host);
        // The editor stands for the field dialog: each run takes the next
        // scripted answer (a tag and a type, or Cancel).
        frame->view().SetFieldEditor([this](CCfgField& field, config::CCfgFieldList& list) {
            edited.push_back(&field);
            editedViewOnly.push_back(ui::ViewOnlyScope::Active());
            if (answers.empty() || !answers.front().ok) {
                if (!answers.empty()) answers.pop_front();
                return false;
            }
            field.tag = answers.front().tag;
            field.type = answers.front().type;
            answers.pop_front();
            field.Save();
            list.Reposition(&field);
            return true;
        });
        frame->OnInitialUpdate(canvas, {6, 13}, 0);
    }
    FieldListFrame& OpenFields(config::CCfgDatabase* db) {
        frame->view().Select(document.Root().GetDBList()->IndexOf(db));
        EXPECT_TRUE(frame->view().Execute(kCmdModify));
        FieldListFrame* w = frame->view().FieldWindowOf(*db);
        EXPECT_NE(w, nullptr);
        return *w;
    }
    std::vector<std::string> Tags(FieldListFrame& w) {
        std::vector<std::string> out;
        config::CCfgFieldList& list = w.view().fieldList();
        for (int p = 1; p <= list.GetCount(); ++p)
            out.push_back((list.Field(p)->IsSubfield() ? "  " : "") + list.Field(p)->tag);
        return out;
    }

    struct Answer {
        bool ok;
        std::string tag;
        uint16_t type = config::kFieldNormalText;
    };
    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current{ui};
    workforms::WorkformCatalog catalog;
    testing::FakeDocument document;
    config::CCfgDatabase* medline;
    ui::HeadlessCanvas canvas;
    testing::FakeHost host;
    std::unique_ptr<CDBListFrame> frame;
    std::deque<Answer> answers;
    std::vector<CCfgField*> edited;
    std::vector<bool> editedViewOnly;  // whether each edit ran its dialogs view-only
};

TEST(FramePlacementTest, WindowsCascadeByACaptionAndStartOverAfterTen) {
    const ui::Rect area{0, 0, 800, 600};
    EXPECT_EQ(CascadePlacement(0, area, 20), (ui::Rect{10, 10, 10 + 780, 10 + 580}));
    EXPECT_EQ(CascadePlacement(3, area, 20), (ui::Rect{70, 70, 70 + 720, 70 + 520}));
    EXPECT_EQ(CascadePlacement(13, area, 20), CascadePlacement(3, area, 20));
    // Never smaller than 100 by 100.
    EXPECT_EQ(CascadePlacement(9, {0, 0, 150, 120}, 20), (ui::Rect{190, 190, 290, 290}));
}

TEST_F(FieldListTest, ModifyOpensOneWindowPerDatabaseAndBringsItForwardAfterwards) {
    Open();
    FieldListFrame& w = OpenFields(medline);
    ASSERT_EQ(host.open.size(), 1u);
    EXPECT_EQ(host.geometries[0], CascadePlacement(1, host.ClientArea(), 20));
    EXPECT_EQ(w.Title(), "views.cfg : Database 'MEDLINE'");
    EXPECT_EQ(w.header().GetText(ListFrame::kCountLine), "0 fields have been defined");
    // Modify again, a double click, Enter: the same window comes forward.
    EXPECT_TRUE(frame->view().Execute(kCmdModify));
    ui::DialogDriver list(frame->view().pane());
    list.DoubleClick(ColumnListBox::kControlId, 1);
    list.KeyDown(ColumnListBox::kControlId, {ui::Key::Enter});
    EXPECT_EQ(host.open.size(), 1u);
    EXPECT_EQ(host.activated, (std::vector<ListFrame*>(3, &w)));
    // Its own database commands come after its view in the chain.
    ASSERT_EQ(w.CommandTargets().size(), 2u);
    EXPECT_TRUE(w.CommandTargets()[1]->IsEnabled(kCmdDatabaseInformation));
    EXPECT_FALSE(w.CommandTargets()[0]->Knows(kCmdDatabaseInformation));
}

TEST_F(FieldListTest, ANewDatabaseOpensItsFieldWindowAtOnce) {
    Open();
    ui.OnDialog(dialogs::DatabaseInfoDialog::kTemplateId, [](ui::DialogDriver& d) {
        d.Type(dialogs::DatabaseInfoDialog::kName, "embase");
        d.PressEnter();
    });
    ASSERT_TRUE(frame->view().Execute(kCmdNew));
    config::CCfgDatabase* embase = frame->view().SelectedDatabase();
    ASSERT_EQ(embase->name, "EMBASE");
    FieldListFrame* w = frame->view().FieldWindowOf(*embase);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(host.open, (std::vector<ListFrame*>{w}));
    EXPECT_EQ(w->header().GetText(ListFrame::kCountLine), "0 fields have been defined");
}

TEST_F(FieldListTest, TheEleventhWindowIsRefusedAndDeletingADatabaseClosesItsWindow) {
    std::vector<config::CCfgDatabase*> dbs;
    for (int i = 0; i < 10; ++i) dbs.push_back(document.AddDatabase("DB" + std::to_string(i)));
    Open();
    for (int i = 0; i < 10; ++i) OpenFields(dbs[static_cast<size_t>(i)]);
    EXPECT_EQ(frame->view().FieldWindowCount(), 10);
    // Each opens one caption further down; the tenth starts over where a
    // window opens with no others present.
    EXPECT_EQ(host.geometries[2], CascadePlacement(3, host.ClientArea(), 20));
    EXPECT_EQ(host.geometries[9], CascadePlacement(0, host.ClientArea(), 20));
    ui.AnswerMessageBox(ui::IDOK, CDBListView::kMsgTooManyWindows);
    frame->view().Select(document.Root().GetDBList()->IndexOf(medline));
    EXPECT_TRUE(frame->view().Execute(kCmdModify));
    EXPECT_EQ(ui.messageBoxes().back().text, "Too many DB Windows");
    EXPECT_EQ(ui.messageBoxes().back().flags, ui::MB_OK);
    EXPECT_EQ(frame->view().FieldWindowCount(), 10);
    EXPECT_EQ(frame->view().FieldWindowOf(*medline), nullptr);

    // Deleting a database closes its window first.
    ListFrame* window = frame->view().FieldWindowOf(*dbs[0]);
    frame->view().Select(document.Root().GetDBList()->IndexOf(dbs[0]));
    ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
    frame->view().Execute(kCmdDelete);
    EXPECT_EQ(host.closed, (std::vector<ListFrame*>{window}));
    EXPECT_EQ(frame->view().FieldWindowCount(), 9);
    // Closing one by its close box; the list view's end closes the rest.
    frame->view().FieldWindowOf(*dbs[1])->Close();
    EXPECT_EQ(frame->view().FieldWindowCount(), 8);
    frame = nullptr;
    EXPECT_TRUE(host.open.empty());
    EXPECT_EQ(host.closed.size(), 10u);
}

TEST_F(FieldListTest, NewFieldAddSubfieldAndModifyKeepTheOrderAndTheSelection) {
    Open();
    FieldListFrame& w = OpenFields(medline);
    CFldListView& view = w.view();
    EXPECT_FALSE(view.IsEnabled(kCmdAddSubfield));  // nothing selected
    answers = {{false, ""}, {true, "SO", config::kFieldParsedWithSubfields}, {true, "AU"}};
    view.Execute(kCmdNew);  // cancelled: nothing added
    EXPECT_EQ(view.fieldList().GetCount(), 0);
    EXPECT_FALSE(document.IsModified());
    ui::DialogDriver(w.buttons()).Press(kCmdNew);
    ui::DialogDriver(view.pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Insert});
    EXPECT_EQ(Tags(w), (std::vector<std::string>{"AU", "SO"}));
    EXPECT_EQ(view.SelectedField()->tag, "AU");
    EXPECT_EQ(w.header().GetText(ListFrame::kCountLine), "2 fields have been defined");
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(w.buttons().IsEnabled(kCmdAddSubfield));  // AU is Normal Text

    // Subfields of SO, added from SO and from a subfield of it.
    view.Select(1);
    EXPECT_TRUE(w.buttons().IsEnabled(kCmdAddSubfield));
    answers = {{true, "VO"}, {true, "PG"}};
    view.Execute(kCmdAddSubfield);
    EXPECT_EQ(view.SelectedField()->tag, "VO");
    view.Execute(kCmdAddSubfield);
    EXPECT_EQ(Tags(w), (std::vector<std::string>{"AU", "SO", "  PG", "  VO"}));
    EXPECT_EQ(edited.back()->Parent()->tag, "SO");

    // Renaming AU to TI moves it behind SO and its subfields; it stays
    // selected.
    view.Select(0);
    answers = {{true, "TI"}};
    ui::DialogDriver(view.pane()).DoubleClick(ColumnListBox::kControlId, 0);
    EXPECT_EQ(Tags(w), (std::vector<std::string>{"SO", "  PG", "  VO", "TI"}));
    EXPECT_EQ(view.SelectedIndex(), 3);
}

TEST_F(FieldListTest, DeletingAFieldWithSubfieldsAsksOnceAndRemovesThemAll) {
    Open();
    FieldListFrame& w = OpenFields(medline);
    CFldListView& view = w.view();
    answers = {{true, "SO", config::kFieldParsedWithSubfields},
               {true, "A"},
               {true, "B"},
               {true, "C"},
               {true, "TI"}};
    view.Execute(kCmdNew);
    for (int i = 0; i < 3; ++i) {
        view.Select(0);
        view.Execute(kCmdAddSubfield);
    }
    view.Execute(kCmdNew);
    ASSERT_EQ(Tags(w), (std::vector<std::string>{"SO", "  A", "  B", "  C", "TI"}));
    const uint32_t records = document.Root().store().RecordCount();

    // A subfield is asked about as a subfield.
    view.Select(2);
    ui.AnswerMessageBox(ui::IDCANCEL, dialogs::kMsgConfirmDelete);
    view.Execute(kCmdDelete);
    EXPECT_EQ(ui.messageBoxes().back().text, "Are you sure you want to delete Subfield \"B\"?");
    EXPECT_EQ(view.fieldList().GetCount(), 5);

    view.Select(0);
    ui.AnswerMessageBox(ui::IDOK, dialogs::kMsgConfirmDelete);
    ui::DialogDriver(view.pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Delete});
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes().back().text.rfind("This field owns subfields.", 0), 0u);
    EXPECT_NE(ui.messageBoxes().back().text.find("delete Field \"SO\"?"), std::string::npos);
    EXPECT_EQ(Tags(w), (std::vector<std::string>{"TI"}));
    EXPECT_EQ(view.SelectedField()->tag, "TI");
    EXPECT_EQ(document.Root().store().RecordCount(), records - 4);
    EXPECT_EQ(w.header().GetText(ListFrame::kCountLine), "1 field has been defined");
}

TEST_F(FieldListTest, DatabaseInformationFromTheFieldWindowRetitlesItAndKeepsTheListSelection) {
    config::CCfgDatabase* agri = document.AddDatabase("AGRIDOC");
    Open();
    FieldListFrame& w = OpenFields(medline);
    frame->view().Select(document.Root().GetDBList()->IndexOf(agri));
    ui.OnDialog(dialogs::DatabaseInfoDialog::kTemplateId, [](ui::DialogDriver& d) {
        d.Type(dialogs::DatabaseInfoDialog::kName, "aardvark");
        d.PressEnter();
    });
    ui::CommandTarget* databaseCommands = w.CommandTargets()[1];
    databaseCommands->Handle(kCmdDatabaseInformation);
    EXPECT_EQ(host.titles.back(), "views.cfg : Database 'AARDVARK'");
    EXPECT_EQ(w.Title(), "views.cfg : Database 'AARDVARK'");
    // MEDLINE became AARDVARK and moved before AGRIDOC; the list keeps
    // AGRIDOC selected.
    EXPECT_EQ(frame->view().SelectedDatabase(), agri);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(FieldListTest, AReadOnlyDocumentsFieldWindowOnlyShowsAndCopies) {
    Open();
    FieldListFrame& w = OpenFields(medline);
    answers = {{true, "SO", config::kFieldParsedWithSubfields}};
    w.view().Execute(kCmdNew);
    document.SetModifiedFlag(false);
    document.readOnly = true;
    CFldListView& view = w.view();
    view.Select(0);
    for (int id : {kCmdNew, kCmdDelete, kCmdAddSubfield, kCmdCut, kCmdPaste})
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_TRUE(view.IsEnabled(kCmdModify));
    EXPECT_TRUE(view.IsEnabled(kCmdCopy));
    // Modify still opens the field, whose dialogs only show it.
    answers = {{false, ""}};
    ui::DialogDriver(view.pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Enter});
    EXPECT_EQ(editedViewOnly, (std::vector<bool>{false, true}));
    ui::DialogDriver(view.pane()).KeyDown(ColumnListBox::kControlId, {ui::Key::Insert});
    EXPECT_EQ(edited.size(), 2u);
    EXPECT_EQ(Tags(w), std::vector<std::string>{"SO"});
    EXPECT_FALSE(document.IsModified());
}

}  // namespace
}  // namespace recaster::views
