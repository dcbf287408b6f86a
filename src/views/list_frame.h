// ListFrame: what the database list and field list windows share around
// their view: the header bar (count line, and column captions lined up with
// the list's columns), the button bar (push buttons that run the view's
// commands, enabled as the commands are) and the title. One generic front-end
// window renders any ListFrame.
//
// Front ends: dock header() at the top and buttons() at the bottom (ordinary
// dialogs for the generic renderer; run Initialize on each), fill the rest
// with view().pane(), call OnInitialUpdate once the window exists, ask
// CommandTargets() for the window's command chain, and follow Title()
// whenever ListFrameObserver says it changed.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/dialog_units.h"
#include "views/list_view.h"

namespace recaster::views {

class ListFrame;

class ListFrameObserver {
  public:
    virtual ~ListFrameObserver() = default;
    virtual void FrameTitleChanged(ListFrame& frame) = 0;
};

// A bar of push buttons, each running the view command of its id; Enter
// presses the default button, Escape does nothing.
class CommandBar : public ui::Dialog {
  public:
    CommandBar(int templateId, ListView& view) : ui::Dialog(templateId), view_(view) {}
    // Enables each button as its command is.
    void Update();

  protected:
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    void OnOK() override {}
    void OnCancel() override {}

  private:
    ListView& view_;
};

class ListFrame : private ListViewListener {
  public:
    static constexpr int kCountLine = 246;

    ~ListFrame() override;
    ListFrame(const ListFrame&) = delete;
    ListFrame& operator=(const ListFrame&) = delete;

    ui::Dialog& header() { return header_; }
    CommandBar& buttons() { return buttons_; }
    ListView& view() { return view_; }
    const ListView& view() const { return view_; }
    void SetObserver(ListFrameObserver* observer) { observer_ = observer; }

    // The window's title, UTF-8 (it holds the file's name).
    virtual std::string Title() const = 0;
    // Tells the observer to show Title() again.
    void RefreshTitle();
    // The database list window closes its document; a field list window
    // only itself.
    virtual bool ClosesDocument() const = 0;
    // The window's own targets of the command chain, first asked first.
    virtual std::vector<ui::CommandTarget*> CommandTargets() { return {&view_}; }
    // The window became the active one.
    virtual void OnActivate() {}

    // Runs the view's initial update and lines the captions up. `metrics`
    // measures the list's font; `headerUnits` are the header bar's dialog
    // base units; `listLeft` is where the list's rows start, in pixels from
    // the header bar's left edge.
    void OnInitialUpdate(const ui::Canvas& metrics, const ui::DialogBaseUnits& headerUnits,
                         int listLeft = 0);
    // Pixel left edge of a caption in the header bar (after the moves), -1
    // for an id that is no caption; its control's rectangle holds the same
    // edge in dialog units.
    int CaptionLeft(int captionId) const;
    // Enables the buttons by their commands' current state.
    void UpdateButtons() { buttons_.Update(); }

  protected:
    // `captions` are the header's caption ids, one per list column; the
    // first keeps its place, the others move to their columns' left edges.
    // `view` is a member of the derived frame: it is only remembered here,
    // and Bind (from the derived constructor) starts listening to it.
    ListFrame(ListView& view, int headerTemplate, int buttonTemplate, std::vector<int> captions);
    void Bind();
    // Stops listening; the derived destructor calls it while the view lives.
    void DetachView();

  private:
    void CountLineChanged(const std::string& text) override;
    void SelectionChanged() override { UpdateButtons(); }
    void ColumnsChanged() override { MoveCaptions(); }
    void MoveCaptions();

    ListView& view_;
    ui::Dialog header_;
    CommandBar buttons_;
    std::vector<int> captionIds_;
    std::vector<int> captionLeft_;
    ListFrameObserver* observer_ = nullptr;
    ui::DialogBaseUnits headerUnits_;
    int listLeft_ = 0;
};

}  // namespace recaster::views
