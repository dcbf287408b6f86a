// TargetFieldComboBox: the chooser of a target field in one workform, a
// drop-down list of "* Do Not Transfer" followed by the fields the workform
// uses, "(n) name" in field number order. It speaks in the 0-based field
// indexes of the configuration (255 = do not transfer).
#pragma once

#include <array>
#include <cstdint>

#include "ui/control.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_ids.h"

namespace recaster::dialogs {

class TargetFieldComboBox {
  public:
    // `control` is an unsorted drop-down list; `catalog` must outlive this
    // object. The workform is the one whose fields are offered.
    TargetFieldComboBox(ui::Control& control, const workforms::WorkformCatalog& catalog,
                        workforms::WorkformId workform = workforms::kNoWorkform)
        : control_(control), catalog_(catalog), workform_(workform) {}

    void SetWorkform(workforms::WorkformId workform) { workform_ = workform; }
    workforms::WorkformId workform() const { return workform_; }

    // Puts the items in, in one update; nothing is selected.
    void Fill();
    // Fill, then select item 0: what the box does when its dialog asks it to
    // fill itself.
    void FillAndSelectFirst();

    // The chosen field's 0-based index; 255 for "* Do Not Transfer" or no
    // choice.
    uint8_t SelectedFieldIndex() const;
    // Selects the item of field index `index`; 255, an index past the last
    // field and a field the workform does not use select "* Do Not
    // Transfer".
    void SelectFieldIndex(uint8_t index);

    ui::Control& control() { return control_; }

  private:
    ui::Control& control_;
    const workforms::WorkformCatalog& catalog_;
    workforms::WorkformId workform_;
    // Item index of each field index; 0 (the "* Do Not Transfer" item) for
    // a field the workform does not use.
    std::array<int, workforms::kFieldCount> items_{};
};

}  // namespace recaster::dialogs
