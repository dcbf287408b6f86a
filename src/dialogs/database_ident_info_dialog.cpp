// One database identifier.
#include "dialogs/database_ident_info_dialog.h"

#include "config/pattern_checks.h"
#include "config/string_lists.h"
#include "dialogs/entry_checks.h"

namespace recaster::dialogs {

DatabaseIdentInfoDialog::DatabaseIdentInfoDialog(config::CCfgStringPair& pair)
    : ui::Dialog(kTemplateId), pair_(pair) {}

void DatabaseIdentInfoDialog::OnInitDialog() {
    SetText(kPrefix, pair_.prefix);
    SetText(kSuffix, pair_.suffix);
}

void DatabaseIdentInfoDialog::OnOK() {
    if (!CheckPattern(*this, Item(kPrefix), config::kIdentifierSpecials)) return;
    if (!CheckPattern(*this, Item(kSuffix), config::kIdentifierSpecials)) return;
    pair_.prefix = GetText(kPrefix);
    pair_.suffix = GetText(kSuffix);
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
