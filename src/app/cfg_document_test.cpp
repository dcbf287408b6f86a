// The configuration document through HeadlessUi: new, open with every
// message of the first-bytes check, save, save as (and its failures), close
// without saving, the Save command's enabling and File Information.
#include "app/cfg_document.h"

#include <gtest/gtest.h>

#include "app/conversion_dialogs.h"
#include "app/document_session.h"
#include "app/title_folders.h"

#include <map>
#include <set>

#include "base/paths.h"
#include "config/genl_info.h"
#include "ui/dialog.h"
#include "ui/headless_ui.h"
#include "ui/property_sheet.h"
#include "views/field_list_frame.h"
#include "views/views_test_host.h"

namespace recaster::app {
namespace {

using store::MemFileSystem;

// A memory file system where opening chosen paths fails with a chosen cause
// (as a file without read permission does; tests run as root, which the real
// file modes do not stop).
class RefusingFileSystem : public MemFileSystem {
  public:
    std::map<std::string, FileError::Cause> refuse;
    std::set<std::string> readOnlyFiles;    // opening them for writing is denied
    std::set<std::string> readOnlyFolders;  // no new files in them

    std::unique_ptr<store::File> Open(const std::string& path, store::OpenFlags flags) override {
        auto it = refuse.find(path);
        if (it != refuse.end()) throw FileError(it->second, path, "refused by the test");
        if (flags.write && readOnlyFiles.count(path))
            throw FileError(FileError::Cause::AccessDenied, path, "Permission denied");
        if (flags.create && !Exists(path) && !MayCreateIn(path))
            throw FileError(FileError::Cause::AccessDenied, path, "Permission denied");
        return MemFileSystem::Open(path, flags);
    }
    bool MayCreateIn(const std::string& nearPath) override {
        return readOnlyFolders.count(nearPath.substr(0, nearPath.rfind('/'))) == 0;
    }
};

// The comments committed in `path`, read from a copy because the document
// holds the file locked.
std::string Comments(MemFileSystem& fs, const std::string& path) {
    fs.Put("/peek.cfg", fs.Get(path));
    config::CCfgFile root(fs);
    root.Open("/peek.cfg", store::OpenMode::ReadOnly);
    return root.GetGenlInfo()->comments;
}

void EditComments(CCfgDocument& doc, const std::string& text) {
    doc.Root().GetGenlInfo()->comments = text;
    doc.Root().GetGenlInfo()->Save();
    doc.SetModifiedFlag();
}

class CfgDocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LastFileDirectory::Set("/start");
        config::CCfgFile root(fs);
        root.Create("/cfg/a.cfg");
    }

    RefusingFileSystem fs;
    ui::HeadlessUi ui;
};

TEST_F(CfgDocumentTest, NewAsksForNameCreatesAndOpensOrCreatesNothingOnCancel) {
    CCfgDocument cancelled(ui, fs);
    ui.AnswerFileDialog(std::nullopt);
    EXPECT_FALSE(cancelled.OnNewDocument());
    EXPECT_FALSE(cancelled.IsOpen());
    EXPECT_EQ(LastFileDirectory::Get(), "/start");

    CCfgDocument doc(ui, fs);
    ui.AnswerFileDialog("/new/Mine");
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(ui.fileDialogs().size(), 2u);
    EXPECT_TRUE(ui.fileDialogs()[1].save);
    EXPECT_EQ(ui.fileDialogs()[1].proposedName, "New Config File");
    EXPECT_EQ(ui.fileDialogs()[1].startDirectory, "/start");
    EXPECT_EQ(doc.PathName(), "/new/Mine.cfg");
    EXPECT_EQ(doc.Title(), "Mine.cfg");
    EXPECT_EQ(LastFileDirectory::Get(), "/new");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(fs.Exists("/new/Mine.cfg"));
    // The new file holds the default database.
    EXPECT_EQ(doc.Root().GetDBList()->GetCount(), 1);
    EXPECT_EQ(ui.waitCursorLevel(), 0);
}

TEST_F(CfgDocumentTest, OpenCheckShowsTheMessageOfEachFailureNamingTheFile) {
    fs.Put("/cfg/short.cfg", {3, 0});
    fs.Put("/cfg/version.cfg", {4, 0, 1, 0});
    fs.Put("/cfg/third.cfg", {3, 0, 2, 0});
    fs.refuse["/cfg/secret.cfg"] = FileError::Cause::AccessDenied;
    fs.refuse["/cfg/full.cfg"] = FileError::Cause::DiskFull;
    fs.refuse["/cfg/broken.cfg"] = FileError::Cause::HardIO;
    fs.refuse["/cfg/busy.cfg"] = FileError::Cause::SharingViolation;
    const std::vector<std::pair<std::string, int>> cases = {
        {"/cfg/short.cfg", kMsgUnexpectedFormat}, {"/cfg/version.cfg", kMsgUnexpectedFormat},
        {"/cfg/third.cfg", kMsgUnexpectedFormat}, {"/cfg/missing.cfg", kMsgFileNotFound},
        {"/cfg/secret.cfg", kMsgAccessDenied},    {"/cfg/full.cfg", kMsgDiskFull},
        {"/cfg/broken.cfg", kMsgReadError},       {"/cfg/busy.cfg", kMsgFailedToOpen},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        ui.AnswerMessageBox(ui::IDOK, message);
        CCfgDocument doc(ui, fs);
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_FALSE(doc.IsOpen());
        ASSERT_FALSE(ui.messageBoxes().empty());
        EXPECT_NE(ui.messageBoxes().back().text.find(path), std::string::npos);
        EXPECT_EQ(ui.messageBoxes().back().flags & ui::MB_ICONMASK, ui::MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST_F(CfgDocumentTest, DecliningToConvertAnOlderFileOpensNothingAndLeavesIt) {
    std::vector<uint8_t> old = {2, 0, 1, 9, 9, 9};
    fs.Put("/cfg/old.cfg", old);
    ui.AnswerMessageBox(ui::IDNO, kMsgConvertQuestion);
    CCfgDocument doc(ui, fs);
    EXPECT_FALSE(doc.OnOpenDocument("/cfg/old.cfg"));
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(fs.Get("/cfg/old.cfg"), old);
}

TEST_F(CfgDocumentTest, SaveIsEnabledOnlyWhenModifiedAndCommits) {
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EXPECT_TRUE(doc.Knows(kCmdFileSave));
    EXPECT_FALSE(doc.IsEnabled(kCmdFileSave));
    EXPECT_EQ(doc.PathName(), "/cfg/a.cfg");

    EditComments(doc, "first");
    EXPECT_TRUE(doc.IsEnabled(kCmdFileSave));
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "");  // not committed yet
    doc.Handle(kCmdFileSave);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.IsEnabled(kCmdFileSave));
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "first");
    // Saving with no change still commits and succeeds.
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(ui.messageBoxes().empty());
}

TEST_F(CfgDocumentTest, CloseWithoutSavingLeavesTheLastCommit) {
    {
        CCfgDocument doc(ui, fs);
        ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
        EditComments(doc, "kept");
        ASSERT_TRUE(doc.DoFileSave());
        EditComments(doc, "dropped");
        ui.AnswerMessageBox(ui::IDCANCEL, kMsgSaveChanges);
        EXPECT_FALSE(doc.CanCloseFrame());
        EXPECT_EQ(ui.messageBoxes().back().text, "Save changes to a.cfg?");
        ui.AnswerMessageBox(ui::IDNO, kMsgSaveChanges);
        doc.Handle(kCmdFileClose);
        EXPECT_FALSE(doc.IsOpen());
    }
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "kept");

    // Yes saves before closing.
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EditComments(doc, "saved on close");
    ui.AnswerMessageBox(ui::IDYES, kMsgSaveChanges);
    doc.Handle(kCmdFileClose);
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "saved on close");
}

TEST_F(CfgDocumentTest, SaveAsSwitchesToTheNewFileAndLeavesTheOldAtItsLastCommit) {
    struct Recorder : CCfgDocumentObserver {
        std::vector<std::string> paths, titles;
        void PathChanged(const std::string& p, bool) override { paths.push_back(p); }
        void TitleChanged(const std::string& t) override { titles.push_back(t); }
    } recorder;
    CCfgDocument doc(ui, fs);
    doc.AddObserver(&recorder);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EditComments(doc, "in the copy");
    ui.AnswerFileDialog("/other/b.CFG");
    doc.Handle(kCmdFileSaveAs);
    EXPECT_EQ(ui.fileDialogs().back().proposedName, "a.cfg");
    EXPECT_EQ(doc.PathName(), "/other/b.CFG");  // the extension in capitals stays
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Comments(fs, "/other/b.CFG"), "in the copy");
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "");

    EditComments(doc, "later");
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(Comments(fs, "/other/b.CFG"), "later");
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "");
    EXPECT_EQ(recorder.paths, (std::vector<std::string>{"/cfg/a.cfg", "/other/b.CFG"}));
    EXPECT_EQ(recorder.titles, (std::vector<std::string>{"a.cfg", "b.CFG"}));
    doc.RemoveObserver(&recorder);
}

TEST_F(CfgDocumentTest, FailedSaveAsRemovesOnlyTheFileItWrote) {
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EditComments(doc, "unsaved");

    // The copy is complete under the new name when the failure comes.
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::SyncDir && path == "/cfg/new.cfg")
            throw FileError(FileError::Cause::HardIO, path, "the disk went away");
    });
    ui.AnswerFileDialog("/cfg/new.cfg");
    ui.AnswerMessageBox(ui::IDOK, kMsgSaveFailed);
    EXPECT_FALSE(doc.DoSave({}));
    EXPECT_FALSE(fs.Exists("/cfg/new.cfg"));
    EXPECT_NE(ui.messageBoxes().back().text.find("the disk went away"), std::string::npos);

    // A file that was to be replaced and was not reached stays as it was.
    fs.Put("/cfg/theirs.cfg", {1, 2, 3});
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Rename && path == "/cfg/theirs.cfg")
            throw FileError(FileError::Cause::DiskFull, path, "no space");
    });
    ui.AnswerFileDialog("/cfg/theirs.cfg");
    ui.AnswerMessageBox(ui::IDOK, kMsgSaveFailed);
    EXPECT_FALSE(doc.DoSave({}));
    EXPECT_EQ(fs.Get("/cfg/theirs.cfg"), (std::vector<uint8_t>{1, 2, 3}));

    // The document goes on in its own file, still modified.
    fs.SetFaultHook({});
    EXPECT_EQ(doc.PathName(), "/cfg/a.cfg");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "unsaved");
}

TEST_F(CfgDocumentTest, FileInformationWritesCommentsAndAlwaysMarksModified) {
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EXPECT_TRUE(doc.IsEnabled(kCmdFileInformation));
    int runs = 0;
    ui.OnSheet(121, [&](ui::PropertySheet& sheet) {
        ++runs;
        EXPECT_EQ(sheet.title(), "File Properties");
        EXPECT_FALSE(sheet.hasApplyButton());
        ui::Dialog& page = sheet.Page(0);
        EXPECT_EQ(page.GetText(146), "a.cfg");
        EXPECT_EQ(page.GetText(147), "/cfg");
        if (runs == 1) page.SetText(158, "Line one\r\nLine two");
        sheet.PressOK();
    });
    doc.Handle(kCmdFileInformation);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "Line one\r\nLine two");

    doc.Handle(kCmdFileInformation);  // OK with nothing changed
    EXPECT_TRUE(doc.IsModified());

    ui.OnSheet(121, [](ui::PropertySheet& sheet) { sheet.PressCancel(); });
    ASSERT_TRUE(doc.DoFileSave());
    doc.Handle(kCmdFileInformation);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace recaster::app

namespace recaster::app {
namespace {

TEST_F(CfgDocumentTest, FileNamesOutsideTheCodePageShowAsTheyAreEverywhere) {
    // "日本 Straße é.cfg": CJK, German and French letters in a file name.
    const std::string name =
        "\xe6\x97\xa5\xe6\x9c\xac Stra\xc3\x9f"
        "e \xc3\xa9.cfg";
    const std::string path = "/cfg/" + name;
    config::CCfgFile(fs).Create(path);
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.Title(), name);
    // The save question names it.
    EditComments(doc, "x");
    ui.AnswerMessageBox(ui::IDCANCEL, kMsgSaveChanges);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(ui.messageBoxes().back().text, "Save changes to " + name + "?");
    // Save As under another such name, and an error naming one.
    ui.AnswerFileDialog("/cfg/\xc3\xbc.cfg");
    ASSERT_TRUE(doc.DoSave({}));
    EXPECT_EQ(doc.Title(), "\xc3\xbc.cfg");
    fs.refuse["/cfg/\xce\xb1.cfg"] = FileError::Cause::NotFound;
    CCfgDocument other(ui, fs);
    ui.AnswerMessageBox(ui::IDOK, kMsgFileNotFound);
    EXPECT_FALSE(other.OnOpenDocument("/cfg/\xce\xb1.cfg"));
    EXPECT_EQ(ui.messageBoxes().back().text.rfind("Cannot find the file /cfg/\xce\xb1.cfg.", 0),
              0u);
}

// --- Read-only files ----------------------------------------------------------

TEST_F(CfgDocumentTest, AReadOnlyFileOpensForLookingAndSaveOffersSaveAs) {
    {
        CCfgDocument writer(ui, fs);
        ASSERT_TRUE(writer.OnOpenDocument("/cfg/a.cfg"));
        EditComments(writer, "kept");
        ASSERT_TRUE(writer.DoFileSave());
    }
    fs.readOnlyFiles.insert("/cfg/a.cfg");
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/cfg/a.cfg"));
    EXPECT_TRUE(ui.messageBoxes().empty());
    EXPECT_TRUE(doc.IsReadOnly());
    EXPECT_EQ(doc.readOnlyReason(), ReadOnlyReason::File);
    EXPECT_EQ(doc.Title(), "a.cfg (read-only)");
    EXPECT_EQ(doc.Root().GetGenlInfo()->comments, "kept");

    // File Information shows the file; its OK takes nothing.
    ui.OnSheet(121, [](ui::PropertySheet& sheet) {
        ui::Dialog& page = sheet.Page(0);
        EXPECT_TRUE(page.viewOnly());
        EXPECT_TRUE(page.Item(158).readOnly());
        EXPECT_EQ(page.GetText(158), "kept");
        sheet.PressOK();
        EXPECT_EQ(sheet.result(), ui::IDCANCEL);
    });
    doc.Handle(kCmdFileInformation);
    EXPECT_FALSE(doc.IsModified());

    // Save is there to say why it cannot be; No leaves everything.
    EXPECT_TRUE(doc.IsEnabled(kCmdFileSave));
    ui.AnswerMessageBox(ui::IDNO, kMsgReadOnlyFile);
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(ui.messageBoxes().back().text,
              "/cfg/a.cfg is read-only for you, so it cannot be saved.\n\nDo you want to save "
              "it under another name?");
    EXPECT_TRUE(ui.fileDialogs().empty());

    // Yes runs Save As; the copy is the user's and can be edited and saved.
    ui.AnswerMessageBox(ui::IDYES, kMsgReadOnlyFile);
    ui.AnswerFileDialog("/cfg/mine.cfg");
    doc.Handle(kCmdFileSave);
    EXPECT_EQ(ui.fileDialogs().back().proposedName, "a.cfg");
    EXPECT_EQ(doc.PathName(), "/cfg/mine.cfg");
    EXPECT_FALSE(doc.IsReadOnly());
    EXPECT_EQ(doc.Title(), "mine.cfg");
    EXPECT_FALSE(doc.IsEnabled(kCmdFileSave));
    EditComments(doc, "changed");
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(Comments(fs, "/cfg/mine.cfg"), "changed");
    EXPECT_EQ(Comments(fs, "/cfg/a.cfg"), "kept");
}

TEST_F(CfgDocumentTest, SavingAReadOnlyFileUnderItsOwnNameTurnsItsWindowsEditable) {
    fs.readOnlyFiles.insert("/cfg/a.cfg");
    auto doc = std::make_unique<CCfgDocument>(ui, fs);
    ASSERT_TRUE(doc->OnOpenDocument("/cfg/a.cfg"));
    views::testing::FakeHost host;
    DocumentSession session(std::move(doc), host);
    session.Show();
    views::CDBListFrame& databases = session.databaseFrame();
    config::CCfgDatabase& first = *databases.view().dbList()->Database(1);
    ASSERT_TRUE(databases.view().OpenFieldWindow(first));
    views::FieldListFrame& fields = *databases.view().FieldWindowOf(first);
    EXPECT_FALSE(databases.buttons().IsEnabled(views::kCmdNew));
    EXPECT_FALSE(fields.buttons().IsEnabled(views::kCmdNew));

    ui.AnswerMessageBox(ui::IDYES, kMsgReadOnlyFile);
    ui.AnswerFileDialog("/cfg/mine.cfg");
    session.document().Handle(kCmdFileSave);
    ASSERT_FALSE(session.document().IsReadOnly());
    EXPECT_TRUE(databases.buttons().IsEnabled(views::kCmdNew));
    EXPECT_TRUE(fields.buttons().IsEnabled(views::kCmdNew));
    EXPECT_EQ(host.titles.back(), "mine.cfg : Database '" + first.name + "'");
}

TEST_F(CfgDocumentTest, AReadOnlyTitleShowsItsFolderBeforeTheMarkAndLosesTheMarkSavedElsewhere) {
    config::CCfgFile(fs).Create("/ro/a.cfg");
    fs.readOnlyFolders.insert("/ro");
    CCfgDocument mine(ui, fs), theirs(ui, fs);
    ASSERT_TRUE(mine.OnOpenDocument("/cfg/a.cfg"));
    ASSERT_TRUE(theirs.OnOpenDocument("/ro/a.cfg"));
    QualifyTitles({&mine, &theirs});
    EXPECT_EQ(mine.Title(), "a.cfg (cfg)");
    EXPECT_EQ(theirs.Title(), "a.cfg (ro) (read-only)");

    ui.AnswerMessageBox(ui::IDYES, kMsgReadOnlyFolder);
    ui.AnswerFileDialog("/w/a.cfg");
    ASSERT_TRUE(theirs.DoFileSave());
    QualifyTitles({&mine, &theirs});
    EXPECT_EQ(theirs.Title(), "a.cfg (w)");
    EXPECT_EQ(mine.Title(), "a.cfg (cfg)");
}

TEST_F(CfgDocumentTest, AFileInAFolderWithoutRoomForItsJournalOpensReadOnlyAndSaysSo) {
    config::CCfgFile(fs).Create("/ro/c.cfg");
    fs.readOnlyFolders.insert("/ro");
    CCfgDocument doc(ui, fs);
    ASSERT_TRUE(doc.OnOpenDocument("/ro/c.cfg"));
    EXPECT_EQ(doc.readOnlyReason(), ReadOnlyReason::Folder);
    EXPECT_EQ(doc.Title(), "c.cfg (read-only)");
    ui.AnswerMessageBox(ui::IDNO, kMsgReadOnlyFolder);
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(ui.messageBoxes().back().text,
              "/ro/c.cfg cannot be saved: its folder is not writable for you, so the journal "
              "that keeps the file safe while it is saved (/ro/c.cfg-journal) cannot be made "
              "there.\n\nDo you want to save it under another name?");
    EXPECT_FALSE(fs.Exists("/ro/c.cfg-journal"));
    // Closing and opening it again behaves the same; a file that cannot be
    // read at all still says so.
    doc.OnCloseDocument();
    EXPECT_FALSE(doc.IsReadOnly());
    fs.refuse["/ro/c.cfg"] = FileError::Cause::AccessDenied;
    ui.AnswerMessageBox(ui::IDOK, kMsgAccessDenied);
    EXPECT_FALSE(doc.OnOpenDocument("/ro/c.cfg"));
    EXPECT_FALSE(doc.IsReadOnly());
}

}  // namespace
}  // namespace recaster::app
