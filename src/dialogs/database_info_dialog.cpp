// Database Information.
#include "dialogs/database_info_dialog.h"

#include <utility>

#include "base/cp1252.h"
#include "config/lists.h"
#include "dialogs/entry_checks.h"
#include "workforms/workform_loader.h"

namespace recaster::dialogs {

DatabaseInfoDialog::DatabaseInfoDialog(config::CCfgDatabase& database, config::CCfgDBList& list,
                                       const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId),
      database_(database),
      list_(list),
      workforms_(Item(kWorkform), catalog),
      first_(list.IndexOf(&database) == 0) {}

void DatabaseInfoDialog::OnInitDialog() {
    SetTextLimit(kName, kMaxNameLength);
    SetTextLimit(kDescription, kMaxDescriptionLength);
    SetText(kName, database_.name);
    Enable(kName, !first_);
    SetText(kDescription, database_.description);
    workforms_.FillAndSelectFirst();
    workforms_.Select(database_.workform);
}

std::optional<std::string> DatabaseInfoDialog::CheckName() {
    ui::Control& edit = Item(kName);
    if (!CheckLength(*this, edit, kMaxNameLength)) return std::nullopt;
    std::string name = ToUpperCp1252(edit.text());
    // An empty name would sort as a number without a value.
    if (name.empty()) {
        FailCheck(*this, edit, kMsgEmptyName);
        return std::nullopt;
    }
    // The list compares by its own rules, so ask it with the new name in
    // place for a moment.
    std::string old = std::exchange(database_.name, name);
    const bool duplicate = list_.IsDuplicate(&database_);
    database_.name = std::move(old);
    if (duplicate) {
        FailCheck(*this, edit, kMsgDuplicateName, {name});
        return std::nullopt;
    }
    return name;
}

void DatabaseInfoDialog::OnOK() {
    std::string name = database_.name;
    if (!first_) {
        std::optional<std::string> checked = CheckName();
        if (!checked) return;
        name = std::move(*checked);
    }
    if (!CheckLength(*this, Item(kDescription), kMaxDescriptionLength)) return;
    database_.name = std::move(name);
    database_.description = GetText(kDescription);
    database_.workform = workforms_.SelectedId();
    database_.Save();
    list_.Reposition(&database_);
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
