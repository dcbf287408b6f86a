// Templates of the conversion of older configuration files: User Defined
// Workform Selection (140), shown once for each user-defined workform (U to
// Z) that the old file uses.
#include <array>
#include <span>

#include "resources/dialog_template.h"

namespace recaster::resources {
namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kHelp = 9;
constexpr uint32_t kTab = kStyleTabStop;
constexpr uint32_t kFirst = kStyleTabStop | kStyleGroup;

// The message (1200) and the letter (1201) are set by the dialog.
constexpr std::array<ControlTemplate, 8> kUserWorkform{{
    {1200, ControlKind::Static, "", {7, 7, 190, 16}, kStyleNone},
    {-1, ControlKind::Static, "Workform Letter:", {7, 27, 62, 8}, kStyleNone},
    {1201, ControlKind::Static, "", {72, 27, 20, 8}, kStyleNone},
    {-1, ControlKind::Static, "&New Workform:", {7, 43, 62, 8}, kStyleNone},
    {1202, ControlKind::DropDownList, "", {72, 41, 125, 100}, kFirst | kStyleSort | kStyleVScroll},
    {kOk, ControlKind::DefaultPushButton, "OK", {205, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {205, 24, 50, 14}, kTab},
    {kHelp, ControlKind::PushButton, "&Help", {205, 41, 50, 14}, kTab},
}};

constexpr std::array<DialogTemplate, 1> kTemplates{{
    {140, "User Defined Workform Selection", 262, 62, {}, 8, kUserWorkform},
}};

}  // namespace

extern const std::span<const DialogTemplate> kConvertDialogs;
constinit const std::span<const DialogTemplate> kConvertDialogs{kTemplates};

}  // namespace recaster::resources
