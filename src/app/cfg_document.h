// CCfgDocument: one open configuration file. It owns the root CCfgFile (whose
// store keeps the file open for the document's whole life), creates, opens,
// saves, copies and closes it, keeps the modified flag, and answers the
// document's commands (Save, Save As, Close, File Information).
//
// Every edit is written into the store's page buffers at once; Save commits
// them, Save As copies the store to a new file and continues there, and
// Close without saving drops everything since the last commit.
//
// Failures never escape: each operation shows its message box (naming the
// file) and returns false. Front ends follow the document through
// CCfgDocumentObserver to update window titles and the recent-file list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/cfg_file.h"
#include "store/file_system.h"
#include "ui/command_target.h"
#include "ui/ui.h"
#include "views/view_document.h"

namespace recaster::views {
class CDBListView;
}

namespace recaster::app {

class CCfgDocumentObserver {
  public:
    virtual ~CCfgDocumentObserver() = default;
    // The document's file changed (New, Open, Save As). `addToRecent`: the
    // front end puts the path at the top of its recent-file list.
    virtual void PathChanged(const std::string& /*path*/, bool /*addToRecent*/) {}
    virtual void TitleChanged(const std::string& /*title*/) {}
    virtual void ModifiedChanged(bool /*modified*/) {}
    // The document closed its file; its windows should go. Observers must not
    // destroy the document from inside a notification.
    virtual void Closed() {}
};

// Command ids the document answers.
enum DocumentCommand : int {
    kCmdFileInformation = 32775,
    kCmdDatabaseIdentification = 32777,
    kCmdRecordIdentification = 32778,
    kCmdFieldIdentification = 32779,
    kCmdIgnoredStrings = 32780,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdPrintReport = 57607,
};

// Message ids (string table) of the document.
enum DocumentMessage : int {
    kMsgUnexpectedFormat = 61700,
    kMsgFileNotFound = 61701,
    kMsgDiskFull = 61702,
    kMsgAccessDenied = 61703,
    kMsgReadError = 61704,
    kMsgFailedToOpen = 61705,
    kMsgSaveChanges = 61706,
    kMsgSaveFailed = 61708,
    kMsgCreateFailed = 61709,
    kMsgIsFolder = 61710,
    kMsgReadOnlyFile = 4165,
    kMsgReadOnlyFolder = 4166,
};

// Why a document was opened for reading only.
enum class ReadOnlyReason {
    None,
    File,    // the user may not write the file
    Folder,  // the file's journal cannot be created in its folder
};

class CCfgDocument : public views::ViewDocument, public ui::CommandTarget {
  public:
    inline static constexpr const char* kNewFileName = "New Config File";

    explicit CCfgDocument(ui::Ui& ui, store::FileSystem& fs = store::PosixFileSystem());
    ~CCfgDocument() override;
    CCfgDocument(const CCfgDocument&) = delete;
    CCfgDocument& operator=(const CCfgDocument&) = delete;

    // --- Lifecycle (each returns false after showing why) ---------------------
    // Asks for the new file's name (save dialog, "New Config File"), creates
    // it and opens it. Cancel: false, no file.
    bool OnNewDocument();
    // Checks the first three bytes, then opens the file. A version-2 file is
    // first converted into a new file (conversion_dialogs.h), which is then
    // opened instead; the old file stays as it was. A file that the user
    // may read but not write, or whose folder takes no new files (so no
    // journal), opens read-only.
    bool OnOpenDocument(const std::string& path);
    // Commits when `path` is the document's path, else copies the store to
    // `path` and continues there (which may be written, whatever the old
    // file was). Clears the modified flag on success.
    bool OnSaveDocument(const std::string& path);
    // Save As when `path` is empty (asks for a name, proposing the title). A
    // failed Save As removes the file it wrote, but never a file it did not
    // write (an existing file it was to replace stays when the copy failed
    // before replacing it).
    // The document's path follows the store, so a successful save under a new
    // name always makes that the document's path.
    bool DoSave(const std::string& path);
    // The Save command. A read-only document is not saved: the message says
    // why and offers Save As.
    bool DoFileSave();
    // Asks "Save changes to ...?" when modified: Yes saves (false when that
    // fails), No discards, Cancel returns false.
    bool SaveModified();
    bool CanCloseFrame() { return SaveModified(); }
    // Closes the store without writing (changes since the last commit are
    // dropped) and tells the observers.
    void OnCloseDocument();
    // Deletes the five top-level objects.
    void DeleteContents() { root_.EmptyContents(); }
    bool IsOpen() const { return root_.IsOpen(); }

    const std::string& PathName() const { return path_; }
    void SetPathName(const std::string& path, bool addToRecent = true);
    void SetTitle(const std::string& title);
    // Tells this document apart from another open one of the same file name:
    // the title becomes "name (folder)", or just the name when `folder` is
    // empty. Kept across Save As until set again.
    void SetTitleFolder(std::string folder);

    void AddObserver(CCfgDocumentObserver* observer);
    void RemoveObserver(CCfgDocumentObserver* observer);

    // The Configuration menu's file structure commands: each runs its dialog
    // on the configuration; OK (for a list dialog: a change) marks the
    // document modified, File Information's OK even without a change.
    void OnFileInformation();
    void OnDatabaseIdentification();
    void OnRecordIdentification();
    void OnFieldIdentification();
    void OnIgnoredStrings();

    // The database list window, whose selected database the Print Report
    // command reports on; the window sets it and clears it (null) when it goes.
    void SetDBListView(views::CDBListView* view) { dbListView_ = view; }
    // The Print Report command (see print_report.h).
    void OnPrintReport();

    // --- views::ViewDocument ---------------------------------------------------
    config::CCfgFile& Root() override { return root_; }
    void SetModifiedFlag(bool modified = true) override;
    bool IsModified() const override { return modified_; }
    // The file name, its folder when another open document has the same
    // name (SetTitleFolder), and " (read-only)" for a read-only document.
    std::string Title() const override { return title_; }
    bool IsReadOnly() const override { return readOnly_ != ReadOnlyReason::None; }
    ReadOnlyReason readOnlyReason() const { return readOnly_; }

    // --- ui::CommandTarget -------------------------------------------------------
    bool Knows(int id) const override { return commands_.Knows(id); }
    bool IsEnabled(int id) const override { return commands_.IsEnabled(id); }
    bool IsChecked(int id) const override { return commands_.IsChecked(id); }
    void Handle(int id) override { commands_.Handle(id); }

  private:
    // The first three bytes: the version (2 or 3), or nothing after showing
    // the load message.
    std::optional<uint16_t> PreCheck(const std::string& path);
    // Shows the load message for the exception being handled.
    void ReportLoadError(const std::string& path);
    // Opens the store: read-write when the file and its folder allow it,
    // else read-only, setting readOnly_. Throws as CCfgFile::Open.
    void OpenStore(const std::string& path);
    // Tells why a read-only document cannot be saved and runs Save As when
    // the user wants it; its result.
    bool RefuseReadOnlySave();
    // The title for `path` as the document is now.
    std::string TitleFor(const std::string& path) const;
    // Converts the version-2 file `path`: the new file's path, or nothing
    // after the user declined or was told why it failed.
    std::optional<std::string> ConvertOlderFile(const std::string& path);
    // Shows `messageId` naming `path`, with the exception's own text below.
    void ReportError(int messageId, const std::string& path);
    void RegisterStructureCommands();

    ui::Ui& ui_;
    store::FileSystem& fs_;
    config::CCfgFile root_;
    std::string path_;
    std::string title_;
    std::string titleFolder_;
    bool modified_ = false;
    ReadOnlyReason readOnly_ = ReadOnlyReason::None;
    ui::CommandMap commands_;
    std::vector<CCfgDocumentObserver*> observers_;
    views::CDBListView* dbListView_ = nullptr;
};

}  // namespace recaster::app
