// Author Field Format.
#include "dialogs/author_format_dialog.h"

#include "config/database.h"
#include "dialogs/entry_checks.h"
#include "resources/strings.h"

namespace recaster::dialogs {

namespace {

// `label` with the mnemonic of `templateText` at the same place: the labels
// with and without hyphens have their letters at the same positions, so
// each radio button keeps its key whichever way it reads.
std::string WithMnemonic(std::string label, std::string_view templateText) {
    const size_t amp = templateText.find('&');
    if (amp != std::string_view::npos && amp <= label.size()) label.insert(amp, 1, '&');
    return label;
}

}  // namespace

AuthorFormatDialog::AuthorFormatDialog(config::CCfgDatabase& database)
    : ui::Dialog(kTemplateId), database_(database) {}

void AuthorFormatDialog::OnInitDialog() {
    SetTitle(resources::FormatString(kTitleString, database_.name));
    SetTextLimit(kSeparator, kMaxSeparatorLength);
    Check(kUseDefault, database_.useDefaultAuthorFormat ? 1 : 0);
    const int format = database_.authorFormat <= kLastFormat - kFirstFormat
                           ? kFirstFormat + database_.authorFormat
                           : 0;
    CheckRadio(kFirstFormat, kLastFormat, format);
    Check(kHyphens, database_.hyphens ? 1 : 0);
    SetText(kSeparator, database_.authorSeparator);
    UpdateEnabling();
    UpdateLabels();
}

void AuthorFormatDialog::UpdateEnabling() {
    const bool own = !IsChecked(kUseDefault);
    for (int id : {kFormatLabel, kSeparatorLabel, kFormatFrame}) Enable(id, own);
    for (int id = kFirstFormat; id <= kSeparator; ++id) Enable(id, own);
}

void AuthorFormatDialog::UpdateLabels() {
    const int first = IsChecked(kHyphens) ? kHyphenLabels : kPlainLabels;
    for (int i = 0; i <= kLastFormat - kFirstFormat; ++i) {
        ui::Control& radio = Item(kFirstFormat + i);
        const auto* t = dialogTemplate().FindControl(kFirstFormat + i);
        radio.SetText(WithMnemonic(resources::LoadString(first + i), t ? t->text : ""));
    }
}

bool AuthorFormatDialog::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked) return false;
    if (control.id() == kUseDefault) {
        UpdateEnabling();
        return true;
    }
    if (control.id() == kHyphens) {
        UpdateLabels();
        return true;
    }
    return false;
}

void AuthorFormatDialog::OnOK() {
    if (!CheckLength(*this, Item(kSeparator), kMaxSeparatorLength)) return;
    database_.useDefaultAuthorFormat = IsChecked(kUseDefault);
    // A stored format without its radio button (out of range) stays.
    if (const int radio = CheckedRadio(kFirstFormat, kLastFormat); radio != 0)
        database_.authorFormat = static_cast<uint8_t>(radio - kFirstFormat);
    database_.hyphens = IsChecked(kHyphens);
    database_.authorSeparator = GetText(kSeparator);
    database_.Save();
    EndDialog(ui::IDOK);
}

}  // namespace recaster::dialogs
