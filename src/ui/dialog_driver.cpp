// Simulated user input on a dialog.
#include "ui/dialog_driver.h"

#include "ui/canvas.h"

namespace recaster::ui {

using resources::ControlKind;

Control* DialogDriver::Usable(Control* c) {
    if (dialog_.IsEnded()) return nullptr;
    if (!c || !c->enabled() || !c->visible()) return nullptr;
    return c;
}

bool DialogDriver::Focus(Control& control) {
    Control* c = Usable(&control);
    if (!c) return false;
    dialog_.SetFocusTo(c);
    return true;
}

bool DialogDriver::Focus(int id) {
    Control* c = Usable(id);
    return c && Focus(*c);
}

bool DialogDriver::Type(Control& control, std::string_view text) {
    Control* c = Usable(&control);
    if (!c || !(c->IsEdit() || c->kind() == ControlKind::DropDown)) return false;
    dialog_.SetFocusTo(c);
    if (dialog_.IsEnded()) return false;
    TextEntry entry = c->EnterText(text);
    if (!entry.accepted) return false;
    dialog_.Dispatch(*c, Notification::EditChanged);
    if (entry.truncated && !dialog_.IsEnded()) dialog_.Dispatch(*c, Notification::MaxText);
    return true;
}

bool DialogDriver::Type(int id, std::string_view text) {
    Control* c = Usable(id);
    return c && Type(*c, text);
}

// The radio buttons of the group `target` belongs to: from the nearest
// control at or before it with the Group style up to the next one with it.
static void CheckInGroup(Dialog& dialog, Control& target) {
    const auto& controls = dialog.controls();
    size_t index = 0;
    while (controls[index].get() != &target) ++index;
    size_t first = index;
    while (first > 0 && !controls[first]->HasStyle(resources::kStyleGroup)) --first;
    for (size_t i = first; i < controls.size(); ++i) {
        Control& c = *controls[i];
        if (i > first && c.HasStyle(resources::kStyleGroup)) break;
        if (c.kind() == ControlKind::RadioButton) c.SetChecked(&c == &target ? 1 : 0);
    }
}

bool DialogDriver::Press(Control& control) {
    Control* c = Usable(&control);
    if (!c) return false;
    ControlKind kind = c->kind();
    if (!c->IsPushButton() && kind != ControlKind::CheckBox && kind != ControlKind::RadioButton) {
        return false;
    }
    dialog_.SetFocusTo(c);
    if (dialog_.IsEnded()) return false;
    if (kind == ControlKind::CheckBox) c->SetChecked(c->checked() == 0 ? 1 : 0);
    if (kind == ControlKind::RadioButton) CheckInGroup(dialog_, *c);
    dialog_.Dispatch(*c, Notification::Clicked);
    return true;
}

bool DialogDriver::Press(int id) {
    Control* c = Usable(id);
    return c && Press(*c);
}

bool DialogDriver::PressEnter() {
    if (dialog_.IsEnded()) return false;
    for (const auto& c : dialog_.controls()) {
        if (c->kind() != ControlKind::DefaultPushButton) continue;
        if (!c->enabled() || !c->visible()) return false;
        dialog_.Dispatch(*c, Notification::Clicked);
        return true;
    }
    Control* ok = dialog_.FindItem(IDOK);
    if (ok && (!ok->enabled() || !ok->visible())) return false;
    dialog_.Dispatch(IDOK, Notification::Clicked);
    return true;
}

bool DialogDriver::PressEscape() {
    if (dialog_.IsEnded()) return false;
    dialog_.Dispatch(IDCANCEL, Notification::Clicked);
    return true;
}

bool DialogDriver::Select(Control& control, int index) {
    Control* c = Usable(&control);
    if (!c || !c->HasItems() || !c->Item(index)) return false;
    c->SetCurSel(index);
    dialog_.Dispatch(*c, Notification::SelectionChanged);
    return true;
}

bool DialogDriver::Select(int id, int index) {
    Control* c = Usable(id);
    return c && Select(*c, index);
}

bool DialogDriver::SelectData(int id, uint32_t data) {
    Control* c = Usable(id);
    return c && Select(*c, c->FindItemData(data));
}

bool DialogDriver::DoubleClick(Control& control, int row) {
    Control* c = Usable(&control);
    if (!c || !c->IsList()) return false;
    if (!Select(*c, row)) return false;
    if (!dialog_.IsEnded()) dialog_.Dispatch(*c, Notification::DoubleClicked);
    return true;
}

bool DialogDriver::DoubleClick(int id, int row) {
    Control* c = Usable(id);
    return c && DoubleClick(*c, row);
}

bool DialogDriver::KeyDown(Control& control, const KeyPress& key) {
    Control* c = Usable(&control);
    if (!c) return false;
    dialog_.SetFocusTo(c);
    if (dialog_.IsEnded()) return false;
    return dialog_.DispatchKey(*c, key);
}

bool DialogDriver::KeyDown(int id, const KeyPress& key) {
    Control* c = Usable(id);
    return c && KeyDown(*c, key);
}

bool DialogDriver::Char(Control& control, char ch) {
    Control* c = Usable(&control);
    if (!c) return false;
    dialog_.SetFocusTo(c);
    if (dialog_.IsEnded()) return false;
    return dialog_.DispatchChar(*c, ch);
}

bool DialogDriver::Char(int id, char ch) {
    Control* c = Usable(id);
    return c && Char(*c, ch);
}

bool DialogDriver::DrawRows(int id, Canvas& canvas, int width) {
    Control* c = dialog_.FindItem(id);
    if (!c || !c->IsOwnerDrawn()) return false;
    bool variable = c->kind() == ControlKind::OwnerDrawnListVariable;
    MeasureItemContext fixed{id, -1, canvas.LineHeight(), c};
    if (!variable) dialog_.MeasureItem(fixed);
    int top = 0;
    for (int row = c->topIndex(); row < c->ItemCount(); ++row) {
        MeasureItemContext measure{id, row, canvas.LineHeight(), c};
        if (variable) dialog_.MeasureItem(measure);
        int height = variable ? measure.height : fixed.height;
        DrawItemContext context{canvas,
                                id,
                                row,
                                Rect{0, top, width, top + height},
                                c->curSel() == row,
                                dialog_.FocusedControl() == c && c->curSel() == row,
                                c->Item(row)->data,
                                c};
        dialog_.DrawItem(context);
        top += height;
    }
    return true;
}

}  // namespace recaster::ui
