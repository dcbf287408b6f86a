// The main window's placement, kept between runs as the text value "Window
// Placement" of the settings section "Application Options":
//
//   flags,show,minX,minY,maxX,maxY,left,top,right,bottom
//
// ten decimal numbers separated by commas (flags and show unsigned, the rest
// signed 32-bit). Reading accepts blanks after the commas and treats anything
// else (fewer or more numbers, other characters, numbers out of range) as no
// stored placement.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/settings.h"

namespace recaster::app {

// Show commands.
enum : uint32_t { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };
// Flag: a minimised window restores to maximised.
inline constexpr uint32_t kRestoreToMaximized = 2;

struct WindowPlacement {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCommand = kShowNormal;
    int32_t minX = 0, minY = 0;
    int32_t maxX = 0, maxY = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

inline constexpr std::string_view kAppOptionsSection = "Application Options";
inline constexpr std::string_view kPlacementValue = "Window Placement";

// The program's own settings (company "Marrowfield", application "Recaster II").
SettingsKeyHelper AppSettings();

// The stored text of a placement (no blanks).
std::string FormatPlacement(const WindowPlacement& placement);
// A stored text back as a placement ready to apply: length 44, flags 0, and a
// minimised show command turned into maximised (flag kRestoreToMaximized) or
// normal. Nothing when the text is not exactly ten numbers.
std::optional<WindowPlacement> ParsePlacement(std::string_view text);

// Raises FileError when the settings file cannot be written.
void WritePlacement(const SettingsKeyHelper& settings, std::string_view section,
                    const WindowPlacement& placement);
std::optional<WindowPlacement> ReadPlacement(const SettingsKeyHelper& settings,
                                             std::string_view section);

}  // namespace recaster::app
