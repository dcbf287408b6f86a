// A small dialog used by the tests of this folder: a name (required, at most
// 8 characters), a check box, two radio groups, a combo box with item data,
// a number edit, and OK / Cancel.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace recaster::ui::fixture {

enum : int {
    kTestTemplateId = 9001,
    kName = 101,
    kActive = 102,
    kRadioA = 103,
    kRadioB = 104,
    kRadioC = 105,
    kRadioD = 106,
    kKind = 107,
    kCount = 108,
    kNameLimit = 8,
    kNameRequired = 4148,  // any string with a %1 serves as the check message
};

const resources::DialogTemplate& TestTemplate();

// Values the dialog edits, as a model object would hold them.
struct TestValues {
    std::string name = "ALPHA";
    bool active = true;
    int radio = kRadioB;
    uint32_t kind = 20;
    int count = 3;
};

class TestDialog : public Dialog {
  public:
    explicit TestDialog(TestValues& values) : Dialog(TestTemplate()), values_(values) {}

    int commands = 0;       // OnCommand calls
    int maxTextSeen = 0;    // MaxText notifications
    int killFocusSeen = 0;  // KillFocus notifications of the name

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(Control& control, Notification n) override;

  private:
    TestValues& values_;
};

}  // namespace recaster::ui::fixture
