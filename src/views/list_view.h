// ListView: what the database list and the field list windows' views share.
// A view shows one configuration list in a ColumnListBox (its pane), keeps
// the window's count line, and answers for the window's commands: each id
// is known with its enabling rule, and runs once it has an action (a command
// whose dialog or transfer is not built stays disabled). Enter, Insert and
// Delete in the list and a double click run Modify, New and Delete.
//
// Front ends: render pane() like a dialog, ask the view for command states
// (it is a ui::CommandTarget, first in the chain while its window is
// active), and listen through ListViewListener (the frame does).
#pragma once

#include <functional>
#include <map>
#include <string>

#include "ui/command_target.h"
#include "views/column_list_pane.h"
#include "views/view_document.h"
#include "workforms/workform_catalog.h"

namespace recaster::views {

// The commands of both list windows' buttons and keys.
inline constexpr int kCmdNew = 1001;
inline constexpr int kCmdDelete = 1002;
inline constexpr int kCmdAddSubfield = 1003;
inline constexpr int kCmdModify = 1004;

class ListViewListener {
  public:
    virtual ~ListViewListener() = default;
    virtual void CountLineChanged(const std::string& text) = 0;
    // The current row changed, or a command's availability: command states
    // may have changed.
    virtual void SelectionChanged() = 0;
    // The column edges were computed again: captions must follow.
    virtual void ColumnsChanged() = 0;
};

class ListView : public ui::CommandTarget, private ListPaneDelegate {
  public:
    ~ListView() override;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    ViewDocument& document() const { return document_; }
    const workforms::WorkformCatalog& catalog() const { return catalog_; }
    void SetListener(ListViewListener* listener) { listener_ = listener; }

    ColumnListPane& pane() { return pane_; }
    ColumnListBox& listBox() { return pane_.box(); }
    const ColumnListBox& listBox() const { return pane_.box(); }
    int SelectedIndex() const { return listBox().SelectedIndex(); }
    // Makes row `index` current (-1: none) and tells the listener.
    void Select(int index);

    // Attaches the view's list (row 0 selected, columns from `metrics`' text
    // widths) and refreshes the count line.
    void OnInitialUpdate(const ui::Canvas& metrics);
    // The count line for the list as it is now.
    virtual std::string CountLine() const = 0;
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

  protected:
    ListView(ViewDocument& document, ColumnListBox::Kind kind,
             const workforms::WorkformCatalog& catalog);

    // A command of this window: known at once, enabled while it has an
    // action and `rule` holds. A command that `changes` the list is disabled
    // while the document is read-only; the others run their dialogs
    // view-only then.
    enum class Changes { No, Yes };
    void AddCommand(int id, std::function<bool()> rule, Changes changes = Changes::No);
    // The list this view shows, for OnInitialUpdate.
    virtual config::CCfgAbstractList* ShownList() = 0;
    // After a change to the list: the count line and the document's flag.
    void ListChanged();
    void NotifySelection();

  private:
    void ListSelectionChanged() override { NotifySelection(); }
    void ListDoubleClicked(int row) override;
    bool ListKeyCommand(views::ListKeyCommand command) override;

    ViewDocument& document_;
    const workforms::WorkformCatalog& catalog_;
    ColumnListPane pane_;
    ListViewListener* listener_ = nullptr;
    ui::CommandMap commands_;
    std::map<int, std::function<void()>> actions_;
};

}  // namespace recaster::views
