// TargetFieldsDialog (template 328, "Target Fields"): the target field a
// field goes to in every workform of the catalog, one row per workform by
// name. A row shows the field's alternate target for that workform, or, in
// italics, the default target in force. "&Modify..." (or Enter, or a double
// click) edits one workform's target in TargetFieldDialog.
//
// Changes go into the field at once and are not stored here: Field
// Information stores the field when it ends with OK. The dialog returns IDOK
// when a target was changed.
#pragma once

#include <string>
#include <vector>

#include "dialogs/list_edit_dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgField;
}

namespace recaster::dialogs {

class TargetFieldsDialog : public ListEditDialog {
  public:
    enum : int { kTemplateId = 328, kTargetCaption = 1501 };
    // Row layout in pixels from the row's left edge.
    static constexpr int kNameLeft = 4;
    static constexpr int kNameRight = 226;
    static constexpr int kTargetLeft = 230;

    struct Row {
        workforms::WorkformId workform = workforms::kNoWorkform;
        // The workform's name; when two workforms of the catalog share it,
        // followed by the workform's letter, "Medline (C)".
        std::string text;
    };

    TargetFieldsDialog(config::CCfgField& field,
                       const workforms::WorkformCatalog& catalog = workforms::Workforms());

    // The rows in list order: by text, letter case ignored.
    const std::vector<Row>& rows() const { return rows_; }

  protected:
    std::unique_ptr<ListEditListBox> CreateListBox() override;
    // Also moves the target caption over the target column.
    void InitList() override;
    bool EditItem(int row) override;
    std::string HelpTopic() const override { return "field_dialogs.html"; }

  private:
    config::CCfgField& field_;
    const workforms::WorkformCatalog& catalog_;
    std::vector<Row> rows_;
};

}  // namespace recaster::dialogs
