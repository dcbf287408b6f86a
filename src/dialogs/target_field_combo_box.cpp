// The target field drop-down list.
#include "dialogs/target_field_combo_box.h"

#include <string>
#include <vector>

#include "config/enums.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {
constexpr int kStringDoNotTransfer = 82;
constexpr int kStringTargetField = 4130;
}  // namespace

void TargetFieldComboBox::Fill() {
    items_.fill(0);
    std::vector<ui::ListItem> items;
    items.reserve(workforms::kFieldCount + 1);
    items.push_back({resources::LoadString(kStringDoNotTransfer), config::kNoTarget});
    const workforms::WorkformRecord& form = catalog_.FindById(workform_);
    for (int n = 1; n <= workforms::kFieldCount; ++n) {
        if (!form.IsFieldUsed(n)) continue;
        items_[static_cast<size_t>(n - 1)] = static_cast<int>(items.size());
        items.push_back(
            {resources::FormatString(kStringTargetField, std::to_string(n), form.FieldName(n)),
             static_cast<uint32_t>(n - 1)});
    }
    control_.SetItems(std::move(items));
}

void TargetFieldComboBox::FillAndSelectFirst() {
    Fill();
    control_.SetCurSel(0);
}

uint8_t TargetFieldComboBox::SelectedFieldIndex() const {
    const int item = control_.curSel();
    if (item <= 0) return config::kNoTarget;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == item) return static_cast<uint8_t>(i);
    }
    return config::kNoTarget;
}

void TargetFieldComboBox::SelectFieldIndex(uint8_t index) {
    control_.SetCurSel(index < items_.size() ? items_[index] : 0);
}

}  // namespace recaster::dialogs
