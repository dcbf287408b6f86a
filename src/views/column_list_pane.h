// ColumnListPane: the client area of a list window as a dialog of one
// control, the owner-drawn list (id 101) that fills it, so the generic
// dialog renderer of a front end shows it like any other dialog. It owns the
// ColumnListBox and passes the user's actions on to its view.
//
// Front ends: size the list control to the whole pane; paint rows through
// DrawItem (the fixed row height is the canvas's line height); route the
// list's key presses to KeyDown first and its typed characters to Char, and
// give the key to the list control only when they return false. Selection
// changes and double clicks arrive as usual through DialogDriver.
#pragma once

#include "ui/dialog.h"
#include "views/column_list_box.h"

namespace recaster::views {

class ListPaneDelegate {
  public:
    virtual ~ListPaneDelegate() = default;
    // The current row changed (by the user, type-ahead or the program).
    virtual void ListSelectionChanged() = 0;
    virtual void ListDoubleClicked(int row) = 0;
    // A key asked for a command; true when the view ran it or swallowed it.
    virtual bool ListKeyCommand(ListKeyCommand command) = 0;
};

class ColumnListPane : public ui::Dialog {
  public:
    // Not a template of the program's table; the id tells panes apart in
    // front ends and test scripts.
    static constexpr int kTemplateId = 30101;

    ColumnListPane(ColumnListBox::Kind kind, const workforms::WorkformCatalog& catalog,
                   ListPaneDelegate& delegate);

    ColumnListBox& box() { return box_; }
    const ColumnListBox& box() const { return box_; }

    // --- For front ends ---------------------------------------------------
    // A key pressed in the list: true when it was consumed.
    bool KeyDown(ListKey key);
    // A character typed in the list: true when type-ahead used it.
    bool Char(char ch);
    void DrawItem(ui::DrawItemContext& context) override;

  protected:
    void OnInitDialog() override;
    bool OnCommand(int id, ui::Notification notification) override;

  private:
    ColumnListBox box_;
    ListPaneDelegate& delegate_;
};

}  // namespace recaster::views
