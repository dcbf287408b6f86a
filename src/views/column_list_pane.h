// ColumnListPane: the client area of a list window as a dialog of one
// control, the owner-drawn list (id 101) that fills it, so the generic
// dialog renderer of a front end shows it like any other dialog. It owns the
// ColumnListBox and passes the user's actions on to its view.
//
// Front ends: size the list control to the whole pane and paint rows through
// DrawItem (the fixed row height is the canvas's line height). Keys, typed
// characters, selection changes and double clicks arrive as in any dialog
// through DialogDriver; Enter, Insert and Delete become the window's
// commands and characters select by type-ahead.
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

    void DrawItem(ui::DrawItemContext& context) override;

  protected:
    void OnInitDialog() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    // Enter, Insert and Delete belong to the window even when their command
    // cannot run now.
    bool OnKeyDown(ui::Control& control, const ui::KeyPress& key) override;
    // True when type-ahead used the character.
    bool OnChar(ui::Control& control, char ch) override;

  private:
    ColumnListBox box_;
    ListPaneDelegate& delegate_;
};

}  // namespace recaster::views
