// ListEditDialog and ListEditListBox: the base of the dialogs that edit a
// list in place (database identifiers, ignored lines, document types, a
// field's alternate targets). The dialog shows the list in the owner-drawn
// list box 163 with "&New..." (1001), "D&elete..." (1002), "&Modify..."
// (1004), "&Help" (IDHELP) and "&Done" (1); a template may leave buttons
// out.
//
// New, Modify and Delete change the configuration at once; there is no
// Cancel. Closing the dialog (Done, Escape or the close box) runs the save
// step once when something changed, and the dialog's result tells whether
// anything did: IDOK after a change, IDCANCEL otherwise, so the caller marks
// the document modified exactly then.
//
// From the keyboard: Insert, Delete and Enter in the list run New, Delete
// and Modify, and typed letters select the next row whose text begins with
// them.
#pragma once

#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/dialog.h"

namespace recaster::dialogs {

// The rows of the list box: one row per item of the data list, row r for
// item r, drawn by the concrete list box; the rows hold no texts.
class ListEditListBox {
  public:
    virtual ~ListEditListBox() = default;

    void Attach(ui::Control& control) { control_ = &control; }
    ui::Control& control() const { return *control_; }

    // One empty row per item.
    void Fill() { control_->SetRowCount(ItemCount()); }
    // A row for an item appended at the end, selected.
    void AddItem();
    // Removes item `row` from the data list and its row.
    void RemoveItem(int row);

    // Paints one row: highlight or window colours, then DrawRow.
    void Draw(ui::DrawItemContext& context) const;

    virtual int ItemCount() const = 0;
    // The row's texts, each clipped to its column with an opaque background,
    // in the canvas's current colours.
    virtual void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect) const = 0;
    // The text that type-ahead matches (the first column); empty: none.
    virtual std::string KeyText(int /*row*/) const { return {}; }

  protected:
    // Takes item `row` out of the data list and destroys it.
    virtual void RemoveData(int row) = 0;

  private:
    ui::Control* control_ = nullptr;
};

class ListEditDialog : public ui::Dialog {
  public:
    enum : int {
        kList = 163,
        kNew = 1001,
        kDelete = 1002,
        kModify = 1004,
        kDone = 1,
    };

    bool changed() const { return changed_; }
    ListEditListBox& listBox() { return *listBox_; }

  protected:
    explicit ListEditDialog(int templateId) : ui::Dialog(templateId) {}

    // --- What the concrete dialog supplies --------------------------------
    virtual std::unique_ptr<ListEditListBox> CreateListBox() = 0;
    // Writes the list back; runs once at closing after a change.
    virtual void SaveChanges() {}
    // Edits the item of `row`; true when it changed.
    virtual bool EditItem(int /*row*/) { return false; }
    // Adds an item; true when one was added.
    virtual bool NewItem() { return false; }
    // Asks before `row` is deleted; true to go ahead.
    virtual bool ConfirmDeleteItem(int /*row*/) { return true; }

    // --- Steps the concrete dialog may extend -------------------------------
    // Attaches the list box to control 163, fills its rows, selects row 0 and
    // gives it the focus.
    virtual void InitList();
    // Modify and Delete are enabled exactly while a row is selected.
    void UpdateButtons();
    void SetChanged() { changed_ = true; }
    int SelectedRow() const { return GetCurSel(kList); }

    void OnInitDialog() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    void OnOK() override { Close(); }
    void OnCancel() override { Close(); }
    bool OnKeyDown(ui::Control& control, const ui::KeyPress& key) override;
    bool OnChar(ui::Control& control, char ch) override;
    void DrawItem(ui::DrawItemContext& context) override;
    // New and Delete change the list at once; Modify opens the item's dialog.
    bool ButtonChangesData(const ui::Control& button) const override {
        return button.id() == kNew || button.id() == kDelete;
    }

  private:
    void Modify();
    void New();
    void Delete();
    void Close();

    std::unique_ptr<ListEditListBox> listBox_;
    bool changed_ = false;
    std::string typed_;  // type-ahead prefix, in capitals
    uint32_t lastTyped_ = 0;
};

}  // namespace recaster::dialogs
