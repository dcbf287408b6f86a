// The database list view's field list windows: one per database at most,
// ten in all, opened where the cascade puts them and closed with their
// database or with the view.
#include <algorithm>

#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_view.h"
#include "views/field_list_frame.h"
#include "views/frame_placement.h"

namespace recaster::views {

FieldListFrame* CDBListView::FieldWindowOf(const config::CCfgDatabase& database) const {
    for (const FieldWindow& w : fieldWindows_) {
        if (w.database == &database) return w.frame.get();
    }
    return nullptr;
}

bool CDBListView::OpenFieldWindow(config::CCfgDatabase& database) {
    if (host_ == nullptr) return false;
    if (FieldListFrame* open = FieldWindowOf(database)) {
        host_->ActivateFrame(*open);
        return true;
    }
    if (FieldWindowCount() >= kMaxFieldWindows) {
        ui::ShowMessageBox(ui::CurrentUi(), kMsgTooManyWindows, {}, ui::MB_OK);
        return false;
    }
    const ui::Rect geometry =
        CascadePlacement(host_->ChildWindowCount(), host_->ClientArea(), host_->CaptionHeight());
    fieldWindows_.push_back(
        {&database, std::make_unique<FieldListFrame>(*this, database, fieldEditor_)});
    host_->OpenFrame(*fieldWindows_.back().frame, geometry);
    return true;
}

void CDBListView::CloseFieldWindow(const config::CCfgDatabase& database) {
    auto it = std::find_if(fieldWindows_.begin(), fieldWindows_.end(),
                           [&](const FieldWindow& w) { return w.database == &database; });
    if (it == fieldWindows_.end()) return;
    // Out of the list first: closing the window may come back here.
    std::unique_ptr<FieldListFrame> frame = std::move(it->frame);
    fieldWindows_.erase(it);
    if (host_ != nullptr) host_->CloseFrame(*frame);
}

void CDBListView::CloseAllFieldWindows() {
    while (!fieldWindows_.empty()) CloseFieldWindow(*fieldWindows_.back().database);
}

}  // namespace recaster::views
