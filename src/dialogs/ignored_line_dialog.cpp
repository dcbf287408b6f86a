// One ignored line format.
#include "dialogs/ignored_line_dialog.h"

#include "config/pattern_checks.h"
#include "dialogs/entry_checks.h"

namespace recaster::dialogs {

void IgnoredLineDialog::OnOK() {
    if (!CheckPattern(*this, Item(kLineFormat), config::kIgnoredLineSpecials)) return;
    format_ = GetText(kLineFormat);
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
