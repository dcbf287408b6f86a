// WorkformComboBox: a drop-down list of the catalog's workforms by name
// (string 4131), sorted, each item carrying its workform identifier. It
// drives a combo box control of a dialog; the dialog fills it while it
// initialises.
#pragma once

#include "ui/control.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_ids.h"

namespace recaster::dialogs {

class WorkformComboBox {
  public:
    // `control` is a drop-down list; `catalog` must outlive this object.
    WorkformComboBox(ui::Control& control, const workforms::WorkformCatalog& catalog)
        : control_(control), catalog_(catalog) {}

    // Puts every workform in, sorted by name ignoring case (names that
    // compare equal keep the catalog's order), in one update; nothing is
    // selected.
    void Fill();
    // Fill, then select item 0: what the box does when its dialog asks it to
    // fill itself.
    void FillAndSelectFirst();
    // The first item whose identifier is `id`, or -1.
    int IndexOf(workforms::WorkformId id) const { return control_.FindItemData(id); }
    workforms::WorkformId IdAt(int index) const;
    // Selects `id`'s item, or nothing when the catalog lacks it.
    void Select(workforms::WorkformId id) { control_.SetCurSel(IndexOf(id)); }
    // The selected workform's identifier; 65535 (none) without a selection.
    workforms::WorkformId SelectedId() const { return IdAt(control_.curSel()); }

    ui::Control& control() { return control_; }

  private:
    ui::Control& control_;
    const workforms::WorkformCatalog& catalog_;
};

}  // namespace recaster::dialogs
