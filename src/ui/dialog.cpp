// Dialog lifecycle, command dispatch, focus and the control helpers.
#include "ui/dialog.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "ui/ui.h"

namespace recaster::ui {

static const resources::DialogTemplate& RequireTemplate(int templateId) {
    const resources::DialogTemplate* t = resources::FindDialogTemplate(templateId);
    if (!t) throw std::invalid_argument("no dialog template " + std::to_string(templateId));
    return *t;
}

Dialog::Dialog(int templateId) : Dialog(RequireTemplate(templateId)) {}

Dialog::Dialog(const resources::DialogTemplate& tmpl) : template_(&tmpl), title_(tmpl.title) {
    for (const resources::ControlTemplate& c : tmpl.controls) {
        controls_.push_back(std::make_unique<Control>(c));
        Adopt(*controls_.back());
    }
}

Dialog::~Dialog() {
    for (auto& c : controls_) c->RemoveObserver(this);
}

void Dialog::Adopt(Control& control) {
    control.AddObserver(this);
}

int Dialog::DoModal(Ui& ui) {
    return ui.RunModal(*this);
}

int Dialog::DoModal() {
    return DoModal(CurrentUi());
}

void Dialog::SetTitle(std::string title) {
    if (title == title_) return;
    title_ = std::move(title);
    NotifyObservers([&](DialogObserver* o) { o->TitleChanged(title_); });
}

void Dialog::SetVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    NotifyObservers([&](DialogObserver* o) { o->VisibilityChanged(on); });
}

namespace {
int viewOnlyScopes = 0;
}  // namespace

ViewOnlyScope::ViewOnlyScope(bool on) : on_(on) {
    if (on_) ++viewOnlyScopes;
}

ViewOnlyScope::~ViewOnlyScope() {
    if (on_) --viewOnlyScopes;
}

bool ViewOnlyScope::Active() {
    return viewOnlyScopes > 0;
}

void Dialog::LockForViewing(Control& control) {
    if (control.IsList() || control.kind() == ControlKind::Static ||
        control.kind() == ControlKind::GroupBox || control.kind() == ControlKind::Icon ||
        control.kind() == ControlKind::HorizontalLine || control.kind() == ControlKind::ProgressBar)
        return;
    if (control.IsPushButton() && !ButtonChangesData(control)) return;
    control.LockForViewing();
}

void Dialog::ResetForRun(Ui& ui) {
    ui_ = &ui;
    ended_ = false;
    result_ = 0;
    focus_ = nullptr;
}

void Dialog::Initialize(Ui& ui) {
    ResetForRun(ui);
    viewOnly_ = ViewOnlyScope::Active();
    OnInitDialog();
    if (viewOnly_) {
        for (const auto& c : controls_) LockForViewing(*c);
        if (focus_ != nullptr && !focus_->enabled()) SetFocusTo(nullptr);
    }
    if (focus_ != nullptr || ended_) return;
    for (const auto& c : controls_) {
        if (c->HasStyle(resources::kStyleTabStop) && c->enabled() && c->visible()) {
            GotoControl(*c);
            break;
        }
    }
}

void Dialog::Dispatch(Control& control, Notification notification) {
    if (viewOnly_ && control.id() == IDOK && notification == Notification::Clicked) {
        // Nothing was changed, so there is nothing to take: OK only closes.
        OnCancel();
        return;
    }
    if (OnCommand(control, notification)) return;
    if (notification != Notification::Clicked) return;
    if (control.id() == IDOK) {
        OnOK();
    } else if (control.id() == IDCANCEL) {
        OnCancel();
    } else if (control.id() == IDHELP) {
        ShowHelp();
    }
}

bool Dialog::DispatchKey(Control& control, const KeyPress& key) {
    if (OnKeyDown(control, key)) return true;
    if (key == KeyPress{Key::F1}) {
        ShowHelp();
        return true;
    }
    return false;
}

void Dialog::ShowHelp() {
    const std::string topic = HelpTopic();
    if (topic.empty()) {
        ui().ShowHelp(HelpCommand::Contents);
    } else {
        ui().ShowHelp(HelpCommand::Topic, topic);
    }
}

void Dialog::Dispatch(int id, Notification notification) {
    if (Control* c = FindItem(id)) {
        Dispatch(*c, notification);
    } else if (notification == Notification::Clicked && id == IDOK) {
        if (viewOnly_) {
            OnCancel();
        } else {
            OnOK();
        }
    } else if (notification == Notification::Clicked && id == IDCANCEL) {
        OnCancel();
    }
}

Rect Dialog::MapDialogRect(const resources::DialogRect& rect) const {
    return DialogRectToPixels(rect, units_);
}

void Dialog::DrawItem(DrawItemContext&) {}

void Dialog::MeasureItem(MeasureItemContext&) {}

void Dialog::AddObserver(DialogObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void Dialog::RemoveObserver(DialogObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

template <class F>
void Dialog::NotifyObservers(F&& f) {
    std::vector<DialogObserver*> observers = observers_;  // an observer may detach itself
    for (DialogObserver* o : observers) f(o);
}

void Dialog::ControlChanged(const Control& control, const ControlChange& change) {
    NotifyObservers([&](DialogObserver* o) { o->ControlChanged(control, change); });
}

Control* Dialog::FindItem(int id) {
    for (auto& c : controls_) {
        if (c->id() == id) return c.get();
    }
    return nullptr;
}

const Control* Dialog::FindItem(int id) const {
    return const_cast<Dialog*>(this)->FindItem(id);
}

Control& Dialog::Item(int id) {
    if (Control* c = FindItem(id)) return *c;
    throw std::out_of_range("dialog " + std::to_string(templateId()) + " has no control " +
                            std::to_string(id));
}

const Control& Dialog::Item(int id) const {
    return const_cast<Dialog*>(this)->Item(id);
}

std::vector<Control*> Dialog::AddControls(const resources::DialogTemplate& page, int originX,
                                          int originY, int afterId) {
    auto pos = controls_.end();
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if ((*it)->id() == afterId) {
            pos = it + 1;
            break;
        }
    }
    std::vector<Control*> added;
    for (const resources::ControlTemplate& t : page.controls) {
        auto control = std::make_unique<Control>(t);
        resources::DialogRect r = t.rect;
        r.x += originX;
        r.y += originY;
        control->SetRect(r);
        Adopt(*control);
        if (viewOnly_) LockForViewing(*control);
        added.push_back(control.get());
        pos = controls_.insert(pos, std::move(control)) + 1;
    }
    NotifyObservers([&](DialogObserver* o) { o->ControlsAdded(added); });
    return added;
}

std::string Dialog::GetText(int id) const {
    return Item(id).text();
}

void Dialog::SetText(int id, std::string text) {
    Item(id).SetText(std::move(text));
}

std::optional<int> Dialog::GetInt(int id) const {
    return ParseWholeNumber(Item(id).text());
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void Dialog::SetInt(int id, int value) {
    SetText(id, std::to_string(value));
}

bool Dialog::IsChecked(int id) const {
    return Item(id).checked() == 1;
}

int Dialog::CheckState(int id) const {
    return Item(id).checked();
}

void Dialog::Check(int id, int state) {
    Item(id).SetChecked(state);
}

void Dialog::CheckRadio(int first, int last, int id) {
    for (auto& c : controls_) {
        if (c->id() >= first && c->id() <= last) c->SetChecked(c->id() == id ? 1 : 0);
    }
}

int Dialog::CheckedRadio(int first, int last) const {
    for (const auto& c : controls_) {
        if (c->id() >= first && c->id() <= last && c->checked() == 1) return c->id();
    }
    return 0;
}

void Dialog::Enable(int id, bool on) {
    Item(id).SetEnabled(on);
}

bool Dialog::IsEnabled(int id) const {
    return Item(id).enabled();
}

void Dialog::Show(int id, bool on) {
    Item(id).SetVisible(on);
}

bool Dialog::IsShown(int id) const {
    return Item(id).visible();
}

void Dialog::SetTextLimit(int id, size_t limit) {
    Item(id).SetTextLimit(limit);
}

int Dialog::Focus() const {
    return focus_ != nullptr ? focus_->id() : 0;
}

void Dialog::SetFocusTo(int id) {
    // A missing control is a programming error (Item throws).
    SetFocusTo(id == 0 ? nullptr : &Item(id));
}

void Dialog::SetFocusTo(Control* control) {
    if (control == focus_) return;
    Control* old = focus_;
    focus_ = control;
    NotifyObservers([&](DialogObserver* o) { o->FocusChanged(old, control); });
    // The platform tells both controls; dialogs that check on leaving use it.
    if (IsRunning()) {
        if (old != nullptr) Dispatch(*old, Notification::KillFocus);
        if (control != nullptr && focus_ == control) Dispatch(*control, Notification::SetFocus);
    }
}

void Dialog::GotoControl(int id) {
    GotoControl(Item(id));
}

void Dialog::GotoControl(Control& c) {
    SetFocusTo(&c);
    if (c.IsEdit() || c.kind() == resources::ControlKind::DropDown) c.SelectAll();
}

void Dialog::EndDialog(int result) {
    ended_ = true;
    result_ = viewOnly_ ? IDCANCEL : result;
    NotifyObservers([&](DialogObserver* o) { o->Ended(result); });
}

Ui& Dialog::ui() const {
    return ui_ ? *ui_ : CurrentUi();
}

int Dialog::MessageBox(int stringId, std::initializer_list<std::string_view> args, uint32_t flags) {
    return ShowMessageBox(ui(), stringId, args, flags);
}

int Dialog::AddItem(int id, std::string text, uint32_t data) {
    return Item(id).AddItem(std::move(text), data);
}

int Dialog::InsertItem(int id, int index, std::string text, uint32_t data) {
    return Item(id).InsertItem(index, std::move(text), data);
}

bool Dialog::DeleteItem(int id, int index) {
    return Item(id).DeleteItem(index);
}

void Dialog::ResetContent(int id) {
    Item(id).ResetContent();
}

int Dialog::GetCount(int id) const {
    return Item(id).ItemCount();
}

int Dialog::GetCurSel(int id) const {
    return Item(id).curSel();
}

bool Dialog::SetCurSel(int id, int index) {
    return Item(id).SetCurSel(index);
}

std::optional<uint32_t> Dialog::GetItemData(int id, int index) const {
    const ListItem* item = Item(id).Item(index);
    if (!item) return std::nullopt;
    return item->data;
}

bool Dialog::SetItemData(int id, int index, uint32_t data) {
    return Item(id).SetItemData(index, data);
}

std::string Dialog::GetItemText(int id, int index) const {
    const ListItem* item = Item(id).Item(index);
    return item ? item->text : std::string();
}

int Dialog::FindItemData(int id, uint32_t data) const {
    return Item(id).FindItemData(data);
}

int Dialog::FindStringExact(int id, std::string_view text, int after) const {
    return Item(id).FindStringExact(text, after);
}

void Dialog::InvalidateItem(int id, int row) {
    Item(id).InvalidateRow(row);
}

}  // namespace recaster::ui
