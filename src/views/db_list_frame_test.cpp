// The database list window: count line, command enabling, buttons, keys and
// caption moves.
#include "views/db_list_frame.h"

#include <gtest/gtest.h>

#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"
#include "views/db_list_commands.h"
#include "views/views_test_util.h"

namespace recaster::views {
namespace {

constexpr ui::DialogBaseUnits kUnits{6, 13};

class DBListFrameTest : public ::testing::Test {
  protected:
    DBListFrameTest() { testing::FillCatalog(catalog); }
    void Open(int listLeft = 0) {
        frame = std::make_unique<CDBListFrame>(document, catalog);
        frame->OnInitialUpdate(canvas, kUnits, listLeft);
    }
    // Gives every editing command an action that counts its runs.
    void MakeAllAvailable() {
        for (int id : kDBListCommands)
            frame->view().SetCommandAction(id, [this, id] { runs.push_back(id); });
    }

    // A key pressed in the database list.
    bool PressKey(ui::Key key) {
        return ui::DialogDriver(frame->view().pane()).KeyDown(ColumnListBox::kControlId, {key});
    }

    ui::HeadlessUi ui;
    ui::ScopedCurrentUi current{ui};
    workforms::WorkformCatalog catalog;
    testing::FakeDocument document;
    ui::HeadlessCanvas canvas;
    std::unique_ptr<CDBListFrame> frame;
    std::vector<int> runs;
};

TEST_F(DBListFrameTest, CountLineAndRowsFollowTheDocument) {
    Open();
    EXPECT_EQ(frame->header().GetText(CDBListFrame::kCountLine), "1 database has been defined");
    EXPECT_EQ(frame->Title(), "views.cfg");
    EXPECT_EQ(frame->view().listBox().control().ItemCount(), 1);
    EXPECT_EQ(frame->view().SelectedDatabase(), document.Root().GetDBList()->Database(1));

    document.AddDatabase("MEDLINE", "Medicine", 2);
    document.AddDatabase("INSPEC", "Physics", 3);
    frame = nullptr;
    Open();
    EXPECT_EQ(frame->header().GetText(CDBListFrame::kCountLine), "3 databases have been defined");
    // The default database stays first; the others follow in list order.
    ui::DialogDriver driver(frame->view().pane());
    EXPECT_TRUE(driver.DrawRows(101, canvas, 400));
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[3].text, "INSPEC");
    EXPECT_EQ(texts[5].text, "Inspec");
    EXPECT_EQ(texts[6].text, "MEDLINE");
}

TEST_F(DBListFrameTest, EveryCommandIsAvailableAndPasteWaitsForADatabase) {
    document.AddDatabase("MEDLINE");
    Open();
    CDBListView& view = frame->view();
    for (int id : kDBListCommands) {
        EXPECT_TRUE(view.Knows(id)) << id;
        EXPECT_TRUE(view.IsCommandAvailable(id)) << id;
    }
    EXPECT_FALSE(view.IsEnabled(kCmdPaste));  // nothing on the clipboard
    EXPECT_FALSE(view.IsEnabled(kCmdCut));    // the default database
    for (int id : {kCmdNew, kCmdModify, kCmdDatabaseInformation, kCmdDocumentTypes,
                   kCmdAuthorFieldFormat, kCmdCopy})
        EXPECT_TRUE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(view.Knows(57600));
    EXPECT_TRUE(frame->buttons().IsEnabled(kCmdNew));
    EXPECT_FALSE(frame->buttons().IsEnabled(kCmdDelete));  // the default database
    EXPECT_TRUE(frame->buttons().IsEnabled(kCmdModify));
    // Without a window host Enter opens nothing; other keys go to the list.
    EXPECT_TRUE(PressKey(ui::Key::Enter));
    EXPECT_FALSE(PressKey(ui::Key::Other));
    EXPECT_TRUE(ui.dialogsRun().empty());
    EXPECT_EQ(view.FieldWindowCount(), 0);
}

TEST_F(DBListFrameTest, EnablingRulesProtectTheDefaultDatabase) {
    document.AddDatabase("MEDLINE");
    Open();
    MakeAllAvailable();
    CDBListView& view = frame->view();
    // Row 0 is the default database: no Delete, no Cut.
    EXPECT_TRUE(view.IsEnabled(kCmdNew));
    EXPECT_TRUE(view.IsEnabled(kCmdModify));
    EXPECT_TRUE(view.IsEnabled(kCmdCopy));
    EXPECT_TRUE(view.IsEnabled(kCmdDatabaseInformation));
    EXPECT_FALSE(view.IsEnabled(kCmdDelete));
    EXPECT_FALSE(view.IsEnabled(kCmdCut));
    EXPECT_FALSE(view.IsEnabled(kCmdPaste));
    EXPECT_TRUE(frame->buttons().IsEnabled(kCmdModify));
    EXPECT_FALSE(frame->buttons().IsEnabled(kCmdDelete));

    // The user picks MEDLINE: the buttons follow.
    ui::DialogDriver list(view.pane());
    ASSERT_TRUE(list.Select(101, 1));
    EXPECT_TRUE(view.IsEnabled(kCmdDelete));
    EXPECT_TRUE(view.IsEnabled(kCmdCut));
    EXPECT_TRUE(frame->buttons().IsEnabled(kCmdDelete));

    // No selection: only New (and Paste when there is a database to paste).
    view.Select(-1);
    EXPECT_TRUE(view.IsEnabled(kCmdNew));
    for (int id : {kCmdDelete, kCmdModify, kCmdDatabaseInformation, kCmdDocumentTypes,
                   kCmdAuthorFieldFormat, kCmdCopy, kCmdCut})
        EXPECT_FALSE(view.IsEnabled(id)) << id;
    EXPECT_FALSE(frame->buttons().IsEnabled(kCmdModify));
    ui.SetClipboard(ui::ClipboardData{{{"CCfgDB", "x"}}, std::nullopt});
    EXPECT_TRUE(view.IsEnabled(kCmdPaste));

    // Taking an action away disables the command again.
    view.SetCommandAction(kCmdNew, {});
    EXPECT_FALSE(view.IsEnabled(kCmdNew));
    EXPECT_FALSE(frame->buttons().IsEnabled(kCmdNew));
}

TEST_F(DBListFrameTest, KeysButtonsAndDoubleClickRunTheirCommands) {
    document.AddDatabase("MEDLINE");
    Open();
    MakeAllAvailable();
    CDBListView& view = frame->view();
    view.Select(1);
    EXPECT_TRUE(PressKey(ui::Key::Enter));
    EXPECT_TRUE(PressKey(ui::Key::Insert));
    EXPECT_TRUE(PressKey(ui::Key::Delete));
    ui::DialogDriver list(view.pane());
    EXPECT_TRUE(list.DoubleClick(101, 0));
    // Delete is refused on the default database, key or button.
    EXPECT_TRUE(PressKey(ui::Key::Delete));
    ui::DialogDriver buttons(frame->buttons());
    EXPECT_FALSE(buttons.Press(kCmdDelete));
    EXPECT_TRUE(buttons.Press(kCmdNew));
    EXPECT_TRUE(buttons.PressEnter());  // the default button: Modify
    EXPECT_FALSE(frame->buttons().IsEnded());
    EXPECT_EQ(runs,
              (std::vector<int>{kCmdModify, kCmdNew, kCmdDelete, kCmdModify, kCmdNew, kCmdModify}));
}

TEST_F(DBListFrameTest, CaptionsMoveToTheColumnEdges) {
    document.AddDatabase(std::string(16, 'N'), "d");  // name column 98 px wide
    Open(3);
    EXPECT_EQ(frame->CaptionLeft(CDBListFrame::kCaptionDescription), 3 + 98);
    // The default database's description, "Default Database Definition",
    // is 164 px wide.
    EXPECT_EQ(frame->CaptionLeft(CDBListFrame::kCaptionTarget), 3 + 98 + 164);
    // Horizontal only, in the header's dialog units (6 px = 4 units).
    const auto& description = frame->header().Item(CDBListFrame::kCaptionDescription).rect();
    EXPECT_EQ(description.x, 67);  // 101 px
    EXPECT_EQ(description.y, resources::FindDialogTemplate(303)->FindControl(130)->rect.y);
    EXPECT_EQ(frame->header().Item(CDBListFrame::kCaptionTarget).rect().x, 177);  // 265 px
    // The name caption stays where the template puts it.
    const int nameX = resources::FindDialogTemplate(303)->FindControl(132)->rect.x;
    EXPECT_EQ(frame->header().Item(CDBListFrame::kCaptionName).rect().x, nameX);
    EXPECT_EQ(frame->CaptionLeft(CDBListFrame::kCaptionName),
              ui::DialogUnitsToPixelsX(nameX, kUnits));
    EXPECT_EQ(frame->CaptionLeft(999), -1);
}

}  // namespace
}  // namespace recaster::views
