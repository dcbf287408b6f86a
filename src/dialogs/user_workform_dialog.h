// UserWorkformDialog (template 140, "User Defined Workform Selection"): the
// workform that replaces one user-defined workform (U to Z) of an older
// configuration file being converted. The list holds the catalog's
// workforms by name; `suggested` is selected at first (the first item when
// the catalog lacks it).
#pragma once

#include "dialogs/workform_combo_box.h"
#include "ui/dialog.h"

namespace recaster::dialogs {

class UserWorkformDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 140, kMessage = 1200, kLetter = 1201, kWorkform = 1202 };
    enum : int { kStrMessage = 1086 };

    UserWorkformDialog(workforms::WorkformId oldId, workforms::WorkformId suggested,
                       const workforms::WorkformCatalog& catalog);

    // After OK: the chosen workform (kNoWorkform when the list was empty).
    workforms::WorkformId chosen() const { return chosen_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    std::string HelpTopic() const override { return "converting.html"; }

  private:
    workforms::WorkformId oldId_;
    workforms::WorkformId suggested_;
    WorkformComboBox workforms_;
    workforms::WorkformId chosen_ = workforms::kNoWorkform;
};

}  // namespace recaster::dialogs
