// The list-editing dialog base and its list box.
#include "dialogs/list_edit_dialog.h"

#include "base/cp1252.h"
#include "ui/ui.h"

namespace recaster::dialogs {

void ListEditListBox::AddItem() {
    control_->SetRowCount(control_->ItemCount() + 1);
    control_->SetCurSel(control_->ItemCount() - 1);
}

void ListEditListBox::RemoveItem(int row) {
    RemoveData(row);
    control_->DeleteItem(row);
}

void ListEditListBox::Draw(ui::DrawItemContext& context) const {
    if (context.row < 0 || context.row >= ItemCount()) return;
    ui::Canvas& canvas = context.canvas;
    const bool selected = context.selected;
    const ui::Color back =
        canvas.SysColor(selected ? ui::SystemColor::Highlight : ui::SystemColor::Window);
    const ui::Color text =
        canvas.SysColor(selected ? ui::SystemColor::HighlightText : ui::SystemColor::WindowText);
    canvas.FillRect(context.rect, back);
    const ui::Color oldText = canvas.SetTextColor(text);
    const ui::Color oldBack = canvas.SetBackgroundColor(back);
    DrawRow(canvas, context.row, context.rect);
    canvas.SetTextColor(oldText);
    canvas.SetBackgroundColor(oldBack);
}

void ListEditDialog::OnInitDialog() {
    changed_ = false;
    listBox_ = CreateListBox();
    InitList();
    UpdateButtons();
}

void ListEditDialog::InitList() {
    ui::Control& list = Item(kList);
    listBox_->Attach(list);
    listBox_->Fill();
    list.SetCurSel(0);
    SetFocusTo(&list);
}

void ListEditDialog::UpdateButtons() {
    const bool selected = SelectedRow() >= 0;
    for (int id : {kModify, kDelete}) {
        if (ui::Control* button = FindItem(id)) button->SetEnabled(selected);
    }
}

bool ListEditDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    const bool clicked = notification == ui::Notification::Clicked;
    switch (control.id()) {
        case kNew:
            if (clicked) New();
            return clicked;
        case kDelete:
            if (clicked) Delete();
            return clicked;
        case kModify:
            if (clicked) Modify();
            return clicked;
        case kList:
            if (notification == ui::Notification::SelectionChanged) {
                UpdateButtons();
                return true;
            }
            if (notification == ui::Notification::DoubleClicked) {
                Modify();
                return true;
            }
            return false;
        default:
            return false;
    }
}

void ListEditDialog::Modify() {
    const int row = SelectedRow();
    if (row < 0 || !EditItem(row)) return;
    SetChanged();
    UpdateButtons();
    InvalidateItem(kList, -1);
}

void ListEditDialog::New() {
    if (!NewItem()) return;
    SetChanged();
    UpdateButtons();
    InvalidateItem(kList, -1);
}

void ListEditDialog::Delete() {
    const int row = SelectedRow();
    if (row < 0 || !ConfirmDeleteItem(row)) return;
    listBox_->RemoveItem(row);
    SetCurSel(kList, row);
    SetChanged();
    UpdateButtons();
}

void ListEditDialog::Close() {
    if (changed_) SaveChanges();
    EndDialog(changed_ ? ui::IDOK : ui::IDCANCEL);
}

bool ListEditDialog::OnKeyDown(ui::Control& control, const ui::KeyPress& key) {
    if (control.id() != kList || !key.Plain()) return false;
    // A key whose button the template leaves out, or that is disabled now,
    // does nothing, as the button would.
    auto run = [&](int button, void (ListEditDialog::*action)()) {
        const ui::Control* b = FindItem(button);
        if (b != nullptr && b->enabled() && b->visible()) (this->*action)();
        return true;
    };
    switch (key.key) {
        case ui::Key::Insert:
            return run(kNew, &ListEditDialog::New);
        case ui::Key::Delete:
            return run(kDelete, &ListEditDialog::Delete);
        case ui::Key::Enter:
            return run(kModify, &ListEditDialog::Modify);
        default:
            return false;
    }
}

bool ListEditDialog::OnChar(ui::Control& control, char ch) {
    if (control.id() != kList || static_cast<unsigned char>(ch) < 32) return false;
    // A pause longer than a double click starts a new prefix.
    const uint32_t now = ui().TickCount();
    if (now - lastTyped_ > ui().DoubleClickTime()) typed_.clear();
    lastTyped_ = now;
    typed_ += UpperCp1252(ch);
    const int count = listBox_->ItemCount();
    // The current row stays while it still matches; otherwise the next
    // matching row after it, wrapping around.
    const int current = SelectedRow();
    const int start = current >= 0 && typed_.size() > 1 ? current : current + 1;
    for (int k = 0; k < count; ++k) {
        const int row = (start + k + count) % count;
        const std::string key = listBox_->KeyText(row);
        if (key.size() >= typed_.size() &&
            EqualsNoCaseCp1252(std::string_view(key).substr(0, typed_.size()), typed_)) {
            if (row != current) {
                SetCurSel(kList, row);
                UpdateButtons();
            }
            break;
        }
    }
    return true;
}

void ListEditDialog::DrawItem(ui::DrawItemContext& context) {
    if (listBox_ && context.control == &listBox_->control()) listBox_->Draw(context);
}

}  // namespace recaster::dialogs
