// Document Types.
#include "dialogs/document_types_dialog.h"

#include "config/database.h"
#include "config/lists.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/document_type_dialog.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

constexpr int kStringWorkformName = 4131;

class TypeListBox : public ListEditListBox {
  public:
    TypeListBox(config::CCfgDocTypeList& types, const workforms::WorkformCatalog& catalog)
        : types_(types), catalog_(catalog) {}

    int ItemCount() const override { return types_.GetCount(); }
    void DrawRow(ui::Canvas& canvas, int row, const ui::Rect& rect) const override {
        const config::CCfgDocType* type = types_.DocType(row + 1);
        using D = DocumentTypesDialog;
        canvas.DrawText(
            {rect.left + D::kNameLeft, rect.top, rect.left + D::kNameRight, rect.bottom},
            type->name);
        canvas.DrawText(
            {rect.left + D::kWorkformLeft, rect.top, rect.right, rect.bottom},
            resources::FormatString(kStringWorkformName, catalog_.NameOf(type->workform)));
    }
    std::string KeyText(int row) const override { return types_.DocType(row + 1)->name; }

  protected:
    void RemoveData(int row) override { types_.Remove(types_.GetAt(row + 1)); }

  private:
    config::CCfgDocTypeList& types_;
    const workforms::WorkformCatalog& catalog_;
};

}  // namespace

DocumentTypesDialog::DocumentTypesDialog(config::CCfgDatabase& database,
                                         const workforms::WorkformCatalog& catalog)
    : ListEditDialog(kTemplateId), types_(*database.GetDocTypeList()), catalog_(catalog) {}

std::unique_ptr<ListEditListBox> DocumentTypesDialog::CreateListBox() {
    return std::make_unique<TypeListBox>(types_, catalog_);
}

void DocumentTypesDialog::InitList() {
    ListEditDialog::InitList();
    ui::Control& caption = Item(kWorkformCaption);
    resources::DialogRect rect = caption.rect();
    rect.x = Item(kList).rect().x + ui::PixelsToDialogUnitsX(kWorkformLeft, baseUnits());
    caption.SetRect(rect);
}

bool DocumentTypesDialog::NewItem() {
    auto type = std::make_unique<config::CCfgDocType>();
    DocumentTypeDialog dialog(*type, catalog_);
    if (dialog.DoModal(ui()) != ui::IDOK) return false;
    const int position = types_.Add(std::move(type));
    listBox().AddItem();
    // The list keeps its types in name order: select the new one where it
    // landed, not the last row.
    SetCurSel(kList, position - 1);
    return true;
}

bool DocumentTypesDialog::EditItem(int row) {
    config::CCfgDocType* type = types_.DocType(row + 1);
    DocumentTypeDialog dialog(*type, catalog_);
    if (dialog.DoModal(ui()) != ui::IDOK) return false;
    // A new name may belong elsewhere in the name order; the row follows.
    types_.Reposition(type);
    SetCurSel(kList, types_.IndexOf(type));
    return true;
}

bool DocumentTypesDialog::ConfirmDeleteItem(int row) {
    return ConfirmDelete(ui(), kLabelDocumentType, types_.DocType(row + 1)->name);
}

void DocumentTypesDialog::SaveChanges() {
    types_.Save();
}

}  // namespace recaster::dialogs
