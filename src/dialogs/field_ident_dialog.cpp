// Field Identification.
#include "dialogs/field_ident_dialog.h"

#include "config/dfs_info.h"
#include "dialogs/entry_checks.h"

namespace recaster::dialogs {

namespace {

// The fixed items of the two combo boxes; a stored value is an item index.
const char* const kContinuations[] = {"Indented", "Left Margin", "Special Character"};
const char* const kCaseConversions[] = {"No Conversion", "Upper Case All", "Lower Case All",
                                        "Title Case", "Sentence Case"};

template <size_t N>
void FillFixed(ui::Control& combo, const char* const (&texts)[N]) {
    std::vector<ui::ListItem> items;
    for (size_t i = 0; i < N; ++i) items.push_back({texts[i], static_cast<uint32_t>(i)});
    combo.SetItems(std::move(items));
}

// The chosen item as the stored value; a value the list does not offer
// (Smart Conversion, say) stays as it was while nothing is chosen.
uint16_t ChosenIndex(const ui::Control& combo, uint16_t stored) {
    return combo.curSel() >= 0 ? static_cast<uint16_t>(combo.curSel()) : stored;
}

}  // namespace

FieldIdentDialog::FieldIdentDialog(config::CCfgDFSInfo& dfs) : ui::Dialog(kTemplateId), dfs_(dfs) {}

void FieldIdentDialog::OnInitDialog() {
    SetTextLimit(kTagFormat, kMaxTextLength);
    SetTextLimit(kTerminator, kMaxTextLength);
    SetTextLimit(kEmptyString, kMaxTextLength);
    SetTextLimit(kSubfieldIndicator, 1);
    SetText(kTagFormat, dfs_.tagFormat);
    CheckRadio(kVariable, kFixed, dfs_.tagLength == 0 ? kVariable : kFixed);
    SetInt(kTagLength, dfs_.tagLength);
    Check(kCrFollowsTag, dfs_.crFollowsTag ? 1 : 0);
    Check(kFixedWidthArea, dfs_.fixedWidthTagArea ? 1 : 0);
    SetInt(kAreaWidth, dfs_.tagAreaWidth);
    SetText(kTerminator, dfs_.fieldTerminator);
    SetText(kEmptyString, dfs_.emptyFieldFiller);
    FillFixed(Item(kLineContinuation), kContinuations);
    SetCurSel(kLineContinuation, dfs_.lineContinuation);
    FillFixed(Item(kCaseConversion), kCaseConversions);
    SetCurSel(kCaseConversion, dfs_.defaultCaseConversion);
    Check(kProcessMarc, dfs_.processMarcSubfields ? 1 : 0);
    SetText(kSubfieldIndicator, dfs_.subfieldIndicator);
    UpdateControls();
}

void FieldIdentDialog::UpdateControls() {
    Show(kTagLength, IsChecked(kFixed));
    Show(kAreaWidth, IsChecked(kFixedWidthArea));
    Enable(kSubfieldIndicator, IsChecked(kProcessMarc));
}

bool FieldIdentDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked) return false;
    switch (control.id()) {
        case kVariable:
        case kFixed:
        case kFixedWidthArea:
        case kProcessMarc:
            UpdateControls();
            // The number that an option asks for is the next thing to type.
            if (control.id() == kFixed && IsChecked(kFixed)) GotoControl(kTagLength);
            if (control.id() == kFixedWidthArea && IsChecked(kFixedWidthArea))
                GotoControl(kAreaWidth);
            return true;
        default:
            return false;
    }
}

void FieldIdentDialog::OnOK() {
    if (!CheckLength(*this, Item(kSubfieldIndicator), 1)) return;
    if (!CheckTagFormatEntry(*this, Item(kTagFormat), IsChecked(kCrFollowsTag))) return;
    // A hidden number is not in use: Variable stores 0, and a width whose
    // option is off keeps the stored width unless a valid one is shown.
    int tagLength = 0;
    if (IsShown(kTagLength)) {
        std::optional<int> value = CheckNumberRange(*this, Item(kTagLength), 0, kMaxTagLength);
        if (!value) return;
        tagLength = *value;
    }
    if (!CheckLength(*this, Item(kEmptyString), kMaxTextLength)) return;
    if (!CheckLength(*this, Item(kTerminator), kMaxTextLength)) return;
    int width = dfs_.tagAreaWidth;
    if (IsShown(kAreaWidth)) {
        std::optional<int> value = CheckNumberRange(*this, Item(kAreaWidth), 0, kMaxAreaWidth);
        if (!value) return;
        width = *value;
    } else if (std::optional<int> shown = ui::ParseWholeNumber(GetText(kAreaWidth));
               shown && *shown >= 0 && *shown <= kMaxAreaWidth) {
        width = *shown;
    }

    dfs_.tagFormat = GetText(kTagFormat);
    dfs_.tagLength = static_cast<uint8_t>(tagLength);
    dfs_.crFollowsTag = IsChecked(kCrFollowsTag);
    dfs_.fixedWidthTagArea = IsChecked(kFixedWidthArea);
    dfs_.tagAreaWidth = static_cast<uint8_t>(width);
    dfs_.fieldTerminator = GetText(kTerminator);
    dfs_.emptyFieldFiller = GetText(kEmptyString);
    dfs_.lineContinuation = ChosenIndex(Item(kLineContinuation), dfs_.lineContinuation);
    dfs_.defaultCaseConversion = ChosenIndex(Item(kCaseConversion), dfs_.defaultCaseConversion);
    dfs_.processMarcSubfields = IsChecked(kProcessMarc);
    dfs_.subfieldIndicator = GetText(kSubfieldIndicator);
    dfs_.Save();
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
