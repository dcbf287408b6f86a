// Templates of the database dialogs: Database Information (307), Document
// Types (308) with one document type (319), and the author format (313,
// titled from the string table with the database's name).
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

constexpr std::array<ControlTemplate, 8> kDatabaseInfo{{
    {-1, ControlKind::Static, "&Name:", {7, 9, 50, 8}, kStyleNone},
    {157, ControlKind::Edit, "", {60, 7, 135, 12}, kFirst | kStyleUppercase},
    {-1, ControlKind::Static, "&Description:", {7, 27, 50, 8}, kStyleNone},
    {158, ControlKind::Edit, "", {60, 25, 135, 12}, kTab},
    {-1, ControlKind::Static, "Workform:", {7, 45, 50, 8}, kStyleNone},
    {159, ControlKind::DropDownList, "", {60, 43, 135, 100}, kTab | kStyleSort | kStyleVScroll},
    {kOk, ControlKind::DefaultPushButton, "OK", {203, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {203, 24, 50, 14}, kTab},
}};

// The workform caption (1501) is moved over the workform column, which
// starts a fixed number of pixels into each row.
constexpr std::array<ControlTemplate, 9> kDocumentTypes{{
    {-1, ControlKind::Static, "Document Type", {9, 7, 100, 8}, kStyleNone},
    {1501, ControlKind::Static, "Tomebase Workform", {160, 7, 120, 8}, kStyleNone},
    {163, ControlKind::OwnerDrawnList, "", {7, 18, 316, 95}, kFirst | kStyleVScroll | kStyleNotify},
    {1001, ControlKind::PushButton, "&New...", {7, 122, 50, 14}, kFirst},
    {1002, ControlKind::PushButton, "D&elete...", {61, 122, 50, 14}, kTab},
    {1004, ControlKind::PushButton, "&Modify...", {115, 122, 50, 14}, kTab},
    {kHelp, ControlKind::PushButton, "&Help", {219, 122, 50, 14}, kTab},
    {kOk, ControlKind::DefaultPushButton, "&Done", {273, 122, 50, 14}, kTab},
    {-1, ControlKind::HorizontalLine, "", {7, 117, 316, 1}, kStyleNone},
}};

constexpr std::array<ControlTemplate, 6> kDocumentType{{
    {-1, ControlKind::Static, "For &document type:", {7, 9, 85, 8}, kStyleNone},
    {208, ControlKind::Edit, "", {95, 7, 100, 12}, kFirst},
    {-1, ControlKind::Static, "Use &Tomebase Workform:", {7, 27, 85, 8}, kStyleNone},
    {159, ControlKind::DropDownList, "", {95, 25, 100, 100}, kTab | kStyleSort | kStyleVScroll},
    {kOk, ControlKind::DefaultPushButton, "OK", {203, 7, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {203, 24, 50, 14}, kTab},
}};

constexpr std::array<ControlTemplate, 16> kAuthorFormat{{
    {176, ControlKind::CheckBox, "Use &Default Database's Format", {7, 7, 160, 10}, kFirst},
    {235, ControlKind::Static, "Author names are written as:", {7, 23, 160, 8}, kStyleNone},
    {237, ControlKind::GroupBox, "", {7, 31, 236, 62}, kStyleNone},
    {177, ControlKind::RadioButton, "&Smith, Joseph S.", {15, 42, 100, 10}, kFirst},
    {178, ControlKind::RadioButton, "S&mith, J. S.", {15, 54, 100, 10}, kTab},
    {179, ControlKind::RadioButton, "Sm&ith, JS", {15, 66, 100, 10}, kTab},
    {180, ControlKind::RadioButton, "Smi&th, J S", {15, 78, 100, 10}, kTab},
    {181, ControlKind::RadioButton, "Smith J&oseph S.", {125, 42, 100, 10}, kTab},
    {182, ControlKind::RadioButton, "Smith J&. S.", {125, 54, 100, 10}, kTab},
    {183, ControlKind::RadioButton, "Smit&h JS", {125, 66, 100, 10}, kTab},
    {184, ControlKind::RadioButton, "Smith &J S", {125, 78, 100, 10}, kTab},
    {185, ControlKind::CheckBox, "S&paces are represented by hyphens", {7, 99, 170, 10}, kFirst},
    {236, ControlKind::Static, "&Authors are separated by:", {7, 117, 95, 8}, kStyleNone},
    {186, ControlKind::Edit, "", {105, 115, 40, 12}, kTab},
    {kOk, ControlKind::DefaultPushButton, "OK", {139, 134, 50, 14}, kFirst},
    {kCancel, ControlKind::PushButton, "Cancel", {193, 134, 50, 14}, kTab},
}};

constexpr std::array<DialogTemplate, 4> kTemplates{{
    {307, "Database Information", 260, 62, {}, 8, kDatabaseInfo},
    {308, "Document Types", 330, 143, {}, 8, kDocumentTypes},
    // Titled by the dialog: "Author Format for DB '<name>'".
    {313, "Author Format", 250, 155, {}, 8, kAuthorFormat},
    {319, "Edit Document Type", 260, 44, {}, 8, kDocumentType},
}};

}  // namespace

extern const std::span<const DialogTemplate> kDatabaseDialogs;
constinit const std::span<const DialogTemplate> kDatabaseDialogs{kTemplates};

}  // namespace recaster::resources
