// ListWindow: the MDI child of one list window, database list or field
// list alike: the frame's header bar (count line and column captions) on
// top, its owner-drawn list in the middle and its button bar below, each a
// dialog shown by the generic renderer, under the frame's title, which is
// marked "*" while the document has unsaved changes. The user's close box
// asks the main window (closeRequested); the main window detaches the window
// when the frame goes.
#pragma once

#include <QWidget>

#include "views/list_frame.h"

namespace recaster::qt {

class DialogView;

class ListWindow : public QWidget, private views::ListFrameObserver {
    Q_OBJECT

  public:
    explicit ListWindow(views::ListFrame& frame, QWidget* parent = nullptr);
    ~ListWindow() override;

    // The frame shown; null once detached.
    views::ListFrame* frame() const { return frame_; }
    DialogView& listPane() { return *pane_; }
    DialogView& header() { return *header_; }
    DialogView& buttonBar() { return *buttons_; }

    // The frame is going: the window stops showing it at once (its views
    // observe the frame's dialogs) and may then close without asking.
    void Detach();
    // Shows whether the document has unsaved changes (the title's "*").
    void RefreshModified();

  signals:
    // The user wants the window closed; the main window decides.
    void closeRequested(ListWindow* window);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FrameTitleChanged(views::ListFrame& frame) override;
    void InitialUpdate();
    void ShowTitle();

    views::ListFrame* frame_;
    DialogView* header_ = nullptr;
    DialogView* pane_ = nullptr;
    DialogView* buttons_ = nullptr;
    bool initialised_ = false;
};

}  // namespace recaster::qt
