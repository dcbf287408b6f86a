// DialogDriver: the user's side of a dialog. It changes the controls as the
// user's typing, clicking and choosing would and tells the dialog, so front
// ends route real input through it and tests drive dialogs with it.
//
// Every action returns false and changes nothing when the user could not do
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
    bool Type(int id, std::string_view text);
    // A mouse click on a button, check box or radio button: focus moves to
    // it, a check box toggles, a radio button is checked and the others of
    // its group cleared; then Clicked (OK and Cancel close as usual).
    bool Press(int id);
    // Enter: clicks the default push button (IDOK when there is none) without
    // moving the focus. Escape: IDCANCEL, with or without a Cancel button.
    bool PressEnter();
    bool PressEscape();
    // Chooses an item of a list or combo box: SelectionChanged.
    bool Select(int id, int index);
    bool SelectData(int id, uint32_t data);  // the item carrying `data`
    // Double-clicks a list row: selects it, SelectionChanged, DoubleClicked.
    bool DoubleClick(int id, int row);
    // Tab or click into a control.
    bool Focus(int id);

    // Paints every row of an owner-drawn list, `width` pixels wide, top to
    // bottom on `canvas`, as a front end would (rows from MeasureItem, the
    // canvas's line height when it says nothing).
    bool DrawRows(int id, Canvas& canvas, int width);

  private:
    Control* Usable(int id);

    Dialog& dialog_;
};

}  // namespace recaster::ui
