// The workform drop-down list.
#include "dialogs/workform_combo_box.h"

#include <algorithm>

#include "base/cp1252.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {
constexpr int kStringWorkformName = 4131;
}

void WorkformComboBox::Fill() {
    std::vector<ui::ListItem> items;
    items.reserve(static_cast<size_t>(catalog_.Count()));
    for (int i = 0; i < catalog_.Count(); ++i) {
        items.push_back(
            {resources::FormatString(kStringWorkformName, catalog_.NameAt(i)), catalog_.IdAt(i)});
    }
    std::stable_sort(items.begin(), items.end(), [](const ui::ListItem& a, const ui::ListItem& b) {
        return CompareNoCaseCp1252(a.text, b.text) < 0;
    });
    control_.SetItems(std::move(items));
}

void WorkformComboBox::FillAndSelectFirst() {
    Fill();
    control_.SetCurSel(0);
}

workforms::WorkformId WorkformComboBox::IdAt(int index) const {
    const ui::ListItem* item = control_.Item(index);
    return item ? static_cast<workforms::WorkformId>(item->data) : workforms::kNoWorkform;
}

}  // namespace recaster::dialogs
