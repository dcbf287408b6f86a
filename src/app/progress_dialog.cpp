// The delayed-show progress dialog.
#include "app/progress_dialog.h"

#include <algorithm>
#include <cmath>

#include "resources/strings.h"
#include "ui/ui.h"

namespace recaster::app {

ProgressDialog::ProgressDialog(int32_t lower, int32_t upper, int captionStringId, ui::Ui& ui)
    : ui::Dialog(kTemplateId),
      ui_(ui),
      lower_(lower),
      upper_(upper),
      last_(lower),
      captionStringId_(captionStringId),
      showDeadline_(ui.TickCount() + kShowDelayMs) {
    ui_.BeginWaitCursor();
    if (ui_.IsMainWindowEnabled()) {
        ui_.SetMainWindowEnabled(false);
        disabledOwner_ = true;
    }
    try {
        ui_.OpenModeless(*this);
        open_ = true;
    } catch (...) {
        if (disabledOwner_) ui_.SetMainWindowEnabled(true);
        disabledOwner_ = false;
        ui_.EndWaitCursor();
        throw;
    }
}

ProgressDialog::~ProgressDialog() {
    Destroy();
}

void ProgressDialog::Destroy() {
    if (!open_) return;
    open_ = false;
    // The owner first, so that it is active again when the dialog goes.
    if (disabledOwner_) ui_.SetMainWindowEnabled(true);
    disabledOwner_ = false;
    ui_.CloseModeless(*this);
    ui_.EndWaitCursor();
}

void ProgressDialog::OnInitDialog() {
    ui::Control& bar = Item(kBar);
    bar.SetRange(0, kBarRange);
    bar.SetStep(kBarStep);
    bar.SetPosition(0);
    SetTitle(resources::LoadString(captionStringId_));
}

int ProgressDialog::BarPosition(int32_t position) const {
    // An empty scale has no fraction done: the bar stays empty.
    if (upper_ == lower_) return 0;
    int64_t done = (int64_t{position} - lower_) * kBarRange;
    int64_t span = int64_t{upper_} - lower_;
    auto bar = static_cast<int64_t>(std::llround(static_cast<double>(done) / span));
    return static_cast<int>(std::clamp<int64_t>(bar, 0, kBarRange));
}

bool ProgressDialog::Update(int32_t position) {
    if (showDeadline_ && static_cast<int32_t>(ui_.TickCount() - *showDeadline_) > 0) {
        if (upper_ != lower_) {
            int64_t percent = (int64_t{last_} - lower_) * 100 / (int64_t{upper_} - lower_);
            if (percent < kShowBelowPercent) SetVisible(true);
        }
        showDeadline_.reset();  // the test is made once
    }
    ui_.PumpEvents();
    if (open_) Item(kBar).SetPosition(BarPosition(position));
    last_ = position;
    return !stopRequested_;
}

}  // namespace recaster::app
