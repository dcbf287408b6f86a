// Parse information record ('CAPI'), the same in records and clipboard data:
//
//   version 3: seven rows of 74 bytes (layout in parse_row.h), 518 bytes
//   version 2: five rows of 38 bytes, filling rows 0..4:
//     offset size item
//     0      1    component kind (5 meant "none" then)
//     1      1    optional flag
//     2      18   preceded-by text, NUL-terminated within the field
//     20     18   followed-by text, likewise
//   Rows 5 and 6 of a version-2 record keep their new-object values.
#include "config/auto_parse_info.h"

#include <algorithm>

#include "config/class_registration.h"

namespace recaster::config {
namespace {

constexpr size_t kOldRows = 5;
constexpr size_t kOldTextBytes = 18;
constexpr size_t kOldRowBytes = 2 + 2 * kOldTextBytes;

void ReadOldText(Archive& ar, std::array<uint8_t, kParseTextBytes>& field) {
    std::array<uint8_t, kOldTextBytes> old{};
    ar.ReadBytes(old);
    field.fill(0);
    std::copy(old.begin(), old.end(), field.begin());
}

}  // namespace

const RuntimeClass CCfgAutoParseInfo::kClass{"CCfgAutoParseInfo", 0,
                                             &CreateArchiveObject<CCfgAutoParseInfo>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgAutoParseInfo::kClass);
}

CCfgAutoParseInfo::CCfgAutoParseInfo() : CPersistentObject(FourCC("CAPI")) {
    for (size_t i = 0; i < rows.size(); ++i) rows[i].component = static_cast<uint8_t>(i);
}

void CCfgAutoParseInfo::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        for (const auto& row : rows) row.Write(ar);
    } else {
        ar.Require(kParseRows * kParseRowBytes, "parse information");
        for (auto& row : rows) row.Read(ar);
    }
}

void CCfgAutoParseInfo::PersistWrite(Archive& ar) {
    if (!ReadingVersion2(ar)) {
        Serialize(ar);
        return;
    }
    ar.Require(kOldRows * kOldRowBytes, "version-2 parse information");
    for (size_t i = 0; i < kOldRows; ++i) {
        rows[i].component = ar.ReadU8();
        rows[i].optional = ar.ReadU8();
        ReadOldText(ar, rows[i].precededBy);
        ReadOldText(ar, rows[i].followedBy);
    }
}

}  // namespace recaster::config
