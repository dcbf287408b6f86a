// CDBListView: the database list window's view. It shows the document's
// databases, keeps the count line ("3 databases have been defined"),
// answers for the window's commands with their enabling rules, and opens,
// activates and closes the databases' field list windows (at most one per
// database and kMaxFieldWindows in all).
//
// New, Delete, Modify (the field list window), Database Information,
// Document Types, Author Field Format, Copy, Cut and Paste run here
// (db_list_edit_commands.cpp, db_list_field_windows.cpp,
// db_list_clipboard.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/lists.h"
#include "views/field_list_view.h"
#include "views/frame_host.h"
#include "views/list_view.h"
#include "workforms/workform_loader.h"

namespace recaster::views {

class FieldListFrame;

class CDBListView : public ListView {
  public:
    static constexpr int kMaxFieldWindows = 10;
    // "Too many DB Windows", the message of an eleventh field list window.
    static constexpr int kMsgTooManyWindows = 4161;

    // `catalog` names the workforms; it must outlive the view.
    explicit CDBListView(ViewDocument& document,
                         const workforms::WorkformCatalog& catalog = workforms::Workforms());
    // Closes the field list windows first.
    ~CDBListView() override;

    config::CCfgDBList* dbList() const { return dbList_; }
    // The database of the current row, or null.
    config::CCfgDatabase* SelectedDatabase() const;
    // "1 database has been defined", "3 databases have been defined".
    std::string CountLine() const override;
    std::string HelpTopic() const override { return "database_list.html"; }

    // --- Field list windows --------------------------------------------------
    // Where field list windows open; none (tests of the list alone): Modify
    // does nothing.
    void SetFrameHost(FrameHost* host) { host_ = host; }
    FrameHost* frameHost() const { return host_; }
    // Brings the database's field list window to the front, or opens one;
    // false when there is no host or kMaxFieldWindows are open (the user is
    // told).
    bool OpenFieldWindow(config::CCfgDatabase& database);
    FieldListFrame* FieldWindowOf(const config::CCfgDatabase& database) const;
    int FieldWindowCount() const { return static_cast<int>(fieldWindows_.size()); }
    // Closes the window (no question) and forgets it; nothing when the
    // database has none.
    void CloseFieldWindow(const config::CCfgDatabase& database);
    void CloseAllFieldWindows();
    // The dialog that New Field, Add Subfield and Modify run in field list
    // windows opened from now on (tests give their own).
    void SetFieldEditor(CFldListView::FieldEditor editor) { fieldEditor_ = std::move(editor); }

    // --- The editing commands -----------------------------------------------
    // New: the database information dialog for a new database; OK adds it,
    // selects it and opens its field list window.
    void NewDatabase();
    // Delete: asks, closes its field list window, removes the selected
    // database (never the first) and selects the row that takes its place.
    void DeleteDatabase();
    // The database dialogs for `database`; each returns true after OK (for
    // document types: a change), having marked the document modified.
    // Database Information also refreshes the title of the database's field
    // list window.
    bool EditDatabaseInformation(config::CCfgDatabase& database);
    bool EditDocumentTypes(config::CCfgDatabase& database);
    bool EditAuthorFormat(config::CCfgDatabase& database);

    // --- The clipboard (db_list_clipboard.cpp) ----------------------------
    // Puts the selected database on the clipboard with the text "Recaster II
    // Database: '<name>'"; false, with a note in the status line, when it
    // could not.
    bool CopyDatabase();
    // Copy, then Delete without asking (never the first database).
    void CutDatabase();
    // Adds the clipboard's database under new ids; a name the list has
    // already is refused and offered for a new name in the database
    // information dialog. Data that is not a usable database is refused
    // with a message and nothing is added.
    void PasteDatabase();

  private:
    config::CCfgAbstractList* ShownList() override;
    bool HasSelection() const { return SelectedIndex() >= 0; }
    // The default database (row 0) can be neither deleted nor cut.
    bool HasRemovableSelection() const { return SelectedIndex() > 0; }
    bool ClipboardHoldsDatabase() const;

    struct FieldWindow {
        config::CCfgDatabase* database;
        std::unique_ptr<FieldListFrame> frame;
    };

    config::CCfgDBList* dbList_ = nullptr;
    FrameHost* host_ = nullptr;
    CFldListView::FieldEditor fieldEditor_;
    std::vector<FieldWindow> fieldWindows_;
};

}  // namespace recaster::views
