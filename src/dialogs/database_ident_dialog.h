// DatabaseIdentDialog (template 309, "Database Identification"): the
// prefix/suffix pairs by which a record names its database, edited in
// place, and the database used when a record names none (list box 247:
// "< None >" and the configuration's databases).
#pragma once

#include "dialogs/list_edit_dialog.h"

namespace recaster::config {
class CCfgFile;
class CCfgStringPairList;
class CCfgDFSInfo;
class CCfgDBList;
}  // namespace recaster::config

namespace recaster::dialogs {

class DatabaseIdentDialog : public ListEditDialog {
  public:
    enum : int { kTemplateId = 309, kSuffixesLabel = 249, kFallbackList = 247 };
    enum : int { kStringNone = 4028 };

    explicit DatabaseIdentDialog(config::CCfgFile& root);

    // The suffix column's left edge, pixels from the list's left edge: where
    // the "Suffixes:" label stands.
    int SuffixColumn() const;

  protected:
    std::unique_ptr<ListEditListBox> CreateListBox() override;
    void InitList() override;
    void SaveChanges() override;
    bool EditItem(int row) override;
    bool NewItem() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "configuration_dialogs.html"; }

  private:
    config::CCfgStringPairList& pairs_;
    config::CCfgDFSInfo& dfs_;
    config::CCfgDBList& databases_;
};

}  // namespace recaster::dialogs
