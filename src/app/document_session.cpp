// An open configuration and its windows.
#include "app/document_session.h"

#include "views/field_list_frame.h"

namespace recaster::app {

DocumentSession::DocumentSession(std::unique_ptr<CCfgDocument> document, views::FrameHost& host,
                                 const workforms::WorkformCatalog& catalog)
    : document_(std::move(document)),
      host_(host),
      frame_(std::make_unique<views::CDBListFrame>(*document_, catalog)) {
    frame_->view().SetFrameHost(&host_);
    document_->SetDBListView(&frame_->view());
    document_->AddObserver(this);
}

DocumentSession::~DocumentSession() {
    document_->RemoveObserver(this);
    CloseWindows();
    document_->SetDBListView(nullptr);
    // The windows go before the document whose lists they show.
    frame_.reset();
    if (document_->IsOpen()) document_->OnCloseDocument();
}

void DocumentSession::Show() {
    if (shown_) return;
    shown_ = true;
    host_.OpenFrame(*frame_, {});
}

std::vector<views::ListFrame*> DocumentSession::Frames() {
    std::vector<views::ListFrame*> out;
    if (shown_) out.push_back(frame_.get());
    views::CDBListView& view = frame_->view();
    config::CCfgDBList* list = view.dbList();
    for (int p = 1; list != nullptr && p <= list->GetCount(); ++p) {
        if (views::FieldListFrame* w = view.FieldWindowOf(*list->Database(p))) out.push_back(w);
    }
    return out;
}

bool DocumentSession::Owns(const views::ListFrame& frame) {
    for (views::ListFrame* f : Frames()) {
        if (f == &frame) return true;
    }
    return false;
}

std::vector<ui::CommandTarget*> DocumentSession::CommandTargets(views::ListFrame& frame) {
    std::vector<ui::CommandTarget*> targets = frame.CommandTargets();
    targets.push_back(document_.get());
    return targets;
}

bool DocumentSession::CloseRequested(views::ListFrame& frame) {
    if (&frame != frame_.get()) {
        static_cast<views::FieldListFrame&>(frame).Close();
        return true;
    }
    if (!QueryClose()) return false;
    Close();
    return true;
}

bool DocumentSession::QueryClose() {
    if (!document_->IsOpen()) return true;
    return document_->CanCloseFrame();
}

void DocumentSession::Close() {
    // The document tells its observers, which closes the windows.
    if (document_->IsOpen()) {
        document_->OnCloseDocument();
    } else {
        Closed();
    }
}

void DocumentSession::CloseWindows() {
    frame_->view().CloseAllFieldWindows();
    if (shown_) {
        shown_ = false;
        host_.CloseFrame(*frame_);
    }
}

void DocumentSession::PathChanged(const std::string& path, bool /*addToRecent*/) {
    if (listener_ != nullptr) {
        listener_->SessionPathChanged(*this, path);
        listener_->SessionStateChanged(*this);
    }
}

void DocumentSession::TitleChanged(const std::string& /*title*/) {
    // The title also changes when the file turns from read-only to the
    // user's own (Save As): the buttons follow that.
    for (views::ListFrame* f : Frames()) {
        f->RefreshTitle();
        f->UpdateButtons();
    }
}

void DocumentSession::ModifiedChanged(bool /*modified*/) {
    if (listener_ != nullptr) listener_->SessionStateChanged(*this);
}

void DocumentSession::Closed() {
    if (!open_) return;
    open_ = false;
    CloseWindows();
    if (listener_ != nullptr) listener_->SessionClosed(*this);
}

}  // namespace recaster::app
