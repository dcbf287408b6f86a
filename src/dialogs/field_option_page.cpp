// The options page base.
#include "dialogs/field_option_page.h"

#include <algorithm>
#include <stdexcept>

namespace recaster::dialogs {

static const resources::DialogTemplate& PageTemplate(int templateId) {
    const resources::DialogTemplate* t = resources::FindDialogTemplate(templateId);
    if (!t) throw std::invalid_argument("no page template " + std::to_string(templateId));
    return *t;
}

FieldOptionPage::FieldOptionPage(int templateId, config::CCfgField& field, FieldPageHost& host)
    : template_(PageTemplate(templateId)), field_(field), host_(host) {}

void FieldOptionPage::Create(int originX, int originY, int afterId) {
    controls_ = dialog().AddControls(template_, originX, originY, afterId);
    Initialize();
}

void FieldOptionPage::Initialize() {
    Reload();
}

void FieldOptionPage::Reload() {
    LoadFromField();
    Exchange(false);
    UpdateEnabling();
}

void FieldOptionPage::Show(bool on) {
    for (ui::Control* c : controls_) c->SetVisible(on);
}

bool FieldOptionPage::Owns(const ui::Control& control) const {
    return std::find(controls_.begin(), controls_.end(), &control) != controls_.end();
}

ui::Control& FieldOptionPage::Ctl(int id) const {
    for (ui::Control* c : controls_) {
        if (c->id() == id) return *c;
    }
    throw std::out_of_range("page " + std::to_string(template_.id) + " has no control " +
                            std::to_string(id));
}

uint32_t FlagFromCheck(const ui::Control& box, uint32_t stored) {
    const bool on = box.checked() == 1;
    return on == (stored != 0) ? stored : (on ? 1u : 0u);
}

}  // namespace recaster::dialogs
