// The delete question.
#include "dialogs/confirm_delete.h"

#include "resources/strings.h"
#include "ui/message_box.h"

namespace recaster::dialogs {

bool ConfirmDelete(ui::Ui& ui, int labelId, const std::optional<std::string>& name) {
    const bool ownsSubfields = labelId == kLabelFieldWithSubfields;
    if (ownsSubfields) labelId = kLabelField;
    const std::string& label = resources::LoadString(labelId);
    std::string text = name ? resources::FormatString(kMsgConfirmDelete, label, *name)
                            : resources::FormatString(kMsgConfirmDelete, label);
    if (ownsSubfields) text = resources::LoadString(kLabelFieldWithSubfields) + text;
    return ui::ShowMessageBoxText(ui, kMsgConfirmDelete, std::move(text),
                                  ui::MB_OKCANCEL | ui::MB_ICONQUESTION) == ui::IDOK;
}

}  // namespace recaster::dialogs
