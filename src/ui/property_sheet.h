// PropertySheet: several dialogs shown as pages of one modal window with OK,
// Cancel and an optional Apply button. A page is an ordinary Dialog: it is
// initialised the first time it is shown, and its OnOK does its checks and
// ends it (EndDialog) when they pass, exactly as in a dialog of its own.
//
// OK runs OnOK of every page shown so far, in page order; the first page
// that stays open (a failed check) becomes the active page and the sheet
// stays open. Cancel runs OnCancel of those pages and ends the sheet with
// IDCANCEL. Apply is OK without closing. A sheet run in a ViewOnlyScope
// only shows its pages: OK closes it as Cancel does and Apply does nothing.
#pragma once

#include <string>
#include <vector>

namespace recaster::ui {

class Dialog;
class Ui;

class PropertySheet {
  public:
    explicit PropertySheet(std::string title, bool applyButton = false);

    void AddPage(Dialog& page);  // not owned; must outlive the sheet's run
    int PageCount() const { return static_cast<int>(pages_.size()); }
    Dialog& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
    int activePage() const { return active_; }
    const std::string& title() const { return title_; }
    bool hasApplyButton() const { return applyButton_; }
    // Apply is enabled while a page reports a change.
    bool modified() const { return modified_; }
    void SetModified(bool on) { modified_ = on; }

    int DoModal(Ui& ui);
    int DoModal();

    // --- For front ends ---------------------------------------------------
    void Initialize(Ui& ui);  // shows the first page
    bool SelectPage(int index);
    bool PressOK();
    bool PressCancel();
    bool PressApply();
    bool IsEnded() const { return ended_; }
    int result() const { return result_; }

  private:
    bool ApplyPages();

    std::string title_;
    bool applyButton_;
    std::vector<Dialog*> pages_;
    std::vector<bool> shown_;
    Ui* ui_ = nullptr;
    int active_ = -1;
    bool modified_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace recaster::ui
