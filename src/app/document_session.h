// DocumentSession: one open configuration and every window of it: the
// document, its database list window and, through that window's view, its
// field list windows. Closing the database list window asks to save and
// then closes them all with the document; closing a field list window
// closes only that window. The front end hosts the windows (FrameHost) and
// owns the sessions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/cfg_document.h"
#include "views/db_list_frame.h"
#include "views/frame_host.h"

namespace recaster::app {

class DocumentSession;

class SessionListener {
  public:
    virtual ~SessionListener() = default;
    // The document closed (its Close command, or its window's): the session
    // is over and its owner may destroy it, but not from inside this call.
    virtual void SessionClosed(DocumentSession& session) = 0;
    // Saved, modified, renamed: command states may have changed.
    virtual void SessionStateChanged(DocumentSession& session) = 0;
    // Save As gave the document a new file.
    virtual void SessionPathChanged(DocumentSession& session, const std::string& path) = 0;
};

class DocumentSession : private CCfgDocumentObserver {
  public:
    // `document` is open; `host` shows the windows and outlives the session.
    DocumentSession(std::unique_ptr<CCfgDocument> document, views::FrameHost& host,
                    const workforms::WorkformCatalog& catalog = workforms::Workforms());
    // Closes every window, then the document (without saving).
    ~DocumentSession() override;
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;

    CCfgDocument& document() { return *document_; }
    views::CDBListFrame& databaseFrame() { return *frame_; }
    void SetListener(SessionListener* listener) { listener_ = listener; }

    // Opens the database list window.
    void Show();
    // The database list window first, then the field list windows.
    std::vector<views::ListFrame*> Frames();
    bool Owns(const views::ListFrame& frame);
    // The command chain while `frame` is active: its own targets, then the
    // document.
    std::vector<ui::CommandTarget*> CommandTargets(views::ListFrame& frame);

    // The user closes `frame`'s window. A field list window goes at once;
    // the database list window asks to save first. True when it went.
    bool CloseRequested(views::ListFrame& frame);
    // Asks to save when modified; true when the session may end.
    bool QueryClose();
    // Closes every window and the document without asking.
    void Close();
    bool IsOpen() const { return open_; }

  private:
    // CCfgDocumentObserver
    void PathChanged(const std::string& path, bool addToRecent) override;
    void TitleChanged(const std::string& title) override;
    void ModifiedChanged(bool modified) override;
    void Closed() override;

    void CloseWindows();

    std::unique_ptr<CCfgDocument> document_;
    views::FrameHost& host_;
    std::unique_ptr<views::CDBListFrame> frame_;
    SessionListener* listener_ = nullptr;
    bool shown_ = false;
    bool open_ = true;
};

}  // namespace recaster::app
