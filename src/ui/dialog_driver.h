// DialogDriver: the user's side of a dialog. It changes the controls as the
// user's typing, clicking and choosing would and tells the dialog, so front
// ends route real input through it and tests drive dialogs with it.
//
// Every action exists for a control and for an id (the first control with
// that id). Each returns false and changes nothing when the user could not do
// it: the dialog has ended, the control is missing, disabled or hidden, or is
// of a kind that does not take that input.
#pragma once

#include <string_view>

#include "ui/dialog.h"

namespace recaster::ui {

class Canvas;

class DialogDriver {
  public:
    explicit DialogDriver(Dialog& dialog) : dialog_(dialog) {}

    Dialog& dialog() { return dialog_; }
    template <class T>
    T& As() {
        return dynamic_cast<T&>(dialog_);
    }

    // Clicks into the control (focus) and replaces its text: EditChanged, and
    // MaxText when the limit cut the text. Edits and drop-down combos.
    bool Type(Control& control, std::string_view text);
    bool Type(int id, std::string_view text);
    // A mouse click on a button, check box or radio button: focus moves to
    // it, a check box toggles, a radio button is checked and the others of
    // its group cleared; then Clicked (OK and Cancel close as usual).
    bool Press(Control& control);
    bool Press(int id);
    // Enter: clicks the default push button (IDOK when there is none) without
    // moving the focus. Escape: IDCANCEL, with or without a Cancel button.
    bool PressEnter();
    bool PressEscape();
    // Chooses an item of a list or combo box: SelectionChanged.
    bool Select(Control& control, int index);
    bool Select(int id, int index);
    bool SelectData(int id, uint32_t data);  // the item carrying `data`
    // Double-clicks a list row: selects it, SelectionChanged, DoubleClicked.
    bool DoubleClick(Control& control, int row);
    bool DoubleClick(int id, int row);
    // Tab or click into a control.
    bool Focus(Control& control);
    bool Focus(int id);

    // A key pressed while `control` has the focus: the focus stays (or moves
    // there), then the dialog's OnKeyDown. Returns whether the dialog
    // consumed the key; a front end then gives it to the control.
    bool KeyDown(Control& control, const KeyPress& key);
    bool KeyDown(int id, const KeyPress& key);
    // A character typed while `control` has the focus; as KeyDown.
    bool Char(Control& control, char ch);
    bool Char(int id, char ch);

    // Paints every row of an owner-drawn list, `width` pixels wide, top to
    // bottom on `canvas`, as a front end would (rows from MeasureItem, the
    // canvas's line height when it says nothing).
    bool DrawRows(int id, Canvas& canvas, int width);

  private:
    Control* Usable(Control* control);
    Control* Usable(int id) { return Usable(dialog_.FindItem(id)); }

    Dialog& dialog_;
};

}  // namespace recaster::ui
