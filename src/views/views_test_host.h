// A FrameHost for the views tests: it records what it was asked to do and
// runs a frame's initial update as a window would.
#pragma once

#include <string>
#include <vector>

#include "ui/headless_canvas.h"
#include "views/frame_host.h"
#include "views/list_frame.h"

namespace recaster::views::testing {

class FakeHost : public FrameHost, public ListFrameObserver {
  public:
    void OpenFrame(ListFrame& frame, const ui::Rect& geometry) override {
        open.push_back(&frame);
        geometries.push_back(geometry);
        frame.SetObserver(this);
        frame.OnInitialUpdate(canvas, {6, 13}, 0);
        ++children;
    }
    void ActivateFrame(ListFrame& frame) override { activated.push_back(&frame); }
    void CloseFrame(ListFrame& frame) override {
        closed.push_back(&frame);
        std::erase(open, &frame);
        frame.SetObserver(nullptr);
        --children;
    }
    int ChildWindowCount() const override { return children; }
    ui::Rect ClientArea() const override { return {0, 0, 800, 600}; }
    int CaptionHeight() const override { return 20; }
    void FrameTitleChanged(ListFrame& frame) override { titles.push_back(frame.Title()); }

    ui::HeadlessCanvas canvas;
    int children = 1;  // the database list window
    std::vector<ListFrame*> open;
    std::vector<ui::Rect> geometries;
    std::vector<ListFrame*> activated;
    std::vector<ListFrame*> closed;
    std::vector<std::string> titles;
};

}  // namespace recaster::views::testing
