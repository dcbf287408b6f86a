// CFldListView: fields, subfields, their count line and commands.
#include "views/field_list_view.h"

#include "dialogs/confirm_delete.h"
#include "dialogs/field_info_dialog.h"
#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_commands.h"

namespace recaster::views {

namespace {

constexpr int kStringFields = 36;
constexpr int kStringOneField = 37;

}  // namespace

CFldListView::FieldEditor CFldListView::DefaultEditor(const workforms::WorkformCatalog& catalog) {
    return [&catalog](config::CCfgField& field, config::CCfgFieldList& list) {
        dialogs::FieldInfoDialog dialog(field, list, catalog);
        return dialog.DoModal() == ui::IDOK;
    };
}

CFldListView::CFldListView(ViewDocument& document, config::CCfgDatabase& database,
                           const workforms::WorkformCatalog& catalog, FieldEditor editor)
    : ListView(document, ColumnListBox::Kind::Fields, catalog),
      database_(database),
      editor_(std::move(editor)) {
    auto selected = [this] { return SelectedIndex() >= 0; };
    AddCommand(
        kCmdNew, [] { return true; }, Changes::Yes);
    AddCommand(kCmdDelete, selected, Changes::Yes);
    AddCommand(
        kCmdAddSubfield, [this] { return SubfieldParent() != nullptr; }, Changes::Yes);
    AddCommand(kCmdModify, selected);
    AddCommand(kCmdCopy, selected);
    AddCommand(kCmdCut, selected, Changes::Yes);
    AddCommand(
        kCmdPaste, [this] { return ClipboardHoldsFields(); }, Changes::Yes);
    SetCommandAction(kCmdNew, [this] { NewField(); });
    SetCommandAction(kCmdDelete, [this] { DeleteField(); });
    SetCommandAction(kCmdAddSubfield, [this] { AddSubfield(); });
    SetCommandAction(kCmdModify, [this] { ModifyField(); });
    SetCommandAction(kCmdCopy, [this] { CopyFields(); });
    SetCommandAction(kCmdCut, [this] { CutFields(); });
    SetCommandAction(kCmdPaste, [this] { PasteFields(); });
}

config::CCfgField* CFldListView::SelectedField() const {
    return static_cast<config::CCfgField*>(listBox().SelectedElement());
}

std::string CFldListView::CountLine() const {
    const int count = fieldList().GetCount();
    return resources::FormatString(count == 1 ? kStringOneField : kStringFields,
                                   std::to_string(count));
}

bool CFldListView::ClipboardHoldsFields() const {
    if (!ui::HasCurrentUi()) return false;
    const ui::Ui& ui = ui::CurrentUi();
    return ui.ClipboardFormat(kFieldClipboardFormat).has_value() ||
           ui.ClipboardFormat(kFieldSetClipboardFormat).has_value();
}

config::CCfgField* CFldListView::SubfieldParent() const {
    config::CCfgField* field = SelectedField();
    if (field == nullptr) return nullptr;
    if (field->IsSubfield()) return field->Parent();
    return field->type == config::kFieldParsedWithSubfields ? field : nullptr;
}

void CFldListView::AddNew(config::CCfgField* parent) {
    config::CCfgFieldList& list = fieldList();
    std::unique_ptr<config::CPersistentObject> element = list.NewElement();
    auto& field = static_cast<config::CCfgField&>(*element);
    if (parent != nullptr) {
        field.parent = parent;
        field.parentId = parent->GetId();
    }
    if (!editor_(field, list)) return;  // the new field goes
    Select(listBox().Add(std::move(element)));
    ListChanged();
}

void CFldListView::NewField() {
    AddNew(nullptr);
}

void CFldListView::AddSubfield() {
    if (config::CCfgField* parent = SubfieldParent()) AddNew(parent);
}

void CFldListView::DeleteField() {
    const int index = SelectedIndex();
    config::CCfgField* field = SelectedField();
    if (field == nullptr) return;
    const bool ownsSubfields = field->HasSubfields();
    const int label = ownsSubfields         ? dialogs::kLabelFieldWithSubfields
                      : field->IsSubfield() ? dialogs::kLabelSubfield
                                            : dialogs::kLabelField;
    if (!dialogs::ConfirmDelete(ui::CurrentUi(), label, field->tag)) return;
    RemoveSelected(index);
}

void CFldListView::RemoveSelected(int index) {
    config::CCfgField* field = fieldList().Field(index + 1);
    if (field == nullptr) return;
    if (field->HasSubfields()) {
        config::CCfgFieldList& list = fieldList();
        while (config::CCfgField* next = list.Field(index + 2)) {
            if (!next->IsSubfield()) break;
            listBox().Remove(index + 1);
        }
    }
    listBox().Remove(index);
    Select(index);
    ListChanged();
}

void CFldListView::ModifyField() {
    config::CCfgField* field = SelectedField();
    if (field == nullptr || !editor_(*field, fieldList())) return;
    // A new tag may have moved it.
    Select(fieldList().IndexOf(field));
    document().SetModifiedFlag();
}

}  // namespace recaster::views
