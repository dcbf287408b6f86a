// RecordIdentDialog (template 310, "Record Identification"): how a record of
// a downloaded file begins (the header format) and ends (blank lines and/or
// an end string), edited on the download file structure.
#pragma once

#include "ui/dialog.h"

namespace recaster::config {
class CCfgDFSInfo;
}

namespace recaster::dialogs {

// The record end mode as the dialog shows it: the "&Blank Line" check box
// and which of the two radio buttons is chosen. Mode 3 keeps the second
// radio button while blank lines are off.
struct RecordEndChoice {
    bool blankLine = false;
    bool twoOrMore = false;
};
RecordEndChoice RecordEndChoiceOf(uint8_t mode);
uint8_t RecordEndModeOf(const RecordEndChoice& choice);

class RecordIdentDialog : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 310,
        kHeaderFormat = 164,
        kBlankLine = 165,
        kOneBlankLine = 231,
        kTwoOrMoreBlankLines = 213,
        kStringOn = 166,
        kEndString = 167,
    };

    explicit RecordIdentDialog(config::CCfgDFSInfo& dfs);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    // The string edit is shown only while its option is on.
    void ShowEndString() { Show(kEndString, IsChecked(kStringOn)); }

    config::CCfgDFSInfo& dfs_;
};

}  // namespace recaster::dialogs
