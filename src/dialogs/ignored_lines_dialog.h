// IgnoredLinesDialog (template 312, "Ignored Lines"): the patterns of lines
// that the importer skips, edited in place.
#pragma once

#include "dialogs/list_edit_dialog.h"

namespace recaster::config {
class CCfgStringList;
}

namespace recaster::dialogs {

class IgnoredLinesDialog : public ListEditDialog {
  public:
    enum : int { kTemplateId = 312 };

    explicit IgnoredLinesDialog(config::CCfgStringList& lines)
        : ListEditDialog(kTemplateId), lines_(lines) {}

  protected:
    std::unique_ptr<ListEditListBox> CreateListBox() override;
    void SaveChanges() override;
    bool EditItem(int row) override;
    bool NewItem() override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    config::CCfgStringList& lines_;
};

}  // namespace recaster::dialogs
