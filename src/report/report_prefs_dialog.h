// CCfgRptPrefsDlg: "Configuration Report Preferences" (template 130), where
// the user confirms which parts the next report contains. It opens with the
// stored choices; OK stores the six check boxes (and a text-file destination,
// no point size, no font), Cancel stores nothing.
#pragma once

#include "base/settings.h"
#include "ui/dialog.h"

namespace recaster::report {

class CCfgRptPrefsDlg : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 130,
        kDBList = 2053,
        kDBDetails = 2054,
        kDLFileStructure = 2055,
        kDBFields = 2056,
        kAutoParseFmts = 2057,
        kFieldDetails = 2058,
        kHelp = -7866,
    };
    // "The report options could not be stored in %1."
    enum : int { kStoreFailedString = 4124 };
    // The help page the Help button opens.
    static constexpr const char* kHelpTopic = "report.html";

    explicit CCfgRptPrefsDlg(SettingsKeyHelper settings);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return kHelpTopic; }

  private:
    // The indented boxes are usable exactly while "Database Details" is
    // checked; their check marks stay as they are either way.
    void UpdateDependentBoxes();

    SettingsKeyHelper settings_;
    // Which destination OK stores: 0 a text file (stored as 1), 1 a printer
    // (stored as 0). Set to 0 when the dialog opens; the dialog has no
    // control for it.
    int destinationChoice_ = -1;
};

}  // namespace recaster::report
