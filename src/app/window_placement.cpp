// Writing and reading the main window's placement text.
#include "app/window_placement.h"

#include <array>
#include <limits>

namespace recaster::app {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

// One number at the front of `text` (blanks before it allowed), consumed.
std::optional<int64_t> TakeNumber(std::string_view& text, bool isUnsigned) {
    SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    int64_t value = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        value = value * 10 + (text.front() - '0');
        if (value > int64_t{std::numeric_limits<uint32_t>::max()}) return std::nullopt;
        text.remove_prefix(1);
    }
    if (negative) value = -value;
    if (isUnsigned) {
        if (value < 0) return std::nullopt;
    } else if (value < std::numeric_limits<int32_t>::min() ||
               value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SettingsKeyHelper AppSettings() {
    return SettingsKeyHelper("Marrowfield", "Recaster II");
}

std::string FormatPlacement(const WindowPlacement& p) {
    std::string out = std::to_string(p.flags) + "," + std::to_string(p.showCommand);
    for (int32_t v : {p.minX, p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom}) {
        out += "," + std::to_string(v);
    }
    return out;
}

std::optional<WindowPlacement> ParsePlacement(std::string_view text) {
    std::array<int64_t, 10> n{};
    for (size_t i = 0; i < n.size(); ++i) {
        if (i > 0) {
            if (text.empty() || text.front() != ',') return std::nullopt;
            text.remove_prefix(1);
        }
        std::optional<int64_t> v = TakeNumber(text, i < 2);
        if (!v) return std::nullopt;
        n[i] = *v;
    }
    SkipBlanks(text);
    if (!text.empty()) return std::nullopt;

    WindowPlacement p;
    p.length = 44;
    auto flags = static_cast<uint32_t>(n[0]);
    p.showCommand = static_cast<uint32_t>(n[1]);
    p.minX = static_cast<int32_t>(n[2]);
    p.minY = static_cast<int32_t>(n[3]);
    p.maxX = static_cast<int32_t>(n[4]);
    p.maxY = static_cast<int32_t>(n[5]);
    p.left = static_cast<int32_t>(n[6]);
    p.top = static_cast<int32_t>(n[7]);
    p.right = static_cast<int32_t>(n[8]);
    p.bottom = static_cast<int32_t>(n[9]);
    // Never start minimised: come back the way the window was before.
    if (p.showCommand == kShowMinimized) {
        p.showCommand = (flags & kRestoreToMaximized) ? kShowMaximized : kShowNormal;
    }
    p.flags = 0;
    return p;
}

void WritePlacement(const SettingsKeyHelper& settings, std::string_view section,
                    const WindowPlacement& placement) {
    settings.WriteText(section, kPlacementValue, FormatPlacement(placement));
}

std::optional<WindowPlacement> ReadPlacement(const SettingsKeyHelper& settings,
                                             std::string_view section) {
    std::string text = settings.ReadText(section, kPlacementValue);
    if (text.empty()) return std::nullopt;
    return ParsePlacement(text);
}

}  // namespace recaster::app
