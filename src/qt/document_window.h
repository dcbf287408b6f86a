// DocumentWindow: the MDI child of one open configuration, the database
// list window: the header bar (count line and column captions) on top, the
// owner-drawn database list in the middle and the button bar below, each a
// dialog of the views layer shown by the generic renderer. It owns the
// document; closing the window asks to save and closes the document, and a
// document closed by its own Close command closes the window.
#pragma once

#include <QWidget>
#include <memory>

#include "app/cfg_document.h"
#include "views/db_list_frame.h"

namespace recaster::qt {

class DialogView;

class DocumentWindow : public QWidget, private app::CCfgDocumentObserver {
    Q_OBJECT

  public:
    // `document` is open.
    DocumentWindow(std::unique_ptr<app::CCfgDocument> document, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    app::CCfgDocument& document() { return *document_; }
    views::CDBListFrame& frame() { return *frame_; }
    DialogView& listPane() { return *pane_; }
    DialogView& header() { return *header_; }
    DialogView& buttonBar() { return *buttons_; }
    // The document's file, canonical, to find a file that is already open.
    std::string CanonicalPath() const;

    // Asks to save when modified; true when the window may close.
    bool QueryClose();

  signals:
    // The window needs to be closed (its document closed itself).
    void documentClosed();
    // The document's state changed: commands may have to be re-enabled.
    void stateChanged();
    // The document has a new file (Save As).
    void pathChanged(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // CCfgDocumentObserver
    void PathChanged(const std::string& path, bool addToRecent) override;
    void TitleChanged(const std::string& title) override;
    void ModifiedChanged(bool modified) override;
    void Closed() override;

    void InitialUpdate();

    std::unique_ptr<app::CCfgDocument> document_;
    std::unique_ptr<views::CDBListFrame> frame_;
    DialogView* header_ = nullptr;
    DialogView* pane_ = nullptr;
    DialogView* buttons_ = nullptr;
    bool initialised_ = false;
    bool closing_ = false;
};

}  // namespace recaster::qt
