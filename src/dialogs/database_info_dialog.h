// DatabaseInfoDialog (template 307, "Database Information"): a database's
// name, description and target workform. The database may be a new one that
// is not in the list yet; its caller adds it after OK.
#pragma once

#include "dialogs/workform_combo_box.h"
#include "ui/dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgDatabase;
class CCfgDBList;
}  // namespace recaster::config

namespace recaster::dialogs {

class DatabaseInfoDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 307, kName = 157, kDescription = 158, kWorkform = 159 };
    enum : int { kMsgDuplicateName = 272, kMsgEmptyName = 4160 };
    static constexpr size_t kMaxNameLength = 63;
    static constexpr size_t kMaxDescriptionLength = 64;

    DatabaseInfoDialog(config::CCfgDatabase& database, config::CCfgDBList& list,
                       const workforms::WorkformCatalog& catalog = workforms::Workforms());

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    std::string HelpTopic() const override { return "database_dialogs.html"; }

  private:
    // Name checks of any database but the default one; the upper-cased name
    // when they pass.
    std::optional<std::string> CheckName();

    config::CCfgDatabase& database_;
    config::CCfgDBList& list_;
    WorkformComboBox workforms_;
    // The default database (the first of the list) keeps its name.
    bool first_;
};

}  // namespace recaster::dialogs
