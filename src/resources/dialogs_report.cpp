// Templates of the configuration report: the options dialog (130).
#include <array>
#include <span>

#include "resources/dialog_template.h"

namespace recaster::resources {
namespace {

// Every box is a tab stop, so that the keyboard reaches each one with Tab as
// well as with its mnemonic; the three indented ones depend on "Database
// Details" and are disabled while it is unchecked. The boxes reach to the
// group's right edge: Linux dialog fonts are wider than the 8-point font
// the layout was drawn for, and a box must show its whole caption.
constexpr std::array<ControlTemplate, 10> kReportOptions{{
    {-1, ControlKind::GroupBox, "Contents", {5, 5, 155, 85}, kStyleNone},
    {2055,
     ControlKind::CheckBox,
     "DL File &Structure",
     {15, 15, 140, 10},
     kStyleGroup | kStyleTabStop},
    {2053, ControlKind::CheckBox, "Database &List", {15, 26, 140, 10}, kStyleTabStop},
    {2054, ControlKind::CheckBox, "&Database Details", {15, 37, 140, 10}, kStyleTabStop},
    {2056, ControlKind::CheckBox, "Data&base Field List", {30, 50, 125, 10}, kStyleTabStop},
    {2057, ControlKind::CheckBox, "&Auto-Parse Formats", {30, 61, 125, 10}, kStyleTabStop},
    {2058, ControlKind::CheckBox, "Field De&tails", {30, 72, 125, 10}, kStyleTabStop},
    {1, ControlKind::DefaultPushButton, "OK", {170, 7, 50, 14}, kStyleGroup | kStyleTabStop},
    {2, ControlKind::PushButton, "Cancel", {170, 24, 50, 14}, kStyleTabStop},
    {-7866, ControlKind::PushButton, "&Help", {170, 41, 50, 14}, kStyleTabStop},
}};

constexpr std::array<DialogTemplate, 1> kTemplates{{
    {130, "Configuration Report Preferences", 227, 95, {}, 8, kReportOptions},
}};

}  // namespace

extern const std::span<const DialogTemplate> kReportDialogs;
constinit const std::span<const DialogTemplate> kReportDialogs{kTemplates};

}  // namespace recaster::resources
