// Edit Document Type.
#include "dialogs/document_type_dialog.h"

#include "config/doc_type.h"

namespace recaster::dialogs {

DocumentTypeDialog::DocumentTypeDialog(config::CCfgDocType& type,
                                       const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId), type_(type), workforms_(Item(kWorkform), catalog) {}

void DocumentTypeDialog::OnInitDialog() {
    SetText(kName, type_.name);
    workforms_.FillAndSelectFirst();
    workforms_.Select(type_.workform);
}

void DocumentTypeDialog::OnOK() {
    // Names are stored as typed: records name their types in any way.
    type_.name = GetText(kName);
    type_.workform = workforms_.SelectedId();
    type_.Save();
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
