// Checks of the pattern syntax.
#include "config/pattern_checks.h"

namespace recaster::config {

namespace {

bool EscapedAt(std::string_view text, size_t i) {
    return i > 0 && text[i - 1] == '\\';
}

}  // namespace

std::optional<char> DoubledCharacter(std::string_view pattern, std::string_view specials) {
    for (size_t i = 0; i + 1 < pattern.size(); ++i) {
        const char c = pattern[i];
        if (specials.find(c) == std::string_view::npos) continue;
        if (EscapedAt(pattern, i)) continue;
        if (pattern[i + 1] == c) return c;
    }
    return std::nullopt;
}

std::string_view TagFormatSpecials(std::string_view tagFormat, bool crFollowsTag) {
    bool textAfterTag = false;
    for (size_t i = 0; i < tagFormat.size(); ++i) {
        if (tagFormat[i] != '$' || EscapedAt(tagFormat, i)) continue;
        textAfterTag = tagFormat.find_first_not_of(' ', i + 1) != std::string_view::npos;
        break;
    }
    return crFollowsTag || textAfterTag ? std::string_view("* ") : std::string_view("*");
}

TagFormatCheckResult CheckTagFormat(std::string_view tagFormat, bool crFollowsTag) {
    if (tagFormat.size() > kMaxTagFormatLength) return {TagFormatProblem::TooLong};
    if (tagFormat.empty()) return {TagFormatProblem::Empty};
    int positions = 0;
    for (size_t i = 0; i < tagFormat.size(); ++i) {
        if (tagFormat[i] == '$' && !EscapedAt(tagFormat, i)) ++positions;
    }
    if (positions > 1) return {TagFormatProblem::SecondTagPosition};
    if (positions == 0) return {TagFormatProblem::NoTagPosition};
    if (auto c = DoubledCharacter(tagFormat, TagFormatSpecials(tagFormat, crFollowsTag)))
        return {TagFormatProblem::DoubledCharacter, *c};
    return {};
}

}  // namespace recaster::config
