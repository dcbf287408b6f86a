// The process-wide current Ui.
#include "ui/ui.h"

#include <stdexcept>

namespace recaster::ui {

static Ui* g_currentUi = nullptr;

Ui& CurrentUi() {
    if (!g_currentUi) throw std::logic_error("no user interface has been set up");
    return *g_currentUi;
}

bool HasCurrentUi() {
    return g_currentUi != nullptr;
}

void SetCurrentUi(Ui* ui) {
    g_currentUi = ui;
}

ScopedCurrentUi::ScopedCurrentUi(Ui& ui) : previous_(g_currentUi) {
    g_currentUi = &ui;
}

ScopedCurrentUi::~ScopedCurrentUi() {
    g_currentUi = previous_;
}

}  // namespace recaster::ui
