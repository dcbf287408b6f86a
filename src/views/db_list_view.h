// CDBListView: the database list window's view. It shows the document's
// databases in a ColumnListBox, keeps the count line, and answers for the
// window's commands (New, Delete, Modify, the database dialogs, the
// clipboard) with their enabling rules.
//
// New, Delete, Database Information, Document Types and Author Field Format
// run their dialogs here (db_list_edit_commands.cpp). Modify and the
// clipboard commands need windows and transfers of their own: their ids are
// known and their enabling rules in place, but they stay disabled until the
// code that brings them gives them an action with SetCommandAction.
//
// Front ends: render pane() like a dialog (see ColumnListPane), ask this
// view for command states (it is a ui::CommandTarget; put it first in the
// chain while its window is active), and listen through DBListViewListener
// (the frame does) for the count line and the selection.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "config/lists.h"
#include "ui/canvas.h"
#include "ui/command_target.h"
#include "views/column_list_pane.h"
#include "views/view_document.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_loader.h"

namespace recaster::views {

class DBListViewListener {
  public:
    virtual ~DBListViewListener() = default;
    virtual void CountLineChanged(const std::string& text) = 0;
    // The current row changed: command states may have changed.
    virtual void SelectionChanged() = 0;
    // The column edges were computed again: captions must follow.
    virtual void ColumnsChanged() = 0;
};

class CDBListView : public ui::CommandTarget, private ListPaneDelegate {
  public:
    // `catalog` names the workforms; it must outlive the view.
    explicit CDBListView(ViewDocument& document,
                         const workforms::WorkformCatalog& catalog = workforms::Workforms());
    ~CDBListView() override;
    CDBListView(const CDBListView&) = delete;
    CDBListView& operator=(const CDBListView&) = delete;

    ViewDocument& document() const { return document_; }
    void SetListener(DBListViewListener* listener) { listener_ = listener; }

    // Attaches the document's database list (row 0 selected, columns from
    // `metrics`' text widths) and refreshes the count line.
    void OnInitialUpdate(const ui::Canvas& metrics);

    ColumnListPane& pane() { return pane_; }
    ColumnListBox& listBox() { return pane_.box(); }
    const ColumnListBox& listBox() const { return pane_.box(); }
    config::CCfgDBList* dbList() const { return dbList_; }

    // The database of the current row, or null.
    config::CCfgDatabase* SelectedDatabase() const;
    int SelectedIndex() const { return listBox().SelectedIndex(); }
    void Select(int index);

    // "1 database has been defined", "3 databases have been defined".
    std::string CountLine() const;
    void RefreshCountLine();

    // --- Commands ----------------------------------------------------------
    bool Knows(int id) const override { return commands_.Knows(id); }
    bool IsEnabled(int id) const override { return commands_.IsEnabled(id); }
    bool IsChecked(int id) const override { return commands_.IsChecked(id); }
    void Handle(int id) override { commands_.Handle(id); }
    // Runs `id` when it is known and enabled; false otherwise.
    bool Execute(int id);
    // Gives one of the window's commands its action, which makes it
    // available (an empty action takes it away again). Other ids are ignored.
    void SetCommandAction(int id, std::function<void()> action);
    bool IsCommandAvailable(int id) const { return actions_.count(id) != 0; }

    // --- The editing commands -----------------------------------------------
    // New: the database information dialog for a new database; OK adds it
    // and selects it.
    void NewDatabase();
    // Delete: asks, then removes the selected database (never the first) and
    // selects the row that takes its place.
    void DeleteDatabase();
    // The database dialogs for the selected database; OK (for document
    // types: a change) marks the document modified.
    void DatabaseInformation();
    void DocumentTypes();
    void AuthorFieldFormat();

  private:
    void ListSelectionChanged() override;
    void ListDoubleClicked(int row) override;
    bool ListKeyCommand(views::ListKeyCommand command) override;

    // Whether `id` may run: available and its rule holds.
    bool Allowed(int id, bool rule) const { return IsCommandAvailable(id) && rule; }
    bool HasSelection() const { return SelectedIndex() >= 0; }
    // The default database (row 0) can be neither deleted nor cut.
    bool HasRemovableSelection() const { return SelectedIndex() > 0; }
    bool ClipboardHoldsDatabase() const;
    void RegisterCommands();
    // After a change to the list: the count line, the document's flag.
    void ListChanged();

    ViewDocument& document_;
    const workforms::WorkformCatalog& catalog_;
    ColumnListPane pane_;
    config::CCfgDBList* dbList_ = nullptr;
    DBListViewListener* listener_ = nullptr;
    ui::CommandMap commands_;
    std::map<int, std::function<void()>> actions_;
};

}  // namespace recaster::views
