// Parsed Field Format.
#include "dialogs/parsed_format_dialog.h"

#include <cstdio>
#include <vector>

#include "config/enums.h"
#include "config/lists.h"
#include "dialogs/entry_checks.h"
#include "dialogs/field_option_page.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

constexpr int kStringDefaultType = 126;
constexpr int kStringNone = 4028;
constexpr int kStringDoNotTransfer = 82;
constexpr int kDoNotTransferItem = 1;

// The database of the field, or null for a field in no list.
config::CCfgDatabase* DatabaseOf(const config::CCfgField& field) {
    return field.owner != nullptr ? field.owner->owner : nullptr;
}

}  // namespace

ParsedFormatDialog::ParsedFormatDialog(const config::CCfgField& field, ParseFormatSet& formats,
                                       const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId),
      field_(field),
      formats_(formats),
      catalog_(catalog),
      tag_(field.tag) {}

void ParsedFormatDialog::OnInitDialog() {
    std::string title(dialogTemplate().title);
    if (size_t at = title.find("%s"); at != std::string::npos) title.replace(at, 2, tag_);
    SetTitle(std::move(title));

    config::CCfgDatabase* db = DatabaseOf(field_);
    std::vector<ui::ListItem> types;
    types.push_back({resources::LoadString(kStringDefaultType),
                     db != nullptr ? db->workform : workforms::kNoWorkform});
    if (db != nullptr) {
        const config::CCfgDocTypeList& list = *db->GetDocTypeList();
        for (int p = 1; p <= list.GetCount(); ++p) {
            const config::CCfgDocType* type = list.DocType(p);
            types.push_back({type->name, type->workform});
        }
    }
    Item(kDocumentType).SetItems(std::move(types));
    SetCurSel(kDocumentType, 0);
    current_ = 0;
    for (int r = 0; r < kRows; ++r) {
        SetTextLimit(kPrecededBy + r, kMaxText);
        SetTextLimit(kFollowedBy + r, kMaxText);
    }
    FillComponents(WorkformOf(0));
    LoadFormat();
    UpdateEnabling();
    BuildExample();
}

std::string ParsedFormatDialog::KeyOf(int item) const {
    return item <= 0 ? std::string() : GetItemText(kDocumentType, item);
}

workforms::WorkformId ParsedFormatDialog::WorkformOf(int item) const {
    return static_cast<workforms::WorkformId>(
        GetItemData(kDocumentType, item).value_or(workforms::kNoWorkform));
}

void ParsedFormatDialog::FillComponents(workforms::WorkformId workform) {
    std::vector<ui::ListItem> items;
    items.reserve(workforms::kFieldCount + 2);
    items.push_back({resources::LoadString(kStringNone), config::kRowNotUsed});
    items.push_back({resources::LoadString(kStringDoNotTransfer), config::kNoTarget});
    const workforms::WorkformRecord& form = catalog_.FindById(workform);
    for (int n = 1; n <= workforms::kFieldCount; ++n) {
        if (!form.IsFieldUsed(n)) continue;
        char number[8];
        std::snprintf(number, sizeof number, "(%.2d) ", n);
        items.push_back({number + form.FieldName(n), static_cast<uint32_t>(n)});
    }
    for (int r = 0; r < kRows; ++r) Item(kComponent + r).SetItems(items);
}

void ParsedFormatDialog::LoadFormat() {
    const config::CCfgParseFormat* stored = formats_.Find(KeyOf(current_));
    const config::CCfgParseFormat format = stored != nullptr ? *stored : config::CCfgParseFormat();
    useDefault_ = format.useDefault;
    Check(kUseDefault, useDefault_ != 0 ? 1 : 0);
    for (int r = 0; r < kRows; ++r) {
        const config::ParseComponentRow& row = format.rows[static_cast<size_t>(r)];
        components_[static_cast<size_t>(r)] = row.component;
        SetText(kPrecededBy + r, row.PrecededBy());
        ui::Control& combo = Item(kComponent + r);
        const int item = combo.FindItemData(row.component);
        combo.SetCurSel(item >= 0 ? item : kDoNotTransferItem);
        SetText(kFollowedBy + r, row.FollowedBy());
        Check(kOptional + r, row.optional != 0 ? 1 : 0);
    }
}

bool ParsedFormatDialog::StoreFormat() {
    for (int r = 0; r < kRows; ++r) {
        if (!CheckLength(*this, Item(kPrecededBy + r), kMaxText)) return false;
        if (!CheckLength(*this, Item(kFollowedBy + r), kMaxText)) return false;
    }
    const std::string key = KeyOf(current_);
    config::CCfgParseFormat format;
    if (const config::CCfgParseFormat* stored = formats_.Find(key)) format = *stored;
    format.useDefault = useDefault_;
    for (int r = 0; r < kRows; ++r) {
        config::ParseComponentRow& row = format.rows[static_cast<size_t>(r)];
        const ui::Control& combo = Item(kComponent + r);
        if (const ui::ListItem* item = combo.Item(combo.curSel())) {
            row.component = static_cast<uint8_t>(item->data);
        } else {
            row.component = components_[static_cast<size_t>(r)];
        }
        row.optional = static_cast<uint8_t>(FlagFromCheck(Item(kOptional + r), row.optional));
        // A text as it was keeps its stored bytes.
        if (const std::string& text = GetText(kPrecededBy + r); text != row.PrecededBy())
            row.SetPrecededBy(text);
        if (const std::string& text = GetText(kFollowedBy + r); text != row.FollowedBy())
            row.SetFollowedBy(text);
    }
    formats_.Set(key, format);
    return true;
}

void ParsedFormatDialog::UpdateEnabling() {
    const bool typeChosen = current_ > 0;
    Enable(kUseDefault, typeChosen);
    const bool rows = !typeChosen || !IsChecked(kUseDefault);
    for (int id : {kPrecededByCaption, kComponentCaption, kFollowedByCaption, kExampleCaption})
        Enable(id, rows);
    for (int r = 0; r < kRows; ++r) {
        for (int column : {kPrecededBy, kComponent, kFollowedBy, kOptional})
            Enable(column + r, rows);
    }
    SetText(kWorkform, catalog_.NameOf(WorkformOf(current_)));
}

void ParsedFormatDialog::BuildExample() {
    std::string example;
    for (int r = 0; r < kRows; ++r) {
        const ui::Control& combo = Item(kComponent + r);
        const ui::ListItem* item = combo.Item(combo.curSel());
        if (item == nullptr || item->data == config::kRowNotUsed) continue;
        example += GetText(kPrecededBy + r);
        if (item->text.empty() || item->text.front() == '<') {
            example += item->text;
        } else {
            example += "<" + item->text + ">";
        }
        // "\r" in a followed-by text stands for a line break; only the first
        // is shown as one.
        std::string after = GetText(kFollowedBy + r);
        if (size_t at = after.find("\\r"); at != std::string::npos) after.replace(at, 2, "\r\n");
        example += after;
    }
    SetText(kExample, std::move(example));
}

void ParsedFormatDialog::SwitchDocumentType() {
    const int chosen = GetCurSel(kDocumentType);
    if (chosen < 0 || chosen == current_) return;
    if (!StoreFormat()) {
        SetCurSel(kDocumentType, current_);
        return;
    }
    current_ = chosen;
    FillComponents(WorkformOf(current_));
    LoadFormat();
    UpdateEnabling();
    BuildExample();
}

int ParsedFormatDialog::RowOf(const ui::Control& control) const {
    for (int column : {kPrecededBy, kComponent, kFollowedBy, kOptional}) {
        const int r = control.id() - column;
        if (r >= 0 && r < kRows) return r;
    }
    return -1;
}

bool ParsedFormatDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    using N = ui::Notification;
    if (control.id() == kDocumentType) {
        if (notification == N::SelectionChanged) SwitchDocumentType();
        return notification == N::SelectionChanged;
    }
    if (control.id() == kUseDefault) {
        if (notification != N::Clicked) return false;
        useDefault_ = FlagFromCheck(control, useDefault_);
        UpdateEnabling();
        return true;
    }
    if (RowOf(control) < 0) return false;
    if (notification == N::EditChanged || notification == N::SelectionChanged ||
        notification == N::Clicked) {
        BuildExample();
        return true;
    }
    return false;
}

void ParsedFormatDialog::OnOK() {
    if (!StoreFormat()) return;
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
