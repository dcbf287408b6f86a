// DocumentTypeDialog (template 319, "Edit Document Type"): a document type's
// name as records write it, and the workform its records go to.
#pragma once

#include "dialogs/workform_combo_box.h"
#include "ui/dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgDocType;
}

namespace recaster::dialogs {

class DocumentTypeDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 319, kName = 208, kWorkform = 159 };

    DocumentTypeDialog(config::CCfgDocType& type,
                       const workforms::WorkformCatalog& catalog = workforms::Workforms());

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    std::string HelpTopic() const override { return "database_dialogs.html"; }

  private:
    config::CCfgDocType& type_;
    WorkformComboBox workforms_;
};

}  // namespace recaster::dialogs
