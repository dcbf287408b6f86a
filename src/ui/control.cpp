// Live control state and its change notifications.
#include "ui/control.h"

#include <algorithm>

#include "base/cp1252.h"

namespace recaster::ui {

using resources::ControlKind;

Control::Control(const resources::ControlTemplate& t)
    : Control(t.id, t.kind, std::string(t.text), t.style) {
    rect_ = t.rect;
}

Control::Control(int id, ControlKind kind, std::string text, uint32_t style)
    : id_(id), kind_(kind), style_(style), text_(std::move(text)) {
    enabled_ = !HasStyle(resources::kStyleDisabled);
    visible_ = !HasStyle(resources::kStyleHidden);
    readOnly_ = HasStyle(resources::kStyleReadOnly);
    // A combo box's template text is no item; it starts empty.
    if (IsCombo() || IsList()) text_.clear();
}

bool Control::IsEdit() const {
    return kind_ == ControlKind::Edit || kind_ == ControlKind::MultiLineEdit;
}

bool Control::IsCombo() const {
    return kind_ == ControlKind::DropDownList || kind_ == ControlKind::DropDown;
}

bool Control::IsList() const {
    return kind_ == ControlKind::ListBox || IsOwnerDrawn();
}

bool Control::IsOwnerDrawn() const {
    return kind_ == ControlKind::OwnerDrawnList || kind_ == ControlKind::OwnerDrawnListVariable;
}

bool Control::IsPushButton() const {
    return kind_ == ControlKind::PushButton || kind_ == ControlKind::DefaultPushButton;
}

void Control::SetRect(const resources::DialogRect& r) {
    if (r.x == rect_.x && r.y == rect_.y && r.width == rect_.width && r.height == rect_.height)
        return;
    rect_ = r;
    Notify(ControlAspect::Geometry);
}

void Control::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
    selEnd_ = std::min(selEnd_, static_cast<int>(text_.size()));
    Notify(ControlAspect::Text);
}

TextEntry Control::EnterText(std::string_view typed) {
    TextEntry entry;
    if (readOnly_ && IsEdit()) return entry;
    std::string text;
    for (char c : typed) {
        if (HasStyle(resources::kStyleNumber) && (c < '0' || c > '9')) continue;
        text += HasStyle(resources::kStyleUppercase) ? UpperCp1252(c) : c;
    }
    if (textLimit_ != 0 && text.size() > textLimit_) {
        text.resize(textLimit_);
        entry.truncated = true;
    }
    entry.accepted = true;
    SetText(std::move(text));
    SetSelection(static_cast<int>(text_.size()), -1);  // caret after the text
    return entry;
}

void Control::SetTextLimit(size_t limit) {
    if (limit == textLimit_) return;
    textLimit_ = limit;
    Notify(ControlAspect::TextLimit);
}

void Control::SetSelection(int start, int end) {
    int size = static_cast<int>(text_.size());
    if (end < 0 || end > size) end = size;
    start = std::clamp(start, 0, size);
    if (start > end) std::swap(start, end);
    if (start == selStart_ && end == selEnd_) return;
    selStart_ = start;
    selEnd_ = end;
    Notify(ControlAspect::EditSelection);
}

void Control::SetChecked(int state) {
    if (state != 0 && state != 2) state = 1;
    if (state == checked_) return;
    checked_ = state;
    Notify(ControlAspect::Check);
}

void Control::SetEnabled(bool on) {
    if (viewLocked_ && !IsEdit()) on = false;
    if (on == enabled_) return;
    enabled_ = on;
    Notify(ControlAspect::Enabled);
}

void Control::SetVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    Notify(ControlAspect::Visible);
}

void Control::SetReadOnly(bool on) {
    if (viewLocked_ && IsEdit()) on = true;
    if (on == readOnly_) return;
    readOnly_ = on;
    Notify(ControlAspect::ReadOnly);
}

void Control::LockForViewing() {
    // An edit stays enabled so that its text can still be selected and copied.
    if (IsEdit()) {
        SetReadOnly(true);
    } else {
        SetEnabled(false);
    }
    viewLocked_ = true;
}

const ListItem* Control::Item(int index) const {
    if (index < 0 || index >= ItemCount()) return nullptr;
    return &items_[static_cast<size_t>(index)];
}

int Control::AddItem(std::string text, uint32_t data) {
    int index = ItemCount();
    if (HasStyle(resources::kStyleSort)) {
        auto pos = std::upper_bound(items_.begin(), items_.end(), text,
                                    [](const std::string& t, const ListItem& item) {
                                        return CompareNoCaseCp1252(t, item.text) < 0;
                                    });
        index = static_cast<int>(pos - items_.begin());
    }
    return InsertItem(index, std::move(text), data);
}

int Control::InsertItem(int index, std::string text, uint32_t data) {
    if (index == -1) index = ItemCount();
    if (index < 0 || index > ItemCount()) return -1;
    items_.insert(items_.begin() + index, ListItem{std::move(text), data});
    if (curSel_ >= index) ++curSel_;
    Notify(ControlAspect::Items);
    return index;
}

bool Control::DeleteItem(int index) {
    if (!Item(index)) return false;
    items_.erase(items_.begin() + index);
    if (curSel_ == index) {
        curSel_ = -1;
        SyncComboText();
    } else if (curSel_ > index) {
        --curSel_;
    }
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, ItemCount() - 1));
    Notify(ControlAspect::Items);
    return true;
}

void Control::ResetContent() {
    items_.clear();
    curSel_ = -1;
    topIndex_ = 0;
    SyncComboText();
    Notify(ControlAspect::Items);
}

void Control::SetItems(std::vector<ListItem> items) {
    items_ = std::move(items);
    curSel_ = -1;
    topIndex_ = 0;
    SyncComboText();
    Notify(ControlAspect::Items);
}

bool Control::SetItemData(int index, uint32_t data) {
    if (!Item(index)) return false;
    items_[static_cast<size_t>(index)].data = data;
    return true;  // data is not shown; nothing to mirror
}

bool Control::SetItemText(int index, std::string text) {
    if (!Item(index)) return false;
    items_[static_cast<size_t>(index)].text = std::move(text);
    if (index == curSel_) SyncComboText();
    Notify(ControlAspect::Items);
    return true;
}

void Control::SetRowCount(int count) {
    count = std::max(0, count);
    if (count == ItemCount()) return;
    items_.resize(static_cast<size_t>(count));
    if (curSel_ >= count) curSel_ = -1;
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, count - 1));
    Notify(ControlAspect::Items);
}

bool Control::SetCurSel(int index) {
    bool valid = Item(index) != nullptr;
    int newSel = valid ? index : -1;
    if (newSel != curSel_) {
        curSel_ = newSel;
        SyncComboText();
        Notify(ControlAspect::ItemSelection);
    }
    return valid;
}

int Control::FindItemData(uint32_t data) const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (items_[static_cast<size_t>(i)].data == data) return i;
    }
    return -1;
}

// The first item from the one after `after` to the end, then from the
// start, whose text `matches`.
template <class Match>
static int SearchItems(const std::vector<ListItem>& items, int after, Match&& matches) {
    const int n = static_cast<int>(items.size());
    if (n == 0) return -1;
    const int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (matches(items[static_cast<size_t>(i)].text)) return i;
    }
    return -1;
}

int Control::FindStringExact(std::string_view text, int after) const {
    return SearchItems(items_, after,
                       [&](const std::string& item) { return EqualsNoCaseCp1252(item, text); });
}

int Control::FindString(std::string_view prefix, int after) const {
    return SearchItems(items_, after, [&](const std::string& item) {
        return item.size() >= prefix.size() &&
               EqualsNoCaseCp1252(std::string_view(item).substr(0, prefix.size()), prefix);
    });
}

void Control::SetTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, ItemCount() - 1));
    if (index == topIndex_) return;
    topIndex_ = index;
    Notify(ControlAspect::TopIndex);
}

void Control::SetRange(int low, int high) {
    if (low == rangeLow_ && high == rangeHigh_) return;
    rangeLow_ = low;
    rangeHigh_ = high;
    position_ = std::clamp(position_, std::min(low, high), std::max(low, high));
    Notify(ControlAspect::Progress);
}

void Control::SetPosition(int pos) {
    pos = std::clamp(pos, std::min(rangeLow_, rangeHigh_), std::max(rangeLow_, rangeHigh_));
    if (pos == position_) return;
    position_ = pos;
    Notify(ControlAspect::Progress);
}

void Control::SetStep(int step) {
    if (step == step_) return;
    step_ = step;
    Notify(ControlAspect::Progress);
}

void Control::StepIt() {
    long long next = static_cast<long long>(position_) + step_;
    if (next > rangeHigh_) next = rangeLow_ + (next - rangeHigh_);
    SetPosition(static_cast<int>(std::clamp<long long>(next, rangeLow_, rangeHigh_)));
}

void Control::InvalidateRow(int row) {
    Notify(ControlAspect::RowInvalidated, row);
}

void Control::AddObserver(ControlObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void Control::RemoveObserver(ControlObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Control::SyncComboText() {
    if (!IsCombo()) return;
    const ListItem* item = Item(curSel_);
    std::string text = item ? item->text : std::string();
    // A drop-down keeps what the user typed when the selection is cleared.
    if (!item && kind_ == ControlKind::DropDown) return;
    if (text != text_) {
        text_ = std::move(text);
        Notify(ControlAspect::Text);
    }
}

void Control::Notify(ControlAspect aspect, int row) {
    ControlChange change{aspect, row};
    // Copy: an observer may detach itself while being told.
    std::vector<ControlObserver*> observers = observers_;
    for (ControlObserver* o : observers) o->ControlChanged(*this, change);
}

}  // namespace recaster::ui
