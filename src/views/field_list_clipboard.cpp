// The field list window's clipboard commands: a field goes as a single
// field, or with its subfields as a field set; a pasted single field may
// become a subfield of the selection, and a field set's later fields are
// subfields of its first.
#include "base/errors.h"
#include "dialogs/error_detail.h"
#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_commands.h"
#include "views/field_list_view.h"

namespace recaster::views {

namespace {

constexpr int kMsgDuplicateField = 4141;
constexpr int kMsgDuplicateSubfield = 4142;

std::span<const uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace

bool CFldListView::CopyFields() {
    config::CCfgField* field = SelectedField();
    if (field == nullptr) return false;
    ui::Ui& ui = ui::CurrentUi();
    ui::ClipboardData data;
    if (field->HasSubfields()) {
        std::vector<const config::CCfgField*> subfields;
        config::CCfgFieldList& list = fieldList();
        for (int p = list.IndexOf(field) + 2; p <= list.GetCount(); ++p) {
            if (!list.Field(p)->IsSubfield()) break;
            subfields.push_back(list.Field(p));
        }
        data.formats[kFieldSetClipboardFormat] = config::FieldSetStream(*field, subfields);
        data.text = resources::FormatString(kStringFieldSetText, field->tag);
    } else {
        data.formats[kFieldClipboardFormat] = config::FieldStream(*field);
        data.text = resources::FormatString(kStringFieldText, field->tag);
    }
    if (!ui.SetClipboard(data)) {
        ui.ShowStatusMessage(ui::FileMessageText(kStringCopyFailed, "the clipboard is busy"));
        return false;
    }
    return true;
}

void CFldListView::CutFields() {
    const int index = SelectedIndex();
    if (index < 0 || !CopyFields()) return;
    RemoveSelected(index);
}

void CFldListView::PasteFields() {
    ui::Ui& ui = ui::CurrentUi();
    config::CCfgFieldList& list = fieldList();
    // The fields to add, first the one that may clash, then its subfields.
    std::vector<std::unique_ptr<config::CCfgField>> fields;
    try {
        if (std::optional<std::string> one = ui.ClipboardFormat(kFieldClipboardFormat)) {
            fields.push_back(config::ReadFieldStream(Bytes(*one)));
        } else if (std::optional<std::string> set = ui.ClipboardFormat(kFieldSetClipboardFormat)) {
            std::unique_ptr<config::CCfgFieldList> read = config::ReadFieldSetStream(Bytes(*set));
            while (read->GetCount() > 0) {
                fields.emplace_back(static_cast<config::CCfgField*>(read->RemoveAt(0).release()));
            }
        } else {
            return;
        }
    } catch (const ArchiveError& e) {
        ui::ShowFileMessage(ui, kMsgUnusableField, dialogs::ErrorDetail(e), {},
                            ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    config::CCfgField& first = *fields.front();
    first.owner = &list;
    first.parent = nullptr;
    first.parentId = config::kNoId;
    // A single field that cannot own subfields joins the selection's parent.
    if (fields.size() == 1 && first.type != config::kFieldParsedWithSubfields) {
        if (config::CCfgField* selected = SelectedField()) {
            config::CCfgField* parent = selected->IsSubfield() ? selected->Parent()
                                        : selected->type == config::kFieldParsedWithSubfields
                                            ? selected
                                            : nullptr;
            if (parent != nullptr) {
                first.parent = parent;
                first.parentId = parent->GetId();
            }
        }
    }
    if (list.IsDuplicate(&first)) {
        ui::ShowMessageBox(ui, first.IsSubfield() ? kMsgDuplicateSubfield : kMsgDuplicateField,
                           {first.tag}, ui::MB_OK | ui::MB_ICONEXCLAMATION);
        if (!editor_(first, list)) return;  // everything pasted goes
    }
    // One step: either every field is in the list, or none.
    std::vector<config::CCfgField*> added;
    try {
        for (size_t i = 0; i < fields.size(); ++i) {
            config::CCfgField* field = fields[i].get();
            if (i > 0) {
                field->owner = &list;
                field->parent = &first;
                field->parentId = first.GetId();
            }
            list.Add(std::move(fields[i]));
            added.push_back(field);
        }
    } catch (...) {
        for (auto it = added.rbegin(); it != added.rend(); ++it) {
            try {
                list.Remove(*it);
            } catch (...) {
                // The store refuses to save a change that failed half way.
            }
        }
        listBox().control().SetRowCount(list.GetCount());
        throw;
    }
    listBox().control().SetRowCount(list.GetCount());
    listBox().control().InvalidateRow(-1);
    Select(list.IndexOf(&first));
    ListChanged();
}

}  // namespace recaster::views
