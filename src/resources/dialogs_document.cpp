// Templates of the configuration document and the application shell: the
// About box (100), the General page of File Information (121) and the
// progress dialog (6550).
#include <array>
#include <span>

#include "resources/dialog_template.h"

namespace recaster::resources {
namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// The About box's version line: the dialog fills in the build's version.
constexpr int kAboutVersion = 1000;

constexpr std::array<ControlTemplate, 4> kAbout{{
    {-1, ControlKind::Icon, "2", {11, 17, 20, 20}, kStyleNone},
    {-1, ControlKind::Static, "Recaster II for Linux", {40, 10, 119, 8}, kStyleNone},
    {kAboutVersion, ControlKind::Static, "Version", {40, 25, 119, 8}, kStyleNone},
    {kOk, ControlKind::DefaultPushButton, "OK", {176, 6, 32, 14}, kStyleTabStop | kStyleGroup},
}};

constexpr std::array<ControlTemplate, 6> kGeneralPage{{
    {-1, ControlKind::Static, "File Name:", {7, 10, 50, 8}, kStyleNone},
    {146, ControlKind::Static, "", {60, 10, 180, 8}, kStyleFileName},
    {-1, ControlKind::Static, "Directory:", {7, 24, 50, 8}, kStyleNone},
    {147, ControlKind::Static, "", {60, 24, 180, 16}, kStyleFileName},
    {-1, ControlKind::Static, "&Comments", {7, 46, 60, 8}, kStyleNone},
    {158,
     ControlKind::MultiLineEdit,
     "",
     {7, 57, 233, 90},
     kStyleTabStop | kStyleGroup | kStyleVScroll | kStyleWantReturn},
}};

constexpr std::array<ControlTemplate, 2> kProgress{{
    {2354, ControlKind::ProgressBar, "", {7, 8, 130, 12}, kStyleNone},
    {kCancel, ControlKind::DefaultPushButton, "Stop", {145, 7, 40, 14}, kStyleTabStop},
}};

constexpr std::array<DialogTemplate, 3> kTemplates{{
    {100, "About Recaster II", 217, 55, {}, 8, kAbout},
    {121, "General", 247, 154, {}, 8, kGeneralPage},
    // Untitled: the dialog takes its caption from the string table.
    {6550, "", 192, 28, {}, 8, kProgress},
}};

}  // namespace

extern const std::span<const DialogTemplate> kDocumentDialogs;
constinit const std::span<const DialogTemplate> kDocumentDialogs{kTemplates};

}  // namespace recaster::resources
