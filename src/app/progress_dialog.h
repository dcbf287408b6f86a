// ProgressDialog: the progress of a long operation that runs on the user
// interface thread, with a Stop button. It exists from construction to
// Destroy (or destruction):
//   - it starts hidden and shows itself only when the first Update after
//     500 ms finds the operation still in its first fifth, so short
//     operations never flash a window;
//   - while it exists the main window is disabled (when it was enabled), so
//     the user can only press Stop; the wait cursor is shown;
//   - Update pumps the waiting events (that is how Stop gets pressed) and
//     returns false once Stop (or Escape, or Enter) was pressed.
// A request to quit the program that arrives while Update pumps is kept in
// QuitRequest (see quit_request.h) and carried out by the front end after the
// operation, so it is never lost.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/dialog.h"

namespace recaster::app {

class ProgressDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 6550, kBar = 2354, kBarRange = 10000, kBarStep = 10 };
    static constexpr uint32_t kShowDelayMs = 500;
    static constexpr int kShowBelowPercent = 20;

    // Opens the (hidden) dialog on `ui`, titled with string `captionStringId`.
    // When opening fails the main window is enabled again, the wait cursor
    // removed, and the failure passes on.
    ProgressDialog(int32_t lower, int32_t upper, int captionStringId, ui::Ui& ui);
    ~ProgressDialog() override;

    // Moves the bar to `position` (on the lower..upper scale); false when the
    // user asked to stop.
    bool Update(int32_t position);
    // Closes the window and enables the main window again; the destructor
    // does it when the caller did not.
    void Destroy();

    bool stopRequested() const { return stopRequested_; }
    // Forgets a stop request, after the user said to go on; a later Stop
    // counts again.
    void ClearStopRequest() { stopRequested_ = false; }
    bool exists() const { return open_; }
    // The bar's position for `position` (0..10000, rounded to nearest).
    int BarPosition(int32_t position) const;

  protected:
    void OnInitDialog() override;
    void OnOK() override {}  // only Stop ends the operation
    void OnCancel() override { stopRequested_ = true; }

  private:
    ui::Ui& ui_;
    int32_t lower_;
    int32_t upper_;
    int32_t last_;
    int captionStringId_;
    std::optional<uint32_t> showDeadline_;
    bool stopRequested_ = false;
    bool disabledOwner_ = false;
    bool open_ = false;
};

}  // namespace recaster::app
