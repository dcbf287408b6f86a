// DatabaseIdentInfoDialog (template 317, "Database Identification Info"):
// one database identifier, a prefix and a suffix pattern.
#pragma once

#include "ui/dialog.h"

namespace recaster::config {
class CCfgStringPair;
}

namespace recaster::dialogs {

class DatabaseIdentInfoDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 317, kPrefix = 159, kSuffix = 160 };

    explicit DatabaseIdentInfoDialog(config::CCfgStringPair& pair);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    config::CCfgStringPair& pair_;
};

}  // namespace recaster::dialogs
