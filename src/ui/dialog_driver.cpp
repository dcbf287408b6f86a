// Simulated user input on a dialog.
#include "ui/dialog_driver.h"

#include "ui/canvas.h"

namespace recaster::ui {

using resources::ControlKind;

Control* DialogDriver::Usable(int id) {
    if (dialog_.IsEnded()) return nullptr;
    Control* c = dialog_.FindItem(id);
    if (!c || !c->enabled() || !c->visible()) return nullptr;
    return c;
}

bool DialogDriver::Focus(int id) {
    if (!Usable(id)) return false;
    dialog_.SetFocusTo(id);
    return true;
}

bool DialogDriver::Type(int id, std::string_view text) {
    Control* c = Usable(id);
    if (!c || !(c->IsEdit() || c->kind() == ControlKind::DropDown)) return false;
    dialog_.SetFocusTo(id);
    if (dialog_.IsEnded()) return false;
    TextEntry entry = c->EnterText(text);
    if (!entry.accepted) return false;
    dialog_.Dispatch(id, Notification::EditChanged);
    if (entry.truncated && !dialog_.IsEnded()) dialog_.Dispatch(id, Notification::MaxText);
    return true;
}

// The radio buttons of the group `index` belongs to: from the nearest
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

bool DialogDriver::Press(int id) {
    Control* c = Usable(id);
    if (!c) return false;
    ControlKind kind = c->kind();
    if (!c->IsPushButton() && kind != ControlKind::CheckBox && kind != ControlKind::RadioButton) {
        return false;
    }
    dialog_.SetFocusTo(id);
    if (dialog_.IsEnded()) return false;
    if (kind == ControlKind::CheckBox) c->SetChecked(c->checked() == 0 ? 1 : 0);
    if (kind == ControlKind::RadioButton) CheckInGroup(dialog_, *c);
    dialog_.Dispatch(id, Notification::Clicked);
    return true;
}

bool DialogDriver::PressEnter() {
    if (dialog_.IsEnded()) return false;
    int id = IDOK;
    for (const auto& c : dialog_.controls()) {
        if (c->kind() == ControlKind::DefaultPushButton) {
            id = c->id();
            break;
        }
    }
    Control* c = dialog_.FindItem(id);
    if (c && (!c->enabled() || !c->visible())) return false;
    dialog_.Dispatch(id, Notification::Clicked);
    return true;
}

bool DialogDriver::PressEscape() {
    if (dialog_.IsEnded()) return false;
    dialog_.Dispatch(IDCANCEL, Notification::Clicked);
    return true;
}

bool DialogDriver::Select(int id, int index) {
    Control* c = Usable(id);
    if (!c || !c->HasItems() || !c->Item(index)) return false;
    c->SetCurSel(index);
    if (c->HasStyle(resources::kStyleMultiSelect)) c->SetItemSelected(index, true);
    dialog_.Dispatch(id, Notification::SelectionChanged);
    return true;
}

bool DialogDriver::SelectData(int id, uint32_t data) {
    Control* c = Usable(id);
    if (!c) return false;
    return Select(id, c->FindItemData(data));
}

bool DialogDriver::DoubleClick(int id, int row) {
    Control* c = Usable(id);
    if (!c || !c->IsList()) return false;
    if (!Select(id, row)) return false;
    if (!dialog_.IsEnded()) dialog_.Dispatch(id, Notification::DoubleClicked);
    return true;
}

bool DialogDriver::DrawRows(int id, Canvas& canvas, int width) {
    Control* c = dialog_.FindItem(id);
    if (!c || !c->IsOwnerDrawn()) return false;
    bool variable = c->kind() == ControlKind::OwnerDrawnListVariable;
    MeasureItemContext fixed{id, -1, canvas.LineHeight()};
    if (!variable) dialog_.MeasureItem(fixed);
    int top = 0;
    for (int row = c->topIndex(); row < c->ItemCount(); ++row) {
        MeasureItemContext measure{id, row, canvas.LineHeight()};
        if (variable) dialog_.MeasureItem(measure);
        int height = variable ? measure.height : fixed.height;
        DrawItemContext context{canvas,
                                id,
                                row,
                                Rect{0, top, width, top + height},
                                c->IsItemSelected(row),
                                dialog_.Focus() == id && c->curSel() == row,
                                c->Item(row)->data};
        dialog_.DrawItem(context);
        top += height;
    }
    return true;
}

}  // namespace recaster::ui
