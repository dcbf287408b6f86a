// IgnoredLineDialog (template 318, "Ignored Line Format String"): one
// pattern of lines that the importer skips.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace recaster::dialogs {

class IgnoredLineDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 318, kLineFormat = 207 };

    // Edits `format`, which OK replaces.
    explicit IgnoredLineDialog(std::string& format) : ui::Dialog(kTemplateId), format_(format) {}

  protected:
    void OnInitDialog() override { SetText(kLineFormat, format_); }
    void OnOK() override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    std::string& format_;
};

}  // namespace recaster::dialogs
