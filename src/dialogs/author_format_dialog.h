// AuthorFormatDialog (template 313, title "Author Format for DB '<name>'"):
// how a database's author names are written: the default database's format
// or one of eight of its own, spaces as hyphens, and the separator between
// authors.
#pragma once

#include "ui/dialog.h"

namespace recaster::config {
class CCfgDatabase;
}

namespace recaster::dialogs {

class AuthorFormatDialog : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 313,
        kUseDefault = 176,
        kFirstFormat = 177,  // eight radio buttons, 177..184, format 0..7
        kLastFormat = 184,
        kHyphens = 185,
        kSeparator = 186,
        kFormatLabel = 235,
        kSeparatorLabel = 236,
        kFormatFrame = 237,
    };
    enum : int { kTitleString = 49, kPlainLabels = 4100, kHyphenLabels = 4108 };
    static constexpr size_t kMaxSeparatorLength = 16;

    explicit AuthorFormatDialog(config::CCfgDatabase& database);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "database_dialogs.html"; }

  private:
    // Everything but the check box is disabled while the default format is
    // used.
    void UpdateEnabling();
    // The radio buttons show the formats with or without hyphens.
    void UpdateLabels();

    config::CCfgDatabase& database_;
};

}  // namespace recaster::dialogs
