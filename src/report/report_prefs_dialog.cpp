// The report options dialog.
#include "report/report_prefs_dialog.h"

#include <exception>

#include "base/cp1252.h"
#include "base/errors.h"
#include "report/report_options.h"
#include "resources/strings.h"
#include "ui/ui.h"

namespace recaster::report {
namespace {

// The check boxes in tab order, each with the option value it edits (an
// index of kOptionValues).
struct Box {
    int id;
    size_t value;
};
constexpr Box kBoxes[] = {
    {CCfgRptPrefsDlg::kDLFileStructure, 1}, {CCfgRptPrefsDlg::kDBList, 2},
    {CCfgRptPrefsDlg::kDBDetails, 3},       {CCfgRptPrefsDlg::kDBFields, 4},
    {CCfgRptPrefsDlg::kAutoParseFmts, 5},   {CCfgRptPrefsDlg::kFieldDetails, 6},
};

}  // namespace

CCfgRptPrefsDlg::CCfgRptPrefsDlg(SettingsKeyHelper settings)
    : ui::Dialog(kTemplateId), settings_(std::move(settings)) {}

void CCfgRptPrefsDlg::OnInitDialog() {
    destinationChoice_ = 0;
    const CCfgRptOptions stored = CCfgRptOptions::Read(settings_);
    for (const Box& box : kBoxes) {
        Check(box.id, stored.*kOptionValues[box.value].member != 0 ? 1 : 0);
    }
    UpdateDependentBoxes();
}

void CCfgRptPrefsDlg::UpdateDependentBoxes() {
    const bool details = IsChecked(kDBDetails);
    for (int id : {kDBFields, kAutoParseFmts, kFieldDetails}) Enable(id, details);
}

bool CCfgRptPrefsDlg::OnCommand(ui::Control& control, ui::Notification notification) {
    const int id = control.id();
    if (notification != ui::Notification::Clicked) return false;
    if (id == kDBDetails) {
        UpdateDependentBoxes();
        return true;
    }
    if (id == kHelp) {
        ShowHelp();
        return true;
    }
    return false;
}

void CCfgRptPrefsDlg::OnOK() {
    try {
        if (destinationChoice_ == 0 || destinationChoice_ == 1) {
            WriteOption(settings_, kOptionValues[0].name, destinationChoice_ == 0 ? 1 : 0);
        }
        for (const Box& box : kBoxes) {
            WriteOption(settings_, kOptionValues[box.value].name, IsChecked(box.id) ? 1 : 0);
        }
        WritePointSize(settings_, 0);
        CCfgRptFontSpec{}.Write(settings_);  // height 0: no font
    } catch (const FileError& e) {
        // The report reads its options from the settings store; without them
        // stored it would not print what the user chose. Stay open.
        ui::ShowFileMessage(ui(), kStoreFailedString, settings_.FilePath(), e.message(),
                            ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(ui::IDOK);
}

}  // namespace recaster::report
