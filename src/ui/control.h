// The live state of one control of a dialog: what the dialog code reads and
// sets, and what a front end mirrors into a real widget. Every change is
// reported to the control's observers with the aspect that changed, so a
// front end can update just that part of its widget.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace recaster::ui {

using resources::ControlKind;

class Control;

enum class ControlAspect : uint8_t {
    Text,
    Check,
    Enabled,
    Visible,
    ReadOnly,
    TextLimit,
    EditSelection,  // the selected part of an edit's text
    Items,          // items added, removed or changed: the list must be rebuilt
    ItemSelection,  // the current item
    TopIndex,
    Geometry,        // the rectangle (dialog units) moved or changed size
    Progress,        // range, step or position
    RowInvalidated,  // an owner-drawn row must be painted again (`row`; -1 = all)
};

struct ControlChange {
    ControlAspect aspect = ControlAspect::Text;
    int row = -1;
};

class ControlObserver {
  public:
    virtual ~ControlObserver() = default;
    virtual void ControlChanged(const Control& control, const ControlChange& change) = 0;
};

// One item of a list box or combo box. Owner-drawn lists keep empty texts.
struct ListItem {
    std::string text;  // Windows-1252
    uint32_t data = 0;
};

// What a user's text entry did (see Control::EnterText).
struct TextEntry {
    bool accepted = false;   // false: the control takes no typing (read-only)
    bool truncated = false;  // the text limit cut the text
};

class Control {
  public:
    explicit Control(const resources::ControlTemplate& t);
    Control(int id, ControlKind kind, std::string text = {}, uint32_t style = 0);

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int id() const { return id_; }
    ControlKind kind() const { return kind_; }
    uint32_t style() const { return style_; }
    bool HasStyle(uint32_t flag) const { return (style_ & flag) != 0; }
    const resources::DialogRect& rect() const { return rect_; }
    // Moves or resizes the control; front ends follow (Geometry).
    void SetRect(const resources::DialogRect& r);

    bool IsEdit() const;
    bool IsCombo() const;
    bool IsList() const;  // list boxes, owner-drawn included
    bool HasItems() const { return IsCombo() || IsList(); }
    bool IsOwnerDrawn() const;
    bool IsPushButton() const;

    // Text, as the dialog code sets it: not cut to the text limit, as on the
    // platform the limit only holds back the user. For a drop-down list combo
    // box the text is the current item's text.
    const std::string& text() const { return text_; }
    void SetText(std::string text);

    // The user typing or pasting `text` as the new content: letters are
    // upper-cased for uppercase edits, non-digits dropped for number edits,
    // and the text is cut to the limit. Refused for read-only edits.
    TextEntry EnterText(std::string_view text);

    // Maximum number of characters the user can enter; 0 means no limit.
    size_t textLimit() const { return textLimit_; }
    void SetTextLimit(size_t limit);

    // Selected part of an edit's text, [start, end) in bytes, clamped to it.
    int selectionStart() const { return selStart_; }
    int selectionEnd() const { return selEnd_; }
    void SetSelection(int start, int end);  // end -1: to the end of the text
    void SelectAll() { SetSelection(0, -1); }

    // Check state: 0 off, 1 on, 2 indeterminate (other values become 1).
    int checked() const { return checked_; }
    void SetChecked(int state);

    bool enabled() const { return enabled_; }
    void SetEnabled(bool on);
    bool visible() const { return visible_; }
    void SetVisible(bool on);
    bool readOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    // For a dialog that only shows its data: an edit becomes read-only and
    // any other control disabled, and stays so whatever the dialog code
    // sets later.
    void LockForViewing();
    bool lockedForViewing() const { return viewLocked_; }

    // Items of list and combo boxes. Indexes are 0-based; -1 means "none".
    int ItemCount() const { return static_cast<int>(items_.size()); }
    const ListItem* Item(int index) const;
    // Appends, or inserts in text order (letter case ignored) for sorted
    // controls; returns the new item's index.
    int AddItem(std::string text, uint32_t data = 0);
    // Inserts at `index` (-1 = end) whatever the sort style; returns the
    // index, or -1 when `index` is beyond the end.
    int InsertItem(int index, std::string text, uint32_t data = 0);
    bool DeleteItem(int index);
    void ResetContent();
    // Replaces every item at once (one Items change, not one per item), in
    // the given order whatever the sort style; the selection is cleared.
    void SetItems(std::vector<ListItem> items);
    bool SetItemData(int index, uint32_t data);
    bool SetItemText(int index, std::string text);
    // Owner-drawn lists without texts: makes the list hold `count` empty rows.
    void SetRowCount(int count);

    // Current item; -1 when none. Setting an index out of range clears it
    // and returns false, as on the platform.
    int curSel() const { return curSel_; }
    bool SetCurSel(int index);

    // First item with `data`, or -1.
    int FindItemData(uint32_t data) const;
    // First item whose whole text equals `text` ignoring letter case,
    // searching from the item after `after` (-1 = from the start) to the end
    // and then from the start.
    int FindStringExact(std::string_view text, int after = -1) const;
    // The same search for the first item whose text begins with `prefix`.
    int FindString(std::string_view prefix, int after = -1) const;

    int topIndex() const { return topIndex_; }
    void SetTopIndex(int index);

    int rangeLow() const { return rangeLow_; }
    int rangeHigh() const { return rangeHigh_; }
    int position() const { return position_; }
    int step() const { return step_; }
    void SetRange(int low, int high);
    void SetPosition(int pos);  // clamped to the range
    void SetStep(int step);
    void StepIt();  // position + step, wrapping to low past high

    // Asks the front end to paint an owner-drawn row again (-1 = all rows).
    void InvalidateRow(int row);

    void AddObserver(ControlObserver* observer);
    void RemoveObserver(ControlObserver* observer);

  private:
    void Notify(ControlAspect aspect, int row = -1);
    void SyncComboText();

    int id_;
    ControlKind kind_;
    uint32_t style_;
    resources::DialogRect rect_;
    std::string text_;
    size_t textLimit_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
    int checked_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool readOnly_ = false;
    bool viewLocked_ = false;
    std::vector<ListItem> items_;
    int curSel_ = -1;
    int topIndex_ = 0;
    int rangeLow_ = 0;
    int rangeHigh_ = 100;
    int position_ = 0;
    int step_ = 10;
    std::vector<ControlObserver*> observers_;
};

}  // namespace recaster::ui
