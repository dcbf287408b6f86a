// The pattern syntax of record headers, record end strings, tag formats,
// database identifiers and ignored lines, and its checks. In a pattern "*"
// stands for any characters, "#" for any number, "$" for the field tag (tag
// formats only), and "\" makes the next special character literal; every
// other character, spaces included, stands for itself. The importer matches
// the patterns; the editor only checks how they are written.
#pragma once

#include <optional>
#include <string_view>

namespace recaster::config {

// The special characters that may not appear twice in a row, per pattern.
inline constexpr std::string_view kRecordPatternSpecials = "*# ";  // headers, end strings
inline constexpr std::string_view kIdentifierSpecials = "*# ";     // database prefix, suffix
inline constexpr std::string_view kIgnoredLineSpecials = "* ";

// The longest tag format, field terminator and empty field filler.
inline constexpr size_t kMaxTagFormatLength = 64;

// The first character of `specials` that stands twice in a row in `pattern`,
// not escaped by a backslash before the first of the two; nothing when there
// is none. The last character is never the first of a pair.
std::optional<char> DoubledCharacter(std::string_view pattern, std::string_view specials);

// The specials of a tag format: "*", and a space too when the CR follows the
// tag or something other than spaces follows the tag position "$" (spaces
// then separate the tag from text and must stay single).
std::string_view TagFormatSpecials(std::string_view tagFormat, bool crFollowsTag);

enum class TagFormatProblem {
    None,
    TooLong,            // more than kMaxTagFormatLength characters
    Empty,              // nothing at all
    SecondTagPosition,  // two unescaped "$"
    NoTagPosition,      // no unescaped "$"
    DoubledCharacter,   // see DoubledCharacter(); `doubled` names it
};

struct TagFormatCheckResult {
    TagFormatProblem problem = TagFormatProblem::None;
    char doubled = 0;
    bool ok() const { return problem == TagFormatProblem::None; }
};

// The checks of a tag format, in the order in which they are reported.
TagFormatCheckResult CheckTagFormat(std::string_view tagFormat, bool crFollowsTag);

}  // namespace recaster::config
