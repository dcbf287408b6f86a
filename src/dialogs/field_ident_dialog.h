// FieldIdentDialog (template 311, "Field Identification"): how field tags,
// field ends, empty fields, continued lines and MARC subfields of a
// downloaded file look, and the default case conversion; edited on the
// download file structure.
#pragma once

#include "ui/dialog.h"

namespace recaster::config {
class CCfgDFSInfo;
}

namespace recaster::dialogs {

class FieldIdentDialog : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 311,
        kTagFormat = 168,
        kVariable = 169,
        kFixed = 170,
        kTagLength = 171,
        kCrFollowsTag = 172,
        kFixedWidthArea = 252,
        kAreaWidth = 173,
        kTerminator = 167,
        kEmptyString = 174,
        kLineContinuation = 175,
        kCaseConversion = 176,
        kProcessMarc = 1004,
        kSubfieldIndicator = 1005,
    };
    static constexpr int kMaxTagLength = 32;
    static constexpr int kMaxAreaWidth = 255;  // the width is kept in 8 bits
    static constexpr size_t kMaxTextLength = 64;

    explicit FieldIdentDialog(config::CCfgDFSInfo& dfs);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    // Shows each number edit while its option is on, and enables the
    // subfield indicator while MARC subfields are processed.
    void UpdateControls();

    config::CCfgDFSInfo& dfs_;
};

}  // namespace recaster::dialogs
