// The dialog that the tests of this folder drive (see test_dialog.h).
#include "ui/test_dialog.h"

#include <array>

namespace recaster::ui::fixture {

using namespace resources;

const DialogTemplate& TestTemplate() {
    static const std::array<ControlTemplate, 11> controls{{
        {-1, ControlKind::Static, "&Name:", {5, 5, 40, 8}, kStyleNone},
        {kName, ControlKind::Edit, "", {50, 5, 80, 12}, kStyleTabStop | kStyleUppercase},
        {kActive, ControlKind::CheckBox, "&Active", {5, 20, 60, 10}, kStyleTabStop},
        {kRadioA, ControlKind::RadioButton, "A", {5, 35, 30, 10}, kStyleTabStop | kStyleGroup},
        {kRadioB, ControlKind::RadioButton, "B", {40, 35, 30, 10}, kStyleNone},
        {kRadioC, ControlKind::RadioButton, "C", {5, 50, 30, 10}, kStyleTabStop | kStyleGroup},
        {kRadioD, ControlKind::RadioButton, "D", {40, 50, 30, 10}, kStyleNone},
        {kKind,
         ControlKind::DropDownList,
         "",
         {5, 65, 80, 60},
         kStyleTabStop | kStyleGroup | kStyleSort},
        {kCount, ControlKind::Edit, "", {5, 80, 30, 12}, kStyleTabStop | kStyleNumber},
        {IDOK,
         ControlKind::DefaultPushButton,
         "OK",
         {100, 100, 40, 14},
         kStyleTabStop | kStyleGroup},
        {IDCANCEL, ControlKind::PushButton, "Cancel", {145, 100, 40, 14}, kStyleTabStop},
    }};
    static const DialogTemplate t{kTestTemplateId, "Test Dialog", 190, 120, {}, 8, controls};
    return t;
}

void TestDialog::OnInitDialog() {
    SetText(kName, values_.name);
    SetTextLimit(kName, kNameLimit);
    Check(kActive, values_.active ? 1 : 0);
    CheckRadio(kRadioA, kRadioB, values_.radio);
    Check(kRadioC);
    AddItem(kKind, "Zeta", 30);
    AddItem(kKind, "alpha", 10);
    AddItem(kKind, "Beta", 20);
    SetCurSel(kKind, FindItemData(kKind, values_.kind));
    SetInt(kCount, values_.count);
}

void TestDialog::OnOK() {
    std::string name = GetText(kName);
    if (name.empty()) {
        MessageBox(kNameRequired, {"*"});
        GotoControl(kName);
        return;
    }
    std::optional<int> count = GetInt(kCount);
    if (!count) {
        GotoControl(kCount);
        return;
    }
    values_.name = name;
    values_.active = IsChecked(kActive);
    values_.radio = CheckedRadio(kRadioA, kRadioB);
    values_.kind = GetItemData(kKind, GetCurSel(kKind)).value_or(0);
    values_.count = *count;
    EndDialog(IDOK);
}

bool TestDialog::OnCommand(Control& control, Notification n) {
    ++commands;
    const int id = control.id();
    if (id == kName && n == Notification::MaxText) ++maxTextSeen;
    if (id == kName && n == Notification::KillFocus) ++killFocusSeen;
    return false;
}

}  // namespace recaster::ui::fixture
