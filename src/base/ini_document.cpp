// Parsing and editing of settings (INI) text, line by line.
#include "base/ini_document.h"

namespace recaster {
namespace {

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 0x20);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 0x20);
        if (x != y) return false;
    }
    return true;
}

// What one line is. `name` is the section or key name, `value` the raw value.
struct Parsed {
    enum Kind { Other, Section, Value } kind = Other;
    std::string_view name;
    std::string_view value;
};

Parsed Parse(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return {};
    if (t[0] == '[') {
        const size_t close = t.find(']');
        if (close == std::string_view::npos) return {};
        return {Parsed::Section, Trim(t.substr(1, close - 1)), {}};
    }
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return {};
    std::string_view value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return {Parsed::Value, Trim(t.substr(0, eq)), value};
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string ValueLine(std::string_view key, std::string_view value) {
    const bool quote =
        !value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                           value.back() == '\t' || value.front() == '"');
    std::string line(key);
    line += '=';
    if (quote) line += '"';
    line += value;
    if (quote) line += '"';
    return line;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const std::string& line : lines_) {
        const Parsed p = Parse(line);
        if (p.kind == Parsed::Section) {
            inSection = EqualsAsciiNoCase(p.name, section);
        } else if (inSection && p.kind == Parsed::Value && EqualsAsciiNoCase(p.name, key)) {
            return std::string(p.value);
        }
    }
    return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (Trim(section).empty() || Trim(key).empty() || HasLineBreakOrNul(section) ||
        HasLineBreakOrNul(key) || HasLineBreakOrNul(value) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
        return false;
    }
    const char first = Trim(key)[0];
    if (first == '[' || first == ';' || first == '#') return false;

    const std::string newLine = ValueLine(key, value);
    bool inSection = false;
    bool inFirstSection = false;
    bool sectionFound = false;
    size_t insertAt = 0;  // after the last non-blank line of the first matching section
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Parsed p = Parse(lines_[i]);
        if (p.kind == Parsed::Section) {
            inSection = EqualsAsciiNoCase(p.name, section);
            inFirstSection = inSection && !sectionFound;
            if (inFirstSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (p.kind == Parsed::Value && EqualsAsciiNoCase(p.name, key)) {
            lines_[i] = newLine;
            return true;
        }
        if (inFirstSection && !Trim(lines_[i]).empty()) insertAt = i + 1;
    }
    if (sectionFound) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
        return true;
    }
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // "[" + std::string(...).
    std::string header(1, '[');
    header += section;
    header += ']';
    lines_.push_back(std::move(header));
    lines_.push_back(newLine);
    return true;
}

std::string IniDocument::Text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace recaster
