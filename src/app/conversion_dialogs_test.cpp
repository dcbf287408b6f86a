// Opening a version-2 file in the document through HeadlessUi: the
// questions, the mapping dialog, the save dialog, Stop, and what each way
// out leaves on disk. The old file is compared byte for byte every time.
#include "app/conversion_dialogs.h"

#include <gtest/gtest.h>

#include "app/cfg_document.h"
#include "base/paths.h"
#include "convert/convert_test_util.h"
#include "dialogs/user_workform_dialog.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"

namespace recaster::app {
namespace {

using convert::testing::OldConfig;
using dialogs::UserWorkformDialog;

constexpr const char* kOld = "/cfg/old.cfg";
constexpr const char* kNew = "/cfg/new.cfg";
constexpr uint16_t kV = 21;

// Opening chosen paths for writing fails, as for a read-only file.
class ReadOnlyPaths : public store::MemFileSystem {
  public:
    std::string readOnly;
    std::unique_ptr<store::File> Open(const std::string& path, store::OpenFlags flags) override {
        if (flags.write && path == readOnly)
            throw FileError(FileError::Cause::AccessDenied, path, "the file is read-only");
        return MemFileSystem::Open(path, flags);
    }
};

class ConversionDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override { LastFileDirectory::Set("/start"); }

    // Default, then `count` databases; ONE and TWO on V with a document
    // type of the default database on V as well when `userDefined`.
    void WriteOld(bool userDefined, int count = 2) {
        OldConfig old;
        if (userDefined) OldConfig::AddDocType(old.Default(), "Report", kV);
        for (int i = 1; i <= count; ++i) {
            const std::string name = i == 1 ? "ONE" : i == 2 ? "TWO" : "DB" + std::to_string(i);
            old.AddDatabase(name, userDefined && i <= 2 ? kV : 3);
        }
        old.Write(kOld, fs);
        oldBytes = fs.Get(kOld);
    }
    std::vector<int> MessageIds() const {
        std::vector<int> ids;
        for (const auto& box : ui.messageBoxes()) ids.push_back(box.stringId);
        return ids;
    }
    void ExpectNothingWritten() {
        EXPECT_FALSE(fs.Exists(kNew));
        EXPECT_EQ(fs.Get(kOld), oldBytes);
        EXPECT_EQ(ui.PendingAnswers(), 0u);
        EXPECT_TRUE(ui.IsMainWindowEnabled());
        EXPECT_EQ(ui.waitCursorLevel(), 0);
    }

    ReadOnlyPaths fs;
    ui::HeadlessUi ui;
    std::vector<uint8_t> oldBytes;
};

TEST_F(ConversionDialogsTest, WithoutUserDefinedWorkformsItAsksOnceAndOpensTheNewFile) {
    WriteOld(false);
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerFileDialog("/cfg/new");
    ui.AnswerMessageBox(ui::IDOK, kMsgConversionCompleted);
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument(kOld));
    EXPECT_EQ(MessageIds(), (std::vector<int>{kMsgConvertQuestion, kMsgConversionCompleted}));
    EXPECT_EQ(ui.messageBoxes()[0].text,
              "Convert this configuration file to the version 1.1 format?");
    EXPECT_EQ(ui.messageBoxes()[0].flags, ui::MB_YESNO | ui::MB_ICONQUESTION);
    EXPECT_EQ(ui.messageBoxes()[1].text, "Conversion Completed.");
    EXPECT_TRUE(ui.dialogsRun().empty());
    ASSERT_EQ(ui.fileDialogs().size(), 1u);
    EXPECT_TRUE(ui.fileDialogs()[0].save);
    EXPECT_EQ(ui.fileDialogs()[0].proposedName, "New Config File");
    EXPECT_EQ(ui.fileDialogs()[0].startDirectory, "/start");
    EXPECT_EQ(LastFileDirectory::Get(), "/cfg");

    EXPECT_EQ(doc.PathName(), kNew);
    EXPECT_EQ(doc.Title(), "new.cfg");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Root().GetDBList()->GetCount(), 3);
    EXPECT_EQ(fs.Get(kOld), oldBytes);
    EXPECT_EQ(ui.waitCursorLevel(), 0);
}

TEST_F(ConversionDialogsTest, OneLetterUsedThriceRaisesOneDialogAndAllThreeFollowIt) {
    WriteOld(true);
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerMessageBox(ui::IDYES, kMsgUserWorkforms);
    workforms::WorkformId chosen = 0;
    ui.OnDialog(UserWorkformDialog::kTemplateId, [&](ui::DialogDriver& d) {
        EXPECT_EQ(d.dialog().GetText(UserWorkformDialog::kLetter), "V");
        d.PressEnter();
        chosen = d.As<UserWorkformDialog>().chosen();
    });
    ui.AnswerFileDialog(kNew);
    ui.AnswerMessageBox(ui::IDOK, kMsgConversionCompleted);
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument(kOld));
    EXPECT_EQ(ui.dialogsRun(), std::vector<int>{UserWorkformDialog::kTemplateId});
    EXPECT_EQ(ui.messageBoxes()[1].flags, ui::MB_YESNO | ui::MB_ICONEXCLAMATION);

    config::CCfgDBList& list = *doc.Root().GetDBList();
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_NE(chosen, kV);
    EXPECT_EQ(list.Database(1)->GetDocTypeList()->DocType(1)->workform, chosen);
    EXPECT_EQ(list.Database(2)->workform, chosen);
    EXPECT_EQ(list.Database(3)->workform, chosen);
    EXPECT_EQ(fs.Get(kOld), oldBytes);
}

TEST_F(ConversionDialogsTest, DecliningOrCancellingAnywhereOpensAndWritesNothing) {
    WriteOld(true);
    struct Case {
        const char* name;
        std::function<void()> script;
    };
    const std::vector<Case> cases = {
        {"No to converting", [&] { ui.AnswerMessageBox(ui::IDNO, kMsgConvertQuestion); }},
        {"No to user defined workforms",
         [&] {
             ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
             ui.AnswerMessageBox(ui::IDNO, kMsgUserWorkforms);
         }},
        {"Cancel in the workform dialog",
         [&] {
             ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
             ui.AnswerMessageBox(ui::IDYES, kMsgUserWorkforms);
             ui.OnDialog(UserWorkformDialog::kTemplateId,
                         [](ui::DialogDriver& d) { d.PressEscape(); });
         }},
        {"Cancel in the save dialog",
         [&] {
             ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
             ui.AnswerMessageBox(ui::IDYES, kMsgUserWorkforms);
             ui.OnDialog(UserWorkformDialog::kTemplateId,
                         [](ui::DialogDriver& d) { d.PressEnter(); });
             ui.AnswerFileDialog(std::nullopt);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t shown = ui.messageBoxes().size();
        c.script();
        CCfgDocument doc(ui, fs);
        EXPECT_FALSE(doc.OnOpenDocument(kOld));
        EXPECT_FALSE(doc.IsOpen());
        for (size_t i = shown; i < ui.messageBoxes().size(); ++i)
            EXPECT_NE(ui.messageBoxes()[i].stringId, kMsgConversionNotCompleted);
        ExpectNothingWritten();
    }
}

TEST_F(ConversionDialogsTest, StopAsksEachTimeAndAConfirmedStopLeavesNoNewFile) {
    WriteOld(false, 6);
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerFileDialog(kNew);
    // Stop during the second database, "No"; again during the fifth, "Yes".
    ui.AnswerMessageBox(ui::IDNO, kMsgStopConversion);
    ui.AnswerMessageBox(ui::IDYES, kMsgStopConversion);
    ui.AnswerMessageBox(ui::IDOK, kMsgConversionNotCompleted);
    int updates = 0;
    ui.OnPump([&] {
        ++updates;
        EXPECT_FALSE(ui.IsMainWindowEnabled()) << "only Stop can be pressed";
        if (updates == 2 || updates == 5) {
            ASSERT_EQ(ui.openModeless().size(), 1u);
            ui::Dialog& progress = *ui.openModeless()[0];
            EXPECT_EQ(progress.title(), "Converting Configuration File");
            ui::DialogDriver(progress).Press(ui::IDCANCEL);
        }
    });
    CCfgDocument doc(ui, fs);
    EXPECT_FALSE(doc.OnOpenDocument(kOld));
    ui.OnPump({});
    EXPECT_EQ(updates, 5);
    EXPECT_EQ(MessageIds(), (std::vector<int>{kMsgConvertQuestion, kMsgStopConversion,
                                              kMsgStopConversion, kMsgConversionNotCompleted}));
    EXPECT_EQ(ui.messageBoxes()[1].text, "Are you sure you want to stop the conversion?");
    EXPECT_EQ(ui.messageBoxes()[3].text, "Conversion not completed.");
    EXPECT_TRUE(ui.openModeless().empty());
    EXPECT_FALSE(doc.IsOpen());
    ExpectNothingWritten();
}

TEST_F(ConversionDialogsTest, TheOldFilesNameIsRefusedAndTheSaveDialogComesAgain) {
    WriteOld(false);
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerFileDialog(kOld);
    ui.AnswerMessageBox(ui::IDOK, kMsgNewIsOldFile);
    ui.AnswerFileDialog(kNew);
    ui.AnswerMessageBox(ui::IDOK, kMsgConversionCompleted);
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument(kOld));
    EXPECT_EQ(ui.fileDialogs().size(), 2u);
    EXPECT_EQ(ui.messageBoxes()[1].text,
              "/cfg/old.cfg is the file being converted, and it stays as it is. Choose "
              "another name for the new file.");
    EXPECT_EQ(doc.PathName(), kNew);
    EXPECT_EQ(fs.Get(kOld), oldBytes);
}

TEST_F(ConversionDialogsTest, AReadOnlyOldFileConverts) {
    WriteOld(false);
    fs.readOnly = kOld;
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerFileDialog(kNew);
    ui.AnswerMessageBox(ui::IDOK, kMsgConversionCompleted);
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument(kOld));
    EXPECT_EQ(doc.Root().GetDBList()->GetCount(), 3);
    EXPECT_EQ(fs.Get(kOld), oldBytes);
}

TEST_F(ConversionDialogsTest, FailuresNameTheFileTheyConcernAndLeaveNoNewFile) {
    WriteOld(false);
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Rename && path == kNew)
            throw FileError(FileError::Cause::DiskFull, path, "no space left on the disk");
    });
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerFileDialog(kNew);
    ui.AnswerMessageBox(ui::IDOK, kMsgCreateFailed);
    {
        CCfgDocument doc(ui, fs);
        EXPECT_FALSE(doc.OnOpenDocument(kOld));
    }
    EXPECT_EQ(ui.messageBoxes().back().text,
              "Cannot create /cfg/new.cfg.\n\nno space left on the disk");
    ExpectNothingWritten();
    fs.SetFaultHook({});

    // An old file whose database list is damaged: the old file is named.
    std::vector<uint8_t> damaged = oldBytes;
    store::MemFileSystem scratch;
    scratch.Put("/d.cfg", damaged);
    {
        store::Store s(store::DefaultKeyOrder(), scratch);
        s.Open("/d.cfg", store::OpenMode::ReadWrite);
        ASSERT_TRUE(s.Delete(store::Key{FourCC("CDBS"), 2}));
        s.Commit();
    }
    damaged = scratch.Get("/d.cfg");
    damaged[0] = 2;
    fs.Put(kOld, damaged);
    oldBytes = damaged;
    ui.AnswerMessageBox(ui::IDYES, kMsgConvertQuestion);
    ui.AnswerMessageBox(ui::IDOK, kMsgUnexpectedFormat);
    CCfgDocument doc(ui, fs);
    EXPECT_FALSE(doc.OnOpenDocument(kOld));
    EXPECT_NE(ui.messageBoxes().back().text.find(kOld), std::string::npos);
    ExpectNothingWritten();
}

}  // namespace
}  // namespace recaster::app
