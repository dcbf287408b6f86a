// FrameHost: what the list windows need from the main window that holds
// them: a window for a frame, bringing one to the front, closing one, and
// the MDI client area and caption height that new windows cascade in. The
// desktop program's main window implements it; tests use a fake.
#pragma once

#include "ui/geometry.h"

namespace recaster::views {

class ListFrame;

class FrameHost {
  public:
    virtual ~FrameHost() = default;
    // Makes a child window for `frame` at `geometry` (client-area pixels; an
    // empty rectangle lets the host choose), shows it and runs the frame's
    // initial update. The frame must outlive its window.
    virtual void OpenFrame(ListFrame& frame, const ui::Rect& geometry) = 0;
    virtual void ActivateFrame(ListFrame& frame) = 0;
    // Takes the frame's window away at once, without asking anything; the
    // frame's owner deletes the frame afterwards.
    virtual void CloseFrame(ListFrame& frame) = 0;
    // Child windows present, of every document.
    virtual int ChildWindowCount() const = 0;
    // The client area of the main window's MDI area, in its own pixels (as
    // it would be restored when the main window is minimised).
    virtual ui::Rect ClientArea() const = 0;
    // The height of a child window's caption.
    virtual int CaptionHeight() const = 0;
};

}  // namespace recaster::views
