// Record Identification.
#include "dialogs/record_ident_dialog.h"

#include "config/dfs_info.h"
#include "config/pattern_checks.h"
#include "dialogs/entry_checks.h"

namespace recaster::dialogs {

RecordEndChoice RecordEndChoiceOf(uint8_t mode) {
    return RecordEndChoice{mode == 1 || mode == 2, mode == 2 || mode == 3};
}

uint8_t RecordEndModeOf(const RecordEndChoice& choice) {
    if (choice.blankLine) return choice.twoOrMore ? 2 : 1;
    return choice.twoOrMore ? 3 : 0;
}

RecordIdentDialog::RecordIdentDialog(config::CCfgDFSInfo& dfs)
    : ui::Dialog(kTemplateId), dfs_(dfs) {}

void RecordIdentDialog::OnInitDialog() {
    SetText(kHeaderFormat, dfs_.recordHeaderFormat);
    const RecordEndChoice choice = RecordEndChoiceOf(dfs_.recordEndMode);
    Check(kBlankLine, choice.blankLine ? 1 : 0);
    Check(kOneBlankLine, choice.twoOrMore ? 0 : 1);
    Check(kTwoOrMoreBlankLines, choice.twoOrMore ? 1 : 0);
    Check(kStringOn, dfs_.recordEndStringOn ? 1 : 0);
    // A stored end string whose option is off is not offered again.
    SetText(kEndString, dfs_.recordEndStringOn ? dfs_.recordEndString : std::string());
    ShowEndString();
}

bool RecordIdentDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    if (control.id() == kStringOn && notification == ui::Notification::Clicked) {
        ShowEndString();
        if (IsChecked(kStringOn)) GotoControl(kEndString);
        return true;
    }
    return false;
}

void RecordIdentDialog::OnOK() {
    if (!CheckPattern(*this, Item(kHeaderFormat), config::kRecordPatternSpecials)) return;
    // A hidden end string is not stored, so it is not checked either.
    if (IsShown(kEndString) &&
        !CheckPattern(*this, Item(kEndString), config::kRecordPatternSpecials))
        return;
    dfs_.recordEndStringOn = IsChecked(kStringOn);
    dfs_.recordEndMode = RecordEndModeOf({IsChecked(kBlankLine), IsChecked(kTwoOrMoreBlankLines)});
    dfs_.recordHeaderFormat = GetText(kHeaderFormat);
    // An option turned off stores an empty end string.
    dfs_.recordEndString = IsShown(kEndString) ? GetText(kEndString) : std::string();
    dfs_.Save();
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
