// Edit Target Field.
#include "dialogs/target_field_dialog.h"

#include "config/field.h"
#include "config/target_in_workform.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {
constexpr int kStringWorkformName = 4131;
}

TargetFieldDialog::TargetFieldDialog(config::CCfgField& field, workforms::WorkformId workform,
                                     const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId),
      field_(field),
      workform_(workform),
      catalog_(catalog),
      targets_(Item(kTarget), catalog, workform) {}

void TargetFieldDialog::OnInitDialog() {
    SetText(kWorkformName,
            resources::FormatString(kStringWorkformName, catalog_.NameOf(workform_)));
    targets_.FillAndSelectFirst();
    const uint8_t alternate = field_.AlternateTarget(workform_);
    const bool hasAlternate = alternate != config::kNoAlternate;
    if (hasAlternate) {
        targets_.SelectFieldIndex(alternate);
    } else {
        // The default target in force, as the field's dialog shows it.
        const int target = config::TargetInWorkform(field_, config::kDefaultWorkform, catalog_);
        targets_.SelectFieldIndex(target < 0 ? config::kNoTarget : static_cast<uint8_t>(target));
    }
    ChooseAlternate(hasAlternate);
    // The chosen radio button is where the keyboard starts.
    GotoControl(hasAlternate ? kUseAlternate : kUseDefault);
}

void TargetFieldDialog::ChooseAlternate(bool on) {
    Check(kUseAlternate, on ? 1 : 0);
    Check(kUseDefault, on ? 0 : 1);
}

bool TargetFieldDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    if (control.id() != kTarget || notification != ui::Notification::SelectionChanged) return false;
    ChooseAlternate(true);
    return true;
}

void TargetFieldDialog::OnOK() {
    // An alternate equal to the default target is still an alternate: the
    // default may change later.
    field_.SetAlternateTarget(
        workform_, IsChecked(kUseDefault) ? config::kNoAlternate : targets_.SelectedFieldIndex());
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
