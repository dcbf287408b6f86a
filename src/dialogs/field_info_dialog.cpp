// Field Information.
#include "dialogs/field_info_dialog.h"

#include <utility>

#include "base/cp1252.h"
#include "config/lists.h"
#include "config/target_in_workform.h"
#include "dialogs/entry_checks.h"
#include "dialogs/parsed_option_page.h"
#include "dialogs/separator_escapes.h"
#include "dialogs/simple_option_pages.h"
#include "dialogs/target_fields_dialog.h"
#include "dialogs/text_option_pages.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

constexpr int kStringFirstType = 96;  // field type names, 96 + type
// The case conversion list: "Default" (-1), then values 0..4.
const char* const kCaseConversions[] = {"Default",    "No Conversion", "Upper Case",
                                        "Lower Case", "Title Case",    "Sentence Case"};
// The order in which OK has the pages save.
constexpr int kSaveOrder[] = {config::kFieldParsedWithSubfields, config::kFieldMultiText,
                              config::kFieldNormalText,          config::kFieldParsed,
                              config::kFieldDocumentType,        config::kFieldAuthor};

// Every member the dialog and its pages can change, from `from` to `to`.
void RestoreValues(config::CCfgField& to, const config::CCfgField& from) {
    to.defaultTarget = from.defaultTarget;
    to.caseConversion = from.caseConversion;
    to.compressSpaces = from.compressSpaces;
    to.corporateAuthor = from.corporateAuthor;
    to.spaceChar = from.spaceChar;
    to.crOptions = from.crOptions;
    to.type = from.type;
    to.tag = from.tag;
    to.description = from.description;
    to.beginsWith = from.beginsWith;
    to.endsWith = from.endsWith;
    to.subfieldPrecededBy = from.subfieldPrecededBy;
    to.subfieldFollowedBy = from.subfieldFollowedBy;
    to.separator = from.separator;
    to.crReplacementChar = from.crReplacementChar;
    to.crRepresentationChar = from.crRepresentationChar;
    to.alternateTargets = from.alternateTargets;
    to.parseFormats = from.parseFormats;
    to.separateMode = from.separateMode;
    to.separatorText = from.separatorText;
    to.replaceMatching = from.replaceMatching;
    to.findText = from.findText;
    to.replaceText = from.replaceText;
}

}  // namespace

FieldInfoDialog::FieldInfoDialog(config::CCfgField& field, config::CCfgFieldList& list,
                                 const workforms::WorkformCatalog& catalog)
    : ui::Dialog(kTemplateId),
      field_(field),
      list_(list),
      catalog_(catalog),
      modeRadios_{&Item(kAutomatic), &Item(kText), &Item(kReplaceExisting)},
      separatorText_(&Item(kSeparatorText)),
      spaceChar_(&Item(kSpaceChar)),
      targets_(Item(kTarget), catalog,
               list.owner != nullptr ? list.owner->workform : workforms::kNoWorkform) {}

FieldInfoDialog::~FieldInfoDialog() = default;

FieldOptionPage* FieldInfoDialog::page(int type) const {
    return type >= 0 && type < kTypeCount ? pages_[static_cast<size_t>(type)].get() : nullptr;
}

ui::Control& FieldInfoDialog::OwnControl(int id) {
    for (const auto& c : controls()) {
        if (c->id() != id) continue;
        bool onPage = false;
        for (const auto& p : pages_) onPage = onPage || (p && p->Owns(*c));
        if (!onPage) return *c;
    }
    return Item(id);  // throws: no such control
}

void FieldInfoDialog::OnInitDialog() {
    opened_ = std::make_unique<config::CCfgField>(field_);

    targets_.FillAndSelectFirst();
    // The default target as the database's workform takes it.
    const int target = config::TargetInWorkform(field_, config::kDefaultWorkform, catalog_);
    targets_.SelectFieldIndex(target < 0 ? config::kNoTarget : static_cast<uint8_t>(target));

    std::vector<ui::ListItem> types;
    for (int t = 0; t < kTypeCount; ++t)
        types.push_back({resources::LoadString(kStringFirstType + t), static_cast<uint32_t>(t)});
    Item(kType).SetItems(std::move(types));
    SetCurSel(kType, field_.type);  // a type past the list selects nothing

    std::vector<ui::ListItem> cases;
    for (const char* text : kCaseConversions) cases.push_back({text, 0});
    Item(kCaseConversion).SetItems(std::move(cases));
    SetCurSel(kCaseConversion, field_.caseConversion + 1);

    SetText(kTag, field_.tag);
    SetText(kDescription, field_.description);
    Check(kCompressSpaces, field_.compressSpaces ? 1 : 0);
    SetText(kBeginsWith, field_.beginsWith);
    SetText(kEndsWith, field_.endsWith);
    spaceCharTyped_ = separatorTextTyped_ = false;
    spaceChar_->SetTextLimit(kMaxSpaceChar);
    // No space character shows as a space.
    spaceCharShown_ = field_.spaceChar == 0 ? std::string(" ")
                                            : std::string(1, static_cast<char>(field_.spaceChar));
    spaceChar_->SetText(spaceCharShown_);
    // Setting the text is no change by the user: the mode stays.
    separatorText_->SetTextLimit(kMaxSeparatorText);
    separatorTextShown_ = SeparatorEscapes::Encode(field_.separatorText);
    separatorText_->SetText(separatorTextShown_);
    SelectSeparateMode(field_.separateMode);

    ShowPage(field_.type);
}

bool FieldInfoDialog::SpaceCharChanged() const {
    return spaceCharTyped_ || spaceChar_->text() != spaceCharShown_;
}

bool FieldInfoDialog::SeparatorTextChanged() const {
    return separatorTextTyped_ || separatorText_->text() != separatorTextShown_;
}

void FieldInfoDialog::SelectSeparateMode(uint32_t mode) {
    for (size_t m = 0; m < modeRadios_.size(); ++m) modeRadios_[m]->SetChecked(m == mode ? 1 : 0);
}

std::unique_ptr<FieldOptionPage> FieldInfoDialog::MakePage(int type) {
    FieldPageHost& host = *this;
    switch (type) {
        case config::kFieldNormalText:
            return std::make_unique<NormalTextPage>(field_, host);
        case config::kFieldMultiText:
            return std::make_unique<MultiTextPage>(field_, host);
        case config::kFieldParsed:
            return std::make_unique<ParsedPage>(field_, host, catalog_);
        case config::kFieldParsedWithSubfields:
            return std::make_unique<SubfieldsPage>(field_, host);
        case config::kFieldDocumentType:
            return std::make_unique<DocumentTypePage>(field_, host);
        case config::kFieldAuthor:
            return std::make_unique<AuthorPage>(field_, host);
        default:
            return nullptr;  // Date, Literal Stream: no options
    }
}

void FieldInfoDialog::ShowPage(int type) {
    FieldOptionPage* next = page(type);
    if (next != nullptr && next == shown_) return;
    if (shown_ != nullptr) {
        shown_->Exchange(true);
        shown_->SaveToField();
        shown_->Show(false);
        shown_ = nullptr;
    }
    ui::Control& frame = Item(kPageFrame);
    if (next == nullptr) {
        if (auto made = MakePage(type)) {
            next = made.get();
            pages_[static_cast<size_t>(type)] = std::move(made);
            const resources::DialogRect origin = Item(kPageOrigin).rect();
            next->Create(origin.x, origin.y, kCompressSpaces);
        }
    } else if (next != nullptr) {
        next->Reload();
        next->Show(true);
    }
    if (next != nullptr) {
        frame.SetText(next->title());
        lastShown_ = next;
    }
    frame.SetVisible(next != nullptr);
    shown_ = next;
}

void FieldInfoDialog::SetFindReplaceEnabled(bool on) {
    for (const auto& p : pages_) {
        if (p) p->EnableFindReplace(on);
    }
}

std::string FieldInfoDialog::TypedTag() const {
    return ToUpperCp1252(GetText(kTag));
}

void FieldInfoDialog::TypeChanged() {
    const int chosen = GetCurSel(kType);
    if (field_.HasSubfields() && chosen != config::kFieldParsedWithSubfields) {
        MessageBox(kMsgDeleteSubfieldsFirst);
        SetCurSel(kType, config::kFieldParsedWithSubfields);
        return;
    }
    ShowPage(chosen);
}

bool FieldInfoDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    using N = ui::Notification;
    if (&control == &targets_.control()) {
        if (notification != N::SelectionChanged) return false;
        field_.defaultTarget = targets_.SelectedFieldIndex();
        return true;
    }
    if (&control == &Item(kType)) {
        if (notification == N::SelectionChanged) TypeChanged();
        return notification == N::SelectionChanged;
    }
    if (&control == separatorText_) {
        if (notification != N::EditChanged) return false;
        separatorTextTyped_ = true;
        SelectSeparateMode(1);
        return true;
    }
    if (&control == spaceChar_) {
        if (notification != N::EditChanged) return false;
        spaceCharTyped_ = true;
        return true;
    }
    if (&control == &Item(kTargetFields)) {
        if (notification != N::Clicked) return false;
        // Its changes are in the field already; whether there were any does
        // not matter here.
        TargetFieldsDialog targets(field_, catalog_);
        targets.DoModal(ui());
        return true;
    }
    for (const auto& p : pages_) {
        if (p && p->OnCommand(control, notification)) return true;
    }
    return false;
}

bool FieldInfoDialog::CheckEntries() {
    ui::Control& tagEdit = Item(kTag);
    const std::string tag = ToUpperCp1252(tagEdit.text());
    const bool subfield = field_.IsSubfield();
    if (!subfield && tag.empty()) {
        FailCheck(*this, tagEdit, kMsgEmptyTag);
        return false;
    }
    // The list compares by its own rules, so ask it with the new tag in place
    // for a moment.
    std::string old = std::exchange(field_.tag, tag);
    const bool duplicate = list_.IsDuplicate(&field_);
    field_.tag = std::move(old);
    if (duplicate) {
        FailCheck(*this, tagEdit, subfield ? kMsgDuplicateSubfield : kMsgDuplicateField, {tag});
        return false;
    }
    if (subfield && GetCurSel(kType) == config::kFieldParsedWithSubfields) {
        FailCheck(*this, Item(kType), kMsgSubfieldType);
        return false;
    }
    if (!CheckLength(*this, *spaceChar_, kMaxSpaceChar)) return false;
    if (SeparatorTextChanged() &&
        SeparatorEscapes::Decode(separatorText_->text()).size() > kMaxSeparatorText) {
        FailCheck(*this, *separatorText_, kMsgTooLong, {std::to_string(kMaxSeparatorText)});
        return false;
    }
    return true;
}

void FieldInfoDialog::WriteBack() {
    field_.tag = ToUpperCp1252(GetText(kTag));
    field_.description = GetText(kDescription);
    // A value the lists do not offer (damaged data) stays while nothing is
    // chosen.
    if (const int item = GetCurSel(kCaseConversion); item >= 0)
        field_.caseConversion = static_cast<int16_t>(item - 1);
    field_.compressSpaces = IsChecked(kCompressSpaces);
    if (const int item = GetCurSel(kType); item >= 0) field_.type = static_cast<uint16_t>(item);
    field_.beginsWith = GetText(kBeginsWith);
    if (SpaceCharChanged()) {
        const std::string& text = spaceChar_->text();
        field_.spaceChar = text.empty() ? 0 : static_cast<uint8_t>(text[0]);
    }
    field_.endsWith = GetText(kEndsWith);
    for (size_t m = 0; m < modeRadios_.size(); ++m) {
        if (modeRadios_[m]->checked() == 1) field_.separateMode = static_cast<uint32_t>(m);
    }
    if (SeparatorTextChanged())
        field_.separatorText = SeparatorEscapes::Decode(separatorText_->text());

    if (shown_ != nullptr) shown_->Exchange(true);
    for (int type : kSaveOrder) {
        if (FieldOptionPage* p = page(type)) p->SaveToField();
    }
    // The find and replace options are on two pages; the one the user saw
    // last has them as they are now.
    if (lastShown_ != nullptr) lastShown_->SaveToField();
}

void FieldInfoDialog::OnOK() {
    if (!CheckEntries()) return;
    WriteBack();
    field_.Save();
    list_.Reposition(&field_);
    EndDialog(ui::IDOK);
}

void FieldInfoDialog::OnCancel() {
    if (opened_) RestoreValues(field_, *opened_);
    EndDialog(ui::IDCANCEL);
}

}  // namespace recaster::dialogs
