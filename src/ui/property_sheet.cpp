// Pages, OK, Cancel and Apply of a property sheet.
#include "ui/property_sheet.h"

#include "ui/dialog.h"
#include "ui/ui.h"

namespace recaster::ui {

PropertySheet::PropertySheet(std::string title, bool applyButton)
    : title_(std::move(title)), applyButton_(applyButton) {}

void PropertySheet::AddPage(Dialog& page) {
    pages_.push_back(&page);
    shown_.push_back(false);
}

int PropertySheet::DoModal(Ui& ui) {
    return ui.RunPropertySheet(*this);
}

int PropertySheet::DoModal() {
    return DoModal(CurrentUi());
}

void PropertySheet::Initialize(Ui& ui) {
    ui_ = &ui;
    ended_ = false;
    result_ = 0;
    active_ = -1;
    shown_.assign(pages_.size(), false);
    if (!pages_.empty()) SelectPage(0);
}

bool PropertySheet::SelectPage(int index) {
    if (ended_ || !ui_ || index < 0 || index >= PageCount()) return false;
    if (active_ >= 0) pages_[static_cast<size_t>(active_)]->SetVisible(false);
    active_ = index;
    Dialog& page = *pages_[static_cast<size_t>(index)];
    if (!shown_[static_cast<size_t>(index)]) {
        shown_[static_cast<size_t>(index)] = true;
        page.Initialize(*ui_);
    }
    page.SetVisible(true);
    return true;
}

bool PropertySheet::ApplyPages() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (!shown_[i]) continue;
        Dialog& page = *pages_[i];
        page.ended_ = false;
        page.OnOK();
        if (!page.IsEnded()) {
            SelectPage(static_cast<int>(i));
            return false;
        }
    }
    return true;
}

bool PropertySheet::PressOK() {
    if (ended_ || !ui_) return false;
    // A sheet shown only to look: OK takes nothing, as Cancel.
    if (ViewOnlyScope::Active()) return PressCancel();
    if (!ApplyPages()) return false;
    ended_ = true;
    result_ = IDOK;
    return true;
}

bool PropertySheet::PressApply() {
    if (ended_ || !ui_ || !applyButton_ || ViewOnlyScope::Active()) return false;
    if (!ApplyPages()) return false;
    // The pages stay open for more changes.
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (shown_[i]) pages_[i]->ended_ = false;
    }
    modified_ = false;
    return true;
}

bool PropertySheet::PressCancel() {
    if (ended_ || !ui_) return false;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (shown_[i]) pages_[i]->OnCancel();
    }
    ended_ = true;
    result_ = IDCANCEL;
    return true;
}

}  // namespace recaster::ui
