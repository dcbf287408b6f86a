// Templates of the field dialogs: Field Information (316) with its options
// pages, Target Fields (328) with one workform's target (329), and the parsed
// field format editor (314).
//
// The options pages (135 Normal Text, 321 Multi Text, 322 Parsed, 323
// Parsed with Subfields, 324 Document Type, 332 Author) are no dialogs of
// their own: Field Information makes their controls its own, placed relative
// to its hidden frame 226, and shows the page's title over them in frame 227.
// Page coordinates therefore start at 0, 0. A page may reuse an id of the
// dialog (1009 is a radio button of 316 and a check box of 135).
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
constexpr uint32_t kCombo = kStyleTabStop | kStyleVScroll;

// The options page goes into the tab order right after 203.
constexpr auto kFieldInfo = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "Field &Tag:", {7, 9, 66, 8}, kStyleNone},
    {157, ControlKind::Edit, "", {75, 7, 80, 12}, kFirst | kStyleUppercase},
    {-1, ControlKind::Static, "&Description:", {7, 25, 66, 8}, kStyleNone},
    {158, ControlKind::Edit, "", {75, 23, 221, 12}, kTab},
    {-1, ControlKind::Static, "&Tomebase Field:", {7, 41, 66, 8}, kStyleNone},
    {200, ControlKind::DropDownList, "", {75, 39, 221, 150}, kCombo},
    {206, ControlKind::PushButton, "Target &Fields...", {304, 39, 61, 14}, kTab},
    {-1, ControlKind::Static, "Field T&ype:", {7, 59, 66, 8}, kStyleNone},
    {201, ControlKind::DropDownList, "", {75, 57, 98, 110}, kCombo},
    {-1, ControlKind::Static, "&Case Conversion:", {7, 75, 66, 8}, kStyleNone},
    {202, ControlKind::DropDownList, "", {75, 73, 98, 90}, kCombo},
    {203, ControlKind::CheckBox, "Compress &Multiple Spaces", {7, 91, 120, 10}, kTab},
    {-1, ControlKind::Static, "&Begins With:", {7, 109, 66, 8}, kStyleNone},
    {159, ControlKind::Edit, "", {75, 107, 98, 12}, kTab},
    {-1, ControlKind::Static, "&Ends With:", {7, 125, 66, 8}, kStyleNone},
    {160, ControlKind::Edit, "", {75, 123, 98, 12}, kTab},
    {-1, ControlKind::Static, "&Space Character:", {7, 141, 66, 8}, kStyleNone},
    {161, ControlKind::Edit, "", {75, 139, 16, 12}, kTab},
    {-1,
     ControlKind::GroupBox,
     "If the target field has text already",
     {7, 156, 166, 60},
     kStyleNone},
    // Edit 1006 stands between radio buttons of one choice.
    {1007, ControlKind::RadioButton, "Automat&ic", {13, 168, 100, 10}, kFirst},
    {1008, ControlKind::RadioButton, "Te&xt:", {13, 183, 33, 10}, kTab},
    {1006, ControlKind::Edit, "", {48, 182, 119, 12}, kTab},
    {1009, ControlKind::RadioButton, "Re&place existing field", {13, 199, 120, 10}, kTab},
    {227, ControlKind::GroupBox, "", {180, 57, 185, 159}, kStyleNone},
    {226, ControlKind::Static, "", {187, 69, 172, 140}, kStyleHidden},
    {kOk, ControlKind::DefaultPushButton, "OK", {304, 6, 61, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {304, 22, 61, 14}, kTab},
});

constexpr auto kNormalTextPage = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "Replace Carriage Return with:", {0, 0, 170, 8}, kStyleNone},
    {251, ControlKind::RadioButton, "Sp&ace", {6, 11, 60, 10}, kFirst},
    {257, ControlKind::RadioButton, "New &Line", {6, 23, 60, 10}, kTab},
    {252, ControlKind::RadioButton, "C&haracter:", {6, 35, 50, 10}, kTab},
    {253, ControlKind::Edit, "", {58, 34, 30, 12}, kTab},
    {-1, ControlKind::Static, "Carriage Return represented by:", {0, 52, 170, 8}, kStyleNone},
    {254, ControlKind::RadioButton, "Carriage Return (&Normal)", {6, 63, 110, 10}, kFirst},
    {255, ControlKind::RadioButton, "Cha&racter:", {6, 75, 50, 10}, kTab},
    {256, ControlKind::Edit, "", {58, 74, 30, 12}, kTab},
    {1009, ControlKind::CheckBox, "Replace &matching text:", {0, 94, 110, 10}, kFirst},
    {-1, ControlKind::Static, "&Find:", {10, 109, 34, 8}, kStyleNone},
    {1010, ControlKind::Edit, "", {46, 107, 125, 12}, kTab},
    {-1, ControlKind::Static, "&Replace:", {10, 125, 34, 8}, kStyleNone},
    {1012, ControlKind::Edit, "", {46, 123, 125, 12}, kTab},
});

constexpr auto kMultiTextPage = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "C&omponents separated by:", {0, 2, 95, 8}, kStyleNone},
    {241, ControlKind::Edit, "", {98, 0, 40, 12}, kFirst},
    {1013, ControlKind::CheckBox, "Replace &matching text:", {0, 22, 110, 10}, kFirst},
    {-1, ControlKind::Static, "&Find:", {10, 37, 34, 8}, kStyleNone},
    {1014, ControlKind::Edit, "", {46, 35, 125, 12}, kTab},
    {-1, ControlKind::Static, "&Replace:", {10, 53, 34, 8}, kStyleNone},
    {1015, ControlKind::Edit, "", {46, 51, 125, 12}, kTab},
});

constexpr auto kParsedPage = std::to_array<ControlTemplate>({
    {-1,
     ControlKind::Static,
     "Which part of the field goes to which target field, for each document type:",
     {0, 0, 170, 16},
     kStyleNone},
    {1000, ControlKind::PushButton, "E&dit Format", {0, 22, 60, 14}, kFirst},
});

constexpr auto kSubfieldsPage = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "S&ubfield Tags begin with:", {0, 2, 95, 8}, kStyleNone},
    {271, ControlKind::Edit, "", {98, 0, 60, 12}, kFirst},
    {-1, ControlKind::Static, "and are fo&llowed by:", {0, 18, 95, 8}, kStyleNone},
    {272, ControlKind::Edit, "", {98, 16, 60, 12}, kTab},
});

constexpr auto kDocumentTypePage = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "D&ocument Types separated by:", {0, 2, 105, 8}, kStyleNone},
    {231, ControlKind::Edit, "", {108, 0, 40, 12}, kFirst},
});

constexpr auto kAuthorPage = std::to_array<ControlTemplate>({
    {281, ControlKind::CheckBox, "Corporate &Author", {0, 0, 100, 10}, kFirst},
});

// The target column caption (1501) is moved over the target column, which
// starts a fixed number of pixels into each row. It comes before the list's
// own label so that the label's mnemonic reaches the list.
constexpr auto kTargetFields = std::to_array<ControlTemplate>({
    {1501, ControlKind::Static, "Use Tomebase field:", {160, 7, 160, 8}, kStyleNone},
    {-1, ControlKind::Static, "&When using workform:", {9, 7, 140, 8}, kStyleNone},
    {163, ControlKind::OwnerDrawnList, "", {7, 18, 316, 95}, kFirst | kStyleVScroll | kStyleNotify},
    {-1, ControlKind::HorizontalLine, "", {7, 117, 316, 1}, kStyleNone},
    {1004, ControlKind::PushButton, "&Modify...", {165, 122, 50, 14}, kFirst},
    {kHelp, ControlKind::PushButton, "&Help", {219, 122, 50, 14}, kTab},
    {kOk, ControlKind::DefaultPushButton, "&Done", {273, 122, 50, 14}, kTab},
});

constexpr auto kTargetField = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "Workform:", {7, 9, 40, 8}, kStyleNone},
    {159, ControlKind::Static, "", {50, 9, 135, 8}, kStyleNone},
    {231, ControlKind::RadioButton, "Use &default target field", {7, 26, 150, 10}, kFirst},
    {213, ControlKind::RadioButton, "Use &alternate target field:", {7, 40, 150, 10}, kTab},
    {200, ControlKind::DropDownList, "", {19, 53, 166, 150}, kCombo},
    {kOk, ControlKind::DefaultPushButton, "OK", {193, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {193, 24, 50, 14}, kTab},
});

// Rows of the parsed field format editor: preceded-by edit 411 + r,
// component combo box 431 + r, followed-by edit 421 + r and "&Optional"
// 441 + r for r = 0..6, 16 units apart. Each column caption comes right
// before the first control of its column, so its mnemonic reaches it, and
// the tab order still runs row by row.
constexpr int kRowTop = 50;
constexpr int kRowStep = 16;

constexpr ControlTemplate PrecededBy(int r) {
    return {411 + r, ControlKind::Edit, "", {7, kRowTop + r * kRowStep, 100, 12}, kFirst};
}
constexpr ControlTemplate Component(int r) {
    return {
        431 + r, ControlKind::DropDownList, "", {112, kRowTop + r * kRowStep, 120, 150}, kCombo};
}
constexpr ControlTemplate FollowedBy(int r) {
    return {421 + r, ControlKind::Edit, "", {237, kRowTop + r * kRowStep, 100, 12}, kTab};
}
constexpr ControlTemplate Optional(int r) {
    return {441 + r,
            ControlKind::CheckBox,
            "&Optional",
            {343, kRowTop + 1 + r * kRowStep, 50, 10},
            kTab};
}

constexpr auto kParsedFormat = std::to_array<ControlTemplate>({
    {-1, ControlKind::Static, "Document Type:", {7, 9, 62, 8}, kStyleNone},
    {1001, ControlKind::DropDownList, "", {72, 7, 122, 100}, kFirst | kStyleVScroll},
    {-1, ControlKind::Static, "Workform:", {200, 9, 40, 8}, kStyleNone},
    {1003, ControlKind::Static, "", {242, 9, 150, 8}, kStyleNone},
    {1002, ControlKind::CheckBox, "&Use default format", {7, 25, 120, 10}, kFirst},
    {235, ControlKind::Static, "&Preceded By", {7, 40, 100, 8}, kStyleNone},
    PrecededBy(0),
    {236, ControlKind::Static, "&Component", {112, 40, 120, 8}, kStyleNone},
    Component(0),
    {237, ControlKind::Static, "&Followed By", {237, 40, 100, 8}, kStyleNone},
    FollowedBy(0),
    Optional(0),
    PrecededBy(1),
    Component(1),
    FollowedBy(1),
    Optional(1),
    PrecededBy(2),
    Component(2),
    FollowedBy(2),
    Optional(2),
    PrecededBy(3),
    Component(3),
    FollowedBy(3),
    Optional(3),
    PrecededBy(4),
    Component(4),
    FollowedBy(4),
    Optional(4),
    PrecededBy(5),
    Component(5),
    FollowedBy(5),
    Optional(5),
    PrecededBy(6),
    Component(6),
    FollowedBy(6),
    Optional(6),
    {-1,
     ControlKind::Static,
     "'*' = Any Character(s) (Preceding Text Only)",
     {7, 164, 250, 8},
     kStyleNone},
    {238, ControlKind::Static, "Example:", {7, 177, 60, 8}, kStyleNone},
    {194,
     ControlKind::MultiLineEdit,
     "",
     {7, 187, 386, 28},
     kStyleReadOnly | kStyleDisabled | kStyleVScroll},
    {-1, ControlKind::HorizontalLine, "", {7, 220, 386, 1}, kStyleNone},
    {kOk, ControlKind::DefaultPushButton, "OK", {235, 225, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {289, 225, 50, 14}, kTab},
    {kHelp, ControlKind::PushButton, "&Help", {343, 225, 50, 14}, kTab},
});

constexpr std::array<DialogTemplate, 10> kTemplates{{
    {316, "Field Information", 372, 223, {}, 8, kFieldInfo},
    {135, "Options -- Normal Text", 175, 140, {}, 8, kNormalTextPage},
    {321, "Options -- Multi-Text", 175, 140, {}, 8, kMultiTextPage},
    {322, "Parsed Field Format", 175, 140, {}, 8, kParsedPage},
    {323, "Options -- Subfields", 175, 140, {}, 8, kSubfieldsPage},
    {324, "Options -- Document Type", 175, 140, {}, 8, kDocumentTypePage},
    {332, "Options -- Author", 175, 140, {}, 8, kAuthorPage},
    {328, "Target Fields", 330, 143, {}, 8, kTargetFields},
    {329, "Edit Target Field", 250, 72, {}, 8, kTargetField},
    // Titled by the dialog with the field's tag in place of %s.
    {314, "Parsed Field Format for '%s'", 400, 246, {}, 8, kParsedFormat},
}};

}  // namespace

extern const std::span<const DialogTemplate> kFieldDialogs;
constinit const std::span<const DialogTemplate> kFieldDialogs{kTemplates};

}  // namespace recaster::resources
