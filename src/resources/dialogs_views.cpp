// Templates of the list windows' bars: the header bars (303 for databases,
// 306 for fields) with the count line and the column captions, which the
// window moves to the column edges, and the button bars (304, 305).
#include <array>
#include <span>

#include "resources/dialog_template.h"

namespace recaster::resources {
namespace {

constexpr std::array<ControlTemplate, 5> kDBListHeader{{
    {-1, ControlKind::Icon, "2", {4, 3, 20, 20}, kStyleNone},
    {246, ControlKind::Static, "<dbcount>", {30, 4, 200, 8}, kStyleNone},
    {132, ControlKind::Static, "Name", {2, 26, 50, 8}, kStyleNone},
    {130, ControlKind::Static, "Description", {56, 26, 90, 8}, kStyleNone},
    {154, ControlKind::Static, "Target Tomebase Workform", {150, 26, 120, 8}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 3> kDBListButtons{{
    {1001, ControlKind::PushButton, "&New...", {4, 4, 56, 14}, kStyleTabStop | kStyleGroup},
    {1002, ControlKind::PushButton, "D&elete...", {64, 4, 56, 14}, kStyleTabStop},
    {1004, ControlKind::DefaultPushButton, "&Modify...", {124, 4, 56, 14}, kStyleTabStop},
}};

constexpr std::array<ControlTemplate, 6> kFieldListHeader{{
    {-1, ControlKind::Icon, "2", {4, 3, 20, 20}, kStyleNone},
    {246, ControlKind::Static, "<fldcount>", {30, 4, 200, 8}, kStyleNone},
    {132, ControlKind::Static, "Tag", {2, 26, 30, 8}, kStyleNone},
    {130, ControlKind::Static, "Description", {36, 26, 60, 8}, kStyleNone},
    {133, ControlKind::Static, "Field Type", {100, 26, 60, 8}, kStyleNone},
    {154, ControlKind::Static, "Target Tomebase Field", {164, 26, 110, 8}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 4> kFieldListButtons{{
    {1001, ControlKind::PushButton, "&New Field...", {4, 4, 60, 14}, kStyleTabStop | kStyleGroup},
    {1002, ControlKind::PushButton, "&Delete...", {68, 4, 60, 14}, kStyleTabStop},
    {1003, ControlKind::PushButton, "Add &Subfield...", {132, 4, 60, 14}, kStyleTabStop},
    {1004, ControlKind::DefaultPushButton, "&Modify...", {196, 4, 60, 14}, kStyleTabStop},
}};

constexpr std::array<DialogTemplate, 4> kTemplates{{
    {303, "", 300, 36, {}, 8, kDBListHeader},
    {304, "", 300, 22, {}, 8, kDBListButtons},
    {305, "", 300, 22, {}, 8, kFieldListButtons},
    {306, "", 300, 36, {}, 8, kFieldListHeader},
}};

}  // namespace

extern const std::span<const DialogTemplate> kViewDialogs;
constinit const std::span<const DialogTemplate> kViewDialogs{kTemplates};

}  // namespace recaster::resources
