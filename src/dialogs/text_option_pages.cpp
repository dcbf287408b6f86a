// Normal Text and Multi Text options.
#include "dialogs/text_option_pages.h"

#include <span>

#include "config/field.h"

namespace recaster::dialogs {

namespace {

// The radio buttons of the two CR choices, by value.
constexpr int kReplacementRadios[] = {
    NormalTextPage::kReplaceSpace, NormalTextPage::kReplaceNewLine, NormalTextPage::kReplaceChar};
constexpr int kRepresentationRadios[] = {NormalTextPage::kRepresentNormal,
                                         NormalTextPage::kRepresentChar};

}  // namespace

// --- Normal Text -------------------------------------------------------------

void NormalTextPage::LoadFromField() {
    const config::CCfgField& f = field();
    replacement_ = f.crOptions >> 4;
    representation_ = f.crOptions & 0x0F;
    replacementChar_ = f.crReplacementChar;
    representationChar_ = f.crRepresentationChar;
    replaceMatching_ = f.replaceMatching;
    find_ = f.findText;
    replace_ = f.replaceText;
}

void NormalTextPage::SaveToField() {
    config::CCfgField& f = field();
    f.crOptions = static_cast<uint8_t>((replacement_ << 4) | (representation_ & 0x0F));
    f.crReplacementChar = replacementChar_;
    f.crRepresentationChar = representationChar_;
    f.replaceMatching = replaceMatching_;
    f.findText = find_;
    f.replaceText = replace_;
}

void NormalTextPage::Exchange(bool save) {
    // A stored choice without a radio button (damaged data) stays as it is
    // while none is checked.
    auto exchangeRadios = [&](std::span<const int> radios, int& value) {
        for (size_t i = 0; i < radios.size(); ++i) {
            ui::Control& radio = Ctl(radios[i]);
            if (save && radio.checked() == 1) value = static_cast<int>(i);
            if (!save) radio.SetChecked(value == static_cast<int>(i) ? 1 : 0);
        }
    };
    exchangeRadios(kReplacementRadios, replacement_);
    exchangeRadios(kRepresentationRadios, representation_);
    if (save) {
        replacementChar_ = Ctl(kReplaceCharEdit).text();
        representationChar_ = Ctl(kRepresentCharEdit).text();
        replaceMatching_ = FlagFromCheck(Ctl(kReplaceMatching), replaceMatching_);
        find_ = Ctl(kFind).text();
        replace_ = Ctl(kReplace).text();
    } else {
        Ctl(kReplaceCharEdit).SetText(replacementChar_);
        Ctl(kRepresentCharEdit).SetText(representationChar_);
        Ctl(kReplaceMatching).SetChecked(replaceMatching_ != 0 ? 1 : 0);
        Ctl(kFind).SetText(find_);
        Ctl(kReplace).SetText(replace_);
    }
}

void NormalTextPage::UpdateEnabling() {
    Ctl(kReplaceCharEdit).SetEnabled(Ctl(kReplaceChar).checked() == 1);
    Ctl(kRepresentCharEdit).SetEnabled(Ctl(kRepresentChar).checked() == 1);
    host().SetFindReplaceEnabled(Ctl(kReplaceMatching).checked() == 1);
}

void NormalTextPage::EnableFindReplace(bool on) {
    Ctl(kFind).SetEnabled(on);
    Ctl(kReplace).SetEnabled(on);
}

bool NormalTextPage::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked || !Owns(control)) return false;
    if (control.id() == kReplaceMatching) {
        host().SetFindReplaceEnabled(control.checked() == 1);
        return true;
    }
    // A radio button of a CR choice: the choice's edit follows it, and an
    // edit it enables is the next thing to type into.
    auto follow = [&](int charRadio, int edit) {
        ui::Control& e = Ctl(edit);
        const bool wasEnabled = e.enabled();
        e.SetEnabled(Ctl(charRadio).checked() == 1);
        if (e.enabled() && !wasEnabled) dialog().GotoControl(e);
    };
    for (int id : kReplacementRadios) {
        if (control.id() == id) {
            follow(kReplaceChar, kReplaceCharEdit);
            return true;
        }
    }
    for (int id : kRepresentationRadios) {
        if (control.id() == id) {
            follow(kRepresentChar, kRepresentCharEdit);
            return true;
        }
    }
    return false;
}

// --- Multi Text --------------------------------------------------------------

void MultiTextPage::Initialize() {
    separator_ = field().separator;
    FieldOptionPage::Initialize();
}

void MultiTextPage::LoadFromField() {
    const config::CCfgField& f = field();
    replaceMatching_ = f.replaceMatching;
    find_ = f.findText;
    replace_ = f.replaceText;
}

void MultiTextPage::SaveToField() {
    config::CCfgField& f = field();
    if (f.type == config::kFieldMultiText) f.separator = separator_;
    f.replaceMatching = replaceMatching_;
    f.findText = find_;
    f.replaceText = replace_;
}

void MultiTextPage::Exchange(bool save) {
    if (save) {
        separator_ = Ctl(kSeparator).text();
        replaceMatching_ = FlagFromCheck(Ctl(kReplaceMatching), replaceMatching_);
        find_ = Ctl(kFind).text();
        replace_ = Ctl(kReplace).text();
    } else {
        Ctl(kSeparator).SetText(separator_);
        Ctl(kReplaceMatching).SetChecked(replaceMatching_ != 0 ? 1 : 0);
        Ctl(kFind).SetText(find_);
        Ctl(kReplace).SetText(replace_);
    }
}

void MultiTextPage::UpdateEnabling() {
    host().SetFindReplaceEnabled(Ctl(kReplaceMatching).checked() == 1);
}

void MultiTextPage::EnableFindReplace(bool on) {
    Ctl(kFind).SetEnabled(on);
    Ctl(kReplace).SetEnabled(on);
}

bool MultiTextPage::OnCommand(ui::Control& control, ui::Notification notification) {
    if (notification != ui::Notification::Clicked || &control != &Ctl(kReplaceMatching))
        return false;
    host().SetFindReplaceEnabled(control.checked() == 1);
    return true;
}

}  // namespace recaster::dialogs
