// User Defined Workform Selection.
#include "dialogs/user_workform_dialog.h"

#include "resources/strings.h"

namespace recaster::dialogs {

UserWorkformDialog::UserWorkformDialog(workforms::WorkformId oldId, workforms::WorkformId suggested,
                                       const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId),
      oldId_(oldId),
      suggested_(suggested),
      workforms_(Item(kWorkform), catalog) {}

void UserWorkformDialog::OnInitDialog() {
    SetText(kMessage, resources::LoadString(kStrMessage));
    SetText(kLetter, std::string(1, static_cast<char>('A' + oldId_ % 26)));
    workforms_.FillAndSelectFirst();
    if (workforms_.IndexOf(suggested_) >= 0) workforms_.Select(suggested_);
}

void UserWorkformDialog::OnOK() {
    chosen_ = workforms_.SelectedId();
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
