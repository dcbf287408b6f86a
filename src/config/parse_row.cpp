// Parse component rows and per-document-type formats (layouts in parse_row.h).
// A format is u32 use default, then its seven 74-byte rows.
#include "config/parse_row.h"

#include <algorithm>
#include <cstring>

#include "config/enums.h"

namespace recaster::config {
namespace {

std::string TextOf(const std::array<uint8_t, kParseTextBytes>& field) {
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    return std::string(field.begin(), end);
}

// Keeps room for the terminating NUL.
void SetText(std::array<uint8_t, kParseTextBytes>& field, const std::string& text) {
    field.fill(0);
    const size_t n = std::min(text.size(), kParseTextBytes - 1);
    std::memcpy(field.data(), text.data(), n);
}

}  // namespace

std::string ParseComponentRow::PrecededBy() const {
    return TextOf(precededBy);
}
std::string ParseComponentRow::FollowedBy() const {
    return TextOf(followedBy);
}
void ParseComponentRow::SetPrecededBy(const std::string& text) {
    SetText(precededBy, text);
}
void ParseComponentRow::SetFollowedBy(const std::string& text) {
    SetText(followedBy, text);
}

void ParseComponentRow::Write(Archive& ar) const {
    ar.WriteU8(component);
    ar.WriteU8(optional);
    ar.WriteBytes(precededBy);
    ar.WriteBytes(followedBy);
}

void ParseComponentRow::Read(Archive& ar) {
    ar.Require(kParseRowBytes, "parse component row");
    component = ar.ReadU8();
    optional = ar.ReadU8();
    ar.ReadBytes(precededBy);
    ar.ReadBytes(followedBy);
}

CCfgParseFormat::CCfgParseFormat() {
    for (auto& row : rows) row.component = kRowNotUsed;
}

void CCfgParseFormat::Write(Archive& ar) const {
    ar.WriteU32(useDefault);
    for (const auto& row : rows) row.Write(ar);
}

void CCfgParseFormat::Read(Archive& ar) {
    useDefault = ar.ReadU32();
    for (auto& row : rows) row.Read(ar);
}

}  // namespace recaster::config
