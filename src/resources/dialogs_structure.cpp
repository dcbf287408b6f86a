// Templates of the download file structure dialogs: Database Identification
// (309) with one identifier (317), Record Identification (310), Field
// Identification (311), and Ignored Lines (312) with one line format (318).
// The list dialogs share the buttons of every list-editing dialog: New
// (1001), Delete (1002), Modify (1004), Help (9) and Done (1).
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
constexpr uint32_t kList = kStyleTabStop | kStyleVScroll | kStyleNotify;

constexpr std::array<ControlTemplate, 13> kDatabaseIdent{{
    {-1, ControlKind::Static, "Database Identifiers:", {7, 7, 120, 8}, kStyleNone},
    {-1, ControlKind::Static, "Prefixes:", {9, 19, 60, 8}, kStyleNone},
    {249, ControlKind::Static, "Suffixes:", {100, 19, 60, 8}, kStyleNone},
    {163, ControlKind::OwnerDrawnList, "", {7, 29, 190, 84}, kList | kStyleGroup},
    {-1,
     ControlKind::Static,
     "If no database identifier found, use:",
     {205, 7, 118, 20},
     kStyleNone},
    {247, ControlKind::ListBox, "", {205, 29, 118, 84}, kList},
    {-1,
     ControlKind::Static,
     "* = Any character(s)    # = Any Number    (Use \\ to precede literal * or #)",
     {7, 116, 316, 8},
     kStyleNone},
    {1001, ControlKind::PushButton, "&New...", {7, 129, 50, 14}, kFirst},
    {1002, ControlKind::PushButton, "D&elete...", {61, 129, 50, 14}, kTab},
    {1004, ControlKind::PushButton, "&Modify...", {115, 129, 50, 14}, kTab},
    {kHelp, ControlKind::PushButton, "&Help", {219, 129, 50, 14}, kTab},
    {kOk, ControlKind::DefaultPushButton, "&Done", {273, 129, 50, 14}, kTab},
    {-1, ControlKind::HorizontalLine, "", {7, 124, 316, 1}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 12> kRecordIdent{{
    {-1, ControlKind::Static, "&Header Format:", {7, 9, 60, 8}, kStyleNone},
    {164, ControlKind::Edit, "", {70, 7, 183, 12}, kFirst},
    {-1, ControlKind::GroupBox, "Record Ends With", {7, 26, 246, 58}, kStyleNone},
    {165, ControlKind::CheckBox, "&Blank Line", {15, 39, 60, 10}, kFirst},
    {231, ControlKind::RadioButton, "One Blank Line", {85, 39, 110, 10}, kFirst},
    {213, ControlKind::RadioButton, "Two or More Blank Lines", {85, 51, 110, 10}, kTab},
    {166, ControlKind::CheckBox, "&String:", {15, 67, 40, 10}, kFirst},
    {167, ControlKind::Edit, "", {58, 66, 187, 12}, kTab},
    {kOk, ControlKind::DefaultPushButton, "OK", {149, 112, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {203, 112, 50, 14}, kTab},
    {-1,
     ControlKind::Static,
     "* = Any character(s)    # = Any Number",
     {7, 90, 200, 8},
     kStyleNone},
    {-1, ControlKind::Static, "(Use \\ to precede literal * or #)", {7, 99, 200, 8}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 25> kFieldIdent{{
    {-1, ControlKind::Static, "Tag &Format:", {7, 9, 62, 8}, kStyleNone},
    {168, ControlKind::Edit, "", {72, 7, 110, 12}, kFirst},
    {-1, ControlKind::GroupBox, "Tag Length", {7, 24, 175, 28}, kStyleNone},
    {169, ControlKind::RadioButton, "&Variable", {15, 36, 50, 10}, kFirst},
    {170, ControlKind::RadioButton, "F&ixed", {70, 36, 40, 10}, kTab},
    {171, ControlKind::Edit, "", {112, 35, 30, 12}, kFirst},
    {172, ControlKind::CheckBox, "C&R Follows Tag", {7, 58, 110, 10}, kFirst},
    {252, ControlKind::CheckBox, "Fixed &Width Tag Area:", {7, 72, 100, 10}, kTab},
    {173, ControlKind::Edit, "", {112, 71, 30, 12}, kTab},
    {-1, ControlKind::Static, "&Terminator:", {7, 90, 70, 8}, kStyleNone},
    {167, ControlKind::Edit, "", {82, 88, 100, 12}, kTab},
    {-1, ControlKind::Static, "&Empty String:", {7, 106, 70, 8}, kStyleNone},
    {174, ControlKind::Edit, "", {82, 104, 100, 12}, kTab},
    {-1, ControlKind::Static, "&Line Continuation:", {7, 122, 72, 8}, kStyleNone},
    {175, ControlKind::DropDownList, "", {82, 120, 100, 60}, kTab | kStyleVScroll},
    {-1, ControlKind::Static, "&Case Conversion:", {7, 138, 72, 8}, kStyleNone},
    {176, ControlKind::DropDownList, "", {82, 136, 100, 70}, kTab | kStyleVScroll},
    {1004, ControlKind::CheckBox, "&Process MARC subfields", {7, 156, 110, 10}, kTab},
    {-1, ControlKind::Static, "&Subfield Indicator:", {122, 157, 72, 8}, kStyleNone},
    {1005, ControlKind::Edit, "", {196, 155, 20, 12}, kTab},
    {kOk, ControlKind::DefaultPushButton, "OK", {179, 176, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {233, 176, 50, 14}, kTab},
    {-1, ControlKind::Static, "* = Any character(s)", {192, 24, 95, 8}, kStyleNone},
    {-1, ControlKind::Static, "$ = Tag Position", {192, 34, 95, 8}, kStyleNone},
    {-1, ControlKind::Static, "(Use \\ to precede literal * or #)", {192, 44, 92, 16}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 9> kIgnoredLines{{
    {-1, ControlKind::Static, "Ignored Line Formats:", {7, 7, 120, 8}, kStyleNone},
    {163, ControlKind::OwnerDrawnList, "", {7, 18, 246, 95}, kList | kStyleGroup},
    {-1,
     ControlKind::Static,
     "* = Any character(s)    (Use \\ to precede literal *)",
     {7, 116, 246, 8},
     kStyleNone},
    {1001, ControlKind::PushButton, "&New...", {7, 129, 50, 14}, kFirst},
    {1002, ControlKind::PushButton, "D&elete...", {61, 129, 50, 14}, kTab},
    {1004, ControlKind::PushButton, "&Modify...", {115, 129, 50, 14}, kTab},
    {kHelp, ControlKind::PushButton, "&Help", {149, 129, 50, 14}, kTab},
    {kOk, ControlKind::DefaultPushButton, "&Done", {203, 129, 50, 14}, kTab},
    {-1, ControlKind::HorizontalLine, "", {7, 124, 246, 1}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 9> kDatabaseIdentInfo{{
    {-1, ControlKind::Static, "&Prefix:", {7, 9, 35, 8}, kStyleNone},
    {159, ControlKind::Edit, "", {45, 7, 140, 12}, kFirst},
    {-1, ControlKind::Static, "&Suffix:", {7, 27, 35, 8}, kStyleNone},
    {160, ControlKind::Edit, "", {45, 25, 140, 12}, kTab},
    {kOk, ControlKind::DefaultPushButton, "OK", {193, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {193, 24, 50, 14}, kTab},
    {-1, ControlKind::Static, "* = Any character(s)", {7, 46, 120, 8}, kStyleNone},
    {-1, ControlKind::Static, "# = Any Number", {7, 55, 120, 8}, kStyleNone},
    {-1, ControlKind::Static, "(Use \\ to precede literal * or #)", {7, 64, 178, 8}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 6> kIgnoredLine{{
    {-1, ControlKind::Static, "&Line Format:", {7, 9, 50, 8}, kStyleNone},
    {207, ControlKind::Edit, "", {60, 7, 125, 12}, kFirst},
    {kOk, ControlKind::DefaultPushButton, "OK", {193, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {193, 24, 50, 14}, kTab},
    {-1, ControlKind::Static, "* = Any character(s)", {7, 28, 120, 8}, kStyleNone},
    {-1, ControlKind::Static, "(Use \\ to precede literal *)", {7, 37, 178, 8}, kStyleNone},
}};

constexpr std::array<DialogTemplate, 6> kTemplates{{
    {309, "Database Identification", 330, 150, {}, 8, kDatabaseIdent},
    {310, "Record Identification", 260, 133, {}, 8, kRecordIdent},
    {311, "Field Identification", 290, 197, {}, 8, kFieldIdent},
    {312, "Ignored Lines", 260, 150, {}, 8, kIgnoredLines},
    {317, "Database Identification Info", 250, 80, {}, 8, kDatabaseIdentInfo},
    {318, "Ignored Line Format String", 250, 55, {}, 8, kIgnoredLine},
}};

}  // namespace

extern const std::span<const DialogTemplate> kStructureDialogs;
constinit const std::span<const DialogTemplate> kStructureDialogs{kTemplates};

}  // namespace recaster::resources
