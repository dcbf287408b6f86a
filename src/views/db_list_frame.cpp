// CDBListFrame: the bars of the database list window.
#include "views/db_list_frame.h"

#include "views/db_list_commands.h"

namespace recaster::views {

CDBListFrame::CDBListFrame(ViewDocument& document, const workforms::WorkformCatalog& catalog)
    : view_(document, catalog), header_(kHeaderTemplate), buttons_(view_) {
    view_.SetListener(this);
    UpdateButtons();
}

CDBListFrame::~CDBListFrame() {
    view_.SetListener(nullptr);
}

void CDBListFrame::OnInitialUpdate(const ui::Canvas& metrics,
                                   const ui::DialogBaseUnits& headerUnits, int listLeft) {
    headerUnits_ = headerUnits;
    listLeft_ = listLeft;
    view_.OnInitialUpdate(metrics);
}

void CDBListFrame::MoveCaptions() {
    const std::vector<int>& edges = view_.listBox().ColumnEdges();
    const int ids[3] = {kCaptionName, kCaptionDescription, kCaptionTarget};
    for (int i = 0; i < 3; ++i) {
        ui::Control* caption = header_.FindItem(ids[i]);
        if (caption == nullptr) continue;
        if (i == 0) {
            // The name caption keeps its place.
            captionLeft_[i] = ui::DialogUnitsToPixelsX(caption->rect().x, headerUnits_);
            continue;
        }
        captionLeft_[i] = listLeft_ + edges[static_cast<size_t>(i)];
        resources::DialogRect rect = caption->rect();
        rect.x = ui::PixelsToDialogUnitsX(captionLeft_[i], headerUnits_);
        caption->SetRect(rect);
    }
}

int CDBListFrame::CaptionLeft(int captionId) const {
    switch (captionId) {
        case kCaptionName:
            return captionLeft_[0];
        case kCaptionDescription:
            return captionLeft_[1];
        case kCaptionTarget:
            return captionLeft_[2];
        default:
            return -1;
    }
}

void CDBListFrame::UpdateButtons() {
    for (int id : {kCmdNew, kCmdDelete, kCmdModify}) buttons_.Enable(id, view_.IsEnabled(id));
}

void CDBListFrame::CountLineChanged(const std::string& text) {
    header_.SetText(kCountLine, text);
}

bool CDBListFrame::ButtonBar::OnCommand(ui::Control& control, ui::Notification notification) {
    const int id = control.id();
    if (notification != ui::Notification::Clicked) return false;
    if (id != kCmdNew && id != kCmdDelete && id != kCmdModify) return false;
    view_.Execute(id);
    return true;
}

}  // namespace recaster::views
