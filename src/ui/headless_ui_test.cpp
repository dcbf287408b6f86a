// The scripted Ui: answers, failures of the script, records, clock,
// clipboard, pumping and property sheets.
#include "ui/headless_ui.h"

#include <gtest/gtest.h>

#include "ui/dialog_driver.h"
#include "ui/property_sheet.h"
#include "ui/test_dialog.h"

namespace recaster::ui {
namespace {

using namespace fixture;

// A string the table certainly holds.
constexpr int kSomeString = 4100;

TEST(HeadlessUiTest, MessageBoxesTakeQueuedAnswersAndRefuseSurprises) {
    HeadlessUi ui;
    ui.AnswerMessageBox(IDNO);
    ui.AnswerMessageBox(IDCANCEL, kSomeString);
    EXPECT_EQ(ShowMessageBox(ui, kSomeString, {}, MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(ShowMessageBox(ui, kSomeString, {}, MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(ui.messageBoxes().size(), 2u);
    EXPECT_EQ(ui.messageBoxes()[0].text, "Smith, Joseph S.");
    EXPECT_EQ(ui.messageBoxes()[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(ui.messageBoxes()[1].answer, IDCANCEL);

    // No answer left: the failure names the box's id and text.
    try {
        ShowMessageBox(ui, kSomeString, {}, MB_OK);
        ADD_FAILURE() << "an unexpected message box must fail";
    } catch (const HeadlessUiError& e) {
        EXPECT_NE(std::string(e.what()).find("4100"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Smith, Joseph S."), std::string::npos) << e.what();
    }
    // An answer the box does not offer, and a box other than the expected.
    ui.AnswerMessageBox(IDYES);
    EXPECT_THROW(ShowMessageBox(ui, kSomeString, {}, MB_OKCANCEL), HeadlessUiError);
    ui.AnswerMessageBox(IDOK, 4101);
    EXPECT_THROW(ShowMessageBox(ui, kSomeString, {}, MB_OK), HeadlessUiError);
    EXPECT_EQ(ui.failures().size(), 3u);
    EXPECT_EQ(ui.messageBoxes().size(), 2u);
}

TEST(HeadlessUiTest, DialogsWithoutHandlerOrLeftOpenFail) {
    HeadlessUi ui;
    TestValues values;
    TestDialog unexpected(values);
    EXPECT_THROW(unexpected.DoModal(ui), HeadlessUiError);

    ui.OnDialog(kTestTemplateId, [](DialogDriver& d) { d.Type(kName, "x"); });
    TestDialog leftOpen(values);
    try {
        leftOpen.DoModal(ui);
        ADD_FAILURE() << "a dialog left open must fail";
    } catch (const HeadlessUiError& e) {
        EXPECT_NE(std::string(e.what()).find("9001"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ui.dialogsRun().size(), 2u);
}

TEST(HeadlessUiTest, FileDialogsAnswerInOrderAndRecordTheirRequests) {
    HeadlessUi ui;
    ui.AnswerFileDialog(std::string("/data/Config/a.cfg"));
    ui.AnswerFileDialog(std::nullopt);
    FileDialogRequest open;
    open.startDirectory = "/data/Config";
    open.filter = "Config Files (*.cfg)|*.cfg";
    EXPECT_EQ(ui.FileDialog(open), std::optional<std::string>("/data/Config/a.cfg"));
    FileDialogRequest save;
    save.save = true;
    save.proposedName = "Untitled Config Report";
    save.defaultExtension = "txt";
    EXPECT_EQ(ui.FileDialog(save), std::nullopt);
    ASSERT_EQ(ui.fileDialogs().size(), 2u);
    EXPECT_EQ(ui.fileDialogs()[0].startDirectory, "/data/Config");
    EXPECT_TRUE(ui.fileDialogs()[1].save);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
    EXPECT_THROW(ui.FileDialog(open), HeadlessUiError);
}

TEST(HeadlessUiTest, ClockClipboardWaitCursorPumpAndCurrentUi) {
    HeadlessUi ui;
    ui.SetTickCount(0xFFFFFF00u);
    uint32_t start = ui.TickCount();
    ui.AdvanceTicks(0x200);  // wraps like the 32-bit counter
    EXPECT_EQ(ui.TickCount() - start, 0x200u);
    ui.SetDoubleClickTime(250);
    EXPECT_EQ(ui.DoubleClickTime(), 250u);

    ClipboardData data;
    data.formats["CCfgDB"] = std::string("\x01\x00\x02", 3);
    data.text = "Recaster II Database: 'X'";
    ui.SetClipboard(data);
    EXPECT_EQ(ui.ClipboardFormat("CCfgDB"), std::string("\x01\x00\x02", 3));
    EXPECT_EQ(ui.ClipboardFormat("CCfgField"), std::nullopt);
    EXPECT_EQ(ui.ClipboardText(), data.text);
    ui.SetClipboard(ClipboardData{});  // replaces everything
    EXPECT_EQ(ui.ClipboardFormat("CCfgDB"), std::nullopt);

    EXPECT_FALSE(HasCurrentUi());
    {
        ScopedCurrentUi current(ui);
        WaitCursor outer;
        {
            WaitCursor inner(ui);
            EXPECT_EQ(ui.waitCursorLevel(), 2);
        }
        EXPECT_EQ(ui.waitCursorLevel(), 1);
    }
    EXPECT_EQ(ui.waitCursorLevel(), 0);
    EXPECT_THROW(CurrentUi(), std::logic_error);

    int hooked = 0;
    ui.OnPump([&] { ++hooked; });
    ui.PumpEvents();
    ui.PumpEvents();
    EXPECT_EQ(ui.pumpCount(), 2);
    EXPECT_EQ(hooked, 2);
}

TEST(HeadlessUiTest, ModelessDialogsOpenHiddenAndCanBeStoppedWhilePumping) {
    HeadlessUi ui;
    TestValues values;
    TestDialog progress(values);
    ui.OpenModeless(progress);
    EXPECT_FALSE(progress.visible());
    ASSERT_EQ(ui.openModeless().size(), 1u);
    ui.OnPump([&] { DialogDriver(*ui.openModeless()[0]).PressEscape(); });
    ui.PumpEvents();
    EXPECT_EQ(progress.result(), IDCANCEL);
    ui.CloseModeless(progress);
    EXPECT_TRUE(ui.openModeless().empty());

    TestDialog other(values);
    ui.OpenModeless(other);
    EXPECT_TRUE(other.IsRunning());
    ui.CloseModeless(other);  // closed without ending: runs no more
    EXPECT_FALSE(other.IsRunning());
}

// A page that refuses OK until its name is filled in.
class NamePage : public TestDialog {
  public:
    using TestDialog::TestDialog;
    int cancels = 0;

  protected:
    void OnCancel() override {
        ++cancels;
        TestDialog::OnCancel();
    }
};

TEST(HeadlessUiTest, PropertySheetAppliesShownPagesAndStaysOnAFailingOne) {
    HeadlessUi ui;
    TestValues first, second;
    NamePage page1(first), page2(second);
    PropertySheet sheet("File Properties");
    sheet.AddPage(page1);
    sheet.AddPage(page2);
    ui.AnswerMessageBox(IDOK, kNameRequired);
    ui.OnSheet(kTestTemplateId, [&](PropertySheet& s) {
        EXPECT_TRUE(page1.IsRunning());
        EXPECT_FALSE(page2.IsRunning());  // not shown yet
        EXPECT_FALSE(s.PressApply());     // no Apply button
        s.SelectPage(1);
        DialogDriver(page2).Type(kName, "");
        DialogDriver(page1).Type(kName, "one");
        s.SelectPage(0);
        EXPECT_FALSE(s.PressOK());
        EXPECT_EQ(s.activePage(), 1);  // the failing page comes forward
        EXPECT_EQ(page2.Focus(), kName);
        DialogDriver(page2).Type(kName, "two");
        EXPECT_TRUE(s.PressOK());
    });
    EXPECT_EQ(sheet.DoModal(ui), IDOK);
    EXPECT_EQ(first.name, "ONE");
    EXPECT_EQ(second.name, "TWO");

    PropertySheet cancelled("File Properties", true);
    TestValues third;
    NamePage page3(third);
    cancelled.AddPage(page3);
    ui.OnSheet(kTestTemplateId, [&](PropertySheet& s) {
        DialogDriver(page3).Type(kName, "applied");
        EXPECT_TRUE(s.PressApply());
        EXPECT_EQ(third.name, "APPLIED");
        EXPECT_TRUE(page3.IsRunning());  // Apply keeps the pages open
        s.PressCancel();
    });
    EXPECT_EQ(cancelled.DoModal(ui), IDCANCEL);
    EXPECT_EQ(page3.cancels, 1);
}

}  // namespace
}  // namespace recaster::ui
