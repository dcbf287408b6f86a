// The options page of a Parsed field (322): "E&dit Format" opens the parsed
// field format editor on a copy of the field's formats; the copy replaces the
// field's formats when the editor ends with OK.
#pragma once

#include "dialogs/field_option_page.h"
#include "workforms/workform_catalog.h"

namespace recaster::dialogs {

class ParsedPage : public FieldOptionPage {
  public:
    enum : int { kTemplateId = 322, kEditFormat = 1000 };

    ParsedPage(config::CCfgField& field, FieldPageHost& host,
               const workforms::WorkformCatalog& catalog)
        : FieldOptionPage(kTemplateId, field, host), catalog_(catalog) {}

    // The formats are no value of the page: the editor changes the field.
    void SaveToField() override {}
    void LoadFromField() override {}
    void Exchange(bool /*save*/) override {}
    bool OnCommand(ui::Control& control, ui::Notification notification) override;

  private:
    const workforms::WorkformCatalog& catalog_;
};

}  // namespace recaster::dialogs
