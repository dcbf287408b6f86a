// The list windows' bars: captions over the columns, buttons that follow
// the commands, the title.
#include "views/list_frame.h"

namespace recaster::views {

void CommandBar::Update() {
    for (const auto& c : controls()) {
        if (c->IsPushButton()) c->SetEnabled(view_.IsEnabled(c->id()));
    }
}

bool CommandBar::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked || !control.IsPushButton()) return false;
    view_.Execute(control.id());
    return true;
}

ListFrame::ListFrame(ListView& view, int headerTemplate, int buttonTemplate,
                     std::vector<int> captions)
    : view_(view),
      header_(headerTemplate),
      buttons_(buttonTemplate, view),
      captionIds_(std::move(captions)),
      captionLeft_(captionIds_.size(), 0) {}

// The view is a member of the derived frame and is gone by now; the
// derived frames detach it in their own destructors (DetachView).
ListFrame::~ListFrame() = default;

void ListFrame::DetachView() {
    view_.SetListener(nullptr);
}

void ListFrame::Bind() {
    view_.SetListener(this);
    UpdateButtons();
}

void ListFrame::RefreshTitle() {
    if (observer_ != nullptr) observer_->FrameTitleChanged(*this);
}

void ListFrame::OnInitialUpdate(const ui::Canvas& metrics, const ui::DialogBaseUnits& headerUnits,
                                int listLeft) {
    headerUnits_ = headerUnits;
    listLeft_ = listLeft;
    view_.OnInitialUpdate(metrics);
}

void ListFrame::MoveCaptions() {
    const std::vector<int>& edges = view_.listBox().ColumnEdges();
    for (size_t i = 0; i < captionIds_.size(); ++i) {
        ui::Control* caption = header_.FindItem(captionIds_[i]);
        if (caption == nullptr) continue;
        if (i == 0 || i >= edges.size()) {
            // The first caption keeps its place.
            captionLeft_[i] = ui::DialogUnitsToPixelsX(caption->rect().x, headerUnits_);
            continue;
        }
        captionLeft_[i] = listLeft_ + edges[i];
        resources::DialogRect rect = caption->rect();
        rect.x = ui::PixelsToDialogUnitsX(captionLeft_[i], headerUnits_);
        caption->SetRect(rect);
    }
}

int ListFrame::CaptionLeft(int captionId) const {
    for (size_t i = 0; i < captionIds_.size(); ++i) {
        if (captionIds_[i] == captionId) return captionLeft_[i];
    }
    return -1;
}

void ListFrame::CountLineChanged(const std::string& text) {
    header_.SetText(kCountLine, text);
}

}  // namespace recaster::views
