// Rows of a parsed-field format (74 bytes each) and the per-document-type
// format of a field.
//
//   offset size field
//   0      1    kind (database format) or target field number (field format)
//   1      1    optional flag
//   2      36   preceded-by text, NUL-terminated within the field
//   38     36   followed-by text, NUL-terminated within the field
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/archive.h"

namespace recaster::config {

inline constexpr size_t kParseRows = 7;
inline constexpr size_t kParseTextBytes = 36;
inline constexpr size_t kParseRowBytes = 74;

struct ParseComponentRow {
    uint8_t component = 0;
    uint8_t optional = 0;
    std::array<uint8_t, kParseTextBytes> precededBy{};
    std::array<uint8_t, kParseTextBytes> followedBy{};

    // The texts up to their NUL (or the field's end).
    std::string PrecededBy() const;
    std::string FollowedBy() const;
    // Sets a text, cut to 35 characters; the rest of the field is zeroed.
    void SetPrecededBy(const std::string& text);
    void SetFollowedBy(const std::string& text);

    void Write(Archive& ar) const;
    void Read(Archive& ar);
    friend bool operator==(const ParseComponentRow&, const ParseComponentRow&) = default;
};

// A field's format for one document type.
struct CCfgParseFormat {
    CCfgParseFormat();  // use default 1, every row's component 254, the rest 0
    uint32_t useDefault = 1;
    std::array<ParseComponentRow, kParseRows> rows;

    void Write(Archive& ar) const;
    void Read(Archive& ar);
    friend bool operator==(const CCfgParseFormat&, const CCfgParseFormat&) = default;
};

}  // namespace recaster::config
