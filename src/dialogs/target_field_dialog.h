// TargetFieldDialog (template 329, "Edit Target Field"): whether a field
// goes to its default target in one workform or to an alternate target field
// of its own there. OK changes the field's alternate targets in memory; the
// field is stored when Field Information ends with OK.
#pragma once

#include "dialogs/target_field_combo_box.h"
#include "ui/dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgField;
}

namespace recaster::dialogs {

class TargetFieldDialog : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 329,
        kWorkformName = 159,
        kUseDefault = 231,
        kUseAlternate = 213,
        kTarget = 200,
    };

    TargetFieldDialog(config::CCfgField& field, workforms::WorkformId workform,
                      const workforms::WorkformCatalog& catalog = workforms::Workforms());

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "field_dialogs.html"; }

  private:
    void ChooseAlternate(bool on);

    config::CCfgField& field_;
    workforms::WorkformId workform_;
    const workforms::WorkformCatalog& catalog_;
    TargetFieldComboBox targets_;
};

}  // namespace recaster::dialogs
