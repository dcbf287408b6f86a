// The Parsed options page.
#include "dialogs/parsed_option_page.h"

#include "config/field.h"
#include "dialogs/parsed_format_dialog.h"

namespace recaster::dialogs {

bool ParsedPage::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked || &control != &Ctl(kEditFormat)) return false;
    ParseFormatSet formats = field().parseFormats;
    ParsedFormatDialog editor(field(), formats, catalog_);
    editor.SetTag(host().TypedTag());
    if (editor.DoModal(dialog().ui()) == ui::IDOK) field().parseFormats = std::move(formats);
    return true;
}

}  // namespace recaster::dialogs
