// CDBListFrame: the database list window of one document. It holds the
// header bar (template 303: icon, count line, column captions lined up with
// the list's columns), the view, and the button bar (template 304: New,
// Delete, Modify), and keeps the buttons' enabling in step with the view's
// commands.
//
// Front ends: dock header() at the top and buttons() at the bottom (both are
// ordinary dialogs for the generic renderer; run Initialize on each), fill
// the rest with view().pane() and call OnInitialUpdate once the window
// exists. The captions move by their controls' rectangles.
#pragma once

#include <string>

#include "ui/dialog.h"
#include "ui/dialog_units.h"
#include "views/db_list_view.h"

namespace recaster::views {

class CDBListFrame : private DBListViewListener {
  public:
    static constexpr int kHeaderTemplate = 303;
    static constexpr int kButtonTemplate = 304;
    static constexpr int kCountLine = 246;
    static constexpr int kCaptionName = 132;
    static constexpr int kCaptionDescription = 130;
    static constexpr int kCaptionTarget = 154;

    explicit CDBListFrame(ViewDocument& document,
                          const workforms::WorkformCatalog& catalog = workforms::Workforms());
    ~CDBListFrame() override;
    CDBListFrame(const CDBListFrame&) = delete;
    CDBListFrame& operator=(const CDBListFrame&) = delete;

    ui::Dialog& header() { return header_; }
    ui::Dialog& buttons() { return buttons_; }
    CDBListView& view() { return view_; }

    // The document's title, without a window number.
    std::string Title() const { return view_.document().Title(); }

    // Runs the view's initial update and lines the captions up. `metrics`
    // measures the list's font; `headerUnits` are the header bar's dialog
    // base units; `listLeft` is where the list's rows start, in pixels from
    // the header bar's left edge.
    void OnInitialUpdate(const ui::Canvas& metrics, const ui::DialogBaseUnits& headerUnits,
                         int listLeft = 0);
    // Pixel left edge of a caption in the header bar (after the moves); its
    // control's rectangle holds the same edge in dialog units.
    int CaptionLeft(int captionId) const;
    // Enables the buttons by their commands' current state.
    void UpdateButtons();

  private:
    class ButtonBar : public ui::Dialog {
      public:
        explicit ButtonBar(CDBListView& view) : ui::Dialog(kButtonTemplate), view_(view) {}

      protected:
        bool OnCommand(ui::Control& control, ui::Notification notification) override;
        // Enter presses the default button (Modify) and Escape does not
        // close a bar.
        void OnOK() override {}
        void OnCancel() override {}

      private:
        CDBListView& view_;
    };

    void CountLineChanged(const std::string& text) override;
    void SelectionChanged() override { UpdateButtons(); }
    void ColumnsChanged() override { MoveCaptions(); }
    void MoveCaptions();

    CDBListView view_;
    ui::Dialog header_;
    ButtonBar buttons_;
    ui::DialogBaseUnits headerUnits_;
    int listLeft_ = 0;
    int captionLeft_[3] = {0, 0, 0};  // name, description, target
};

}  // namespace recaster::views
