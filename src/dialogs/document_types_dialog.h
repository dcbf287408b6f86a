// DocumentTypesDialog (template 308, "Document Types"): a database's
// document types and the workform each goes to, edited in place.
#pragma once

#include "dialogs/list_edit_dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgDatabase;
class CCfgDocTypeList;
}  // namespace recaster::config

namespace recaster::dialogs {

class DocumentTypesDialog : public ListEditDialog {
  public:
    enum : int { kTemplateId = 308, kWorkformCaption = 1501 };
    // Row layout in pixels from the row's left edge.
    static constexpr int kNameLeft = 4;
    static constexpr int kNameRight = 226;
    static constexpr int kWorkformLeft = 230;

    // The caller releases the database's children after the dialog.
    DocumentTypesDialog(config::CCfgDatabase& database,
                        const workforms::WorkformCatalog& catalog = workforms::Workforms());

  protected:
    std::unique_ptr<ListEditListBox> CreateListBox() override;
    // Also moves the workform caption over the workform column.
    void InitList() override;
    void SaveChanges() override;
    bool EditItem(int row) override;
    bool NewItem() override;
    bool ConfirmDeleteItem(int row) override;
    std::string HelpTopic() const override { return "database_dialogs.html"; }

  private:
    config::CCfgDocTypeList& types_;
    const workforms::WorkformCatalog& catalog_;
};

}  // namespace recaster::dialogs
