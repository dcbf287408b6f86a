// Old per-workform targets of the parse components ('CAPD').
//
// Version-2 record (130 bytes):
//
//   offset        size  field
//   26 * c + w    1     target index of component kind c (0..4) in workform w (0..25)
//
// Kinds 5 and 6 are not stored there; reading takes them from the built-in
// table. Version-3 form (never written by the editor, read if present):
//
//   count         entries (archive count encoding)
//   per entry     u16 workform identifier, then seven u8 target indexes (kinds 0..6)
#include "config/auto_parse_targets.h"

#include "config/enums.h"
#include "config/store_link.h"
#include "workforms/workform_catalog.h"

namespace recaster::config {
namespace {

constexpr int kKinds = 7;
constexpr int kTableColumns = 26;    // workform identifiers 0..25
constexpr int kFallbackColumn = 24;  // any other identifier, 65535 included
constexpr int kV2Kinds = 5;

// Built-in target field numbers (1-based): row = component kind, column =
// workform identifier.
constexpr uint8_t kDefaultFields[kKinds][kTableColumns] = {
    {4, 9, 9, 9, 9, 11, 42, 4, 42, 9, 9, 4, 9, 9, 4, 9, 4, 9, 11, 9, 9, 9, 9, 9, 9, 9},
    {22, 42, 22, 22, 42, 22, 42, 22, 42, 42, 22, 42, 22,
     15, 7,  22, 7,  5,  15, 7,  22, 22, 22, 22, 22, 22},
    {24, 42, 24, 24, 42, 24, 42, 24, 42, 42, 42, 42, 24,
     22, 16, 15, 16, 15, 23, 15, 24, 24, 24, 24, 24, 24},
    {25, 42, 25, 25, 42, 25, 42, 26, 42, 42, 25, 42, 25,
     23, 19, 25, 19, 25, 26, 25, 25, 25, 25, 25, 25, 25},
    {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20,
     20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20},
    {40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40,
     40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40},
    {39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39,
     39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39, 39},
};

std::array<uint8_t, kKinds> DefaultEntry(uint16_t w) {
    std::array<uint8_t, kKinds> entry{};
    for (int k = 0; k < kKinds; ++k)
        entry[static_cast<size_t>(k)] =
            CCfgAutoParseTargets::DefaultTarget(static_cast<uint8_t>(k), w);
    return entry;
}

}  // namespace

const RuntimeClass CCfgAutoParseTargets::kClass{
    "CCfgAutoParseTargets", 0,
    [] { return std::unique_ptr<ArchiveObject>(new CCfgAutoParseTargets); }};
namespace {
[[maybe_unused]] const bool kTargetsRegistered = RegisterRuntimeClass(CCfgAutoParseTargets::kClass);
}

uint8_t CCfgAutoParseTargets::DefaultTarget(uint8_t kind, uint16_t w) {
    if (kind >= kKinds) return kNoTarget;
    const int column = w < kTableColumns ? w : kFallbackColumn;
    return static_cast<uint8_t>(kDefaultFields[kind][column] - 1);
}

int CCfgAutoParseTargets::GetTarget(uint8_t kind, uint16_t w,
                                    const workforms::WorkformCatalog& catalog) const {
    if (kind >= kKinds) return -1;
    const auto* entry = targets.Find(w);
    const uint8_t index = entry != nullptr ? (*entry)[kind] : DefaultTarget(kind, w);
    // Anything past the last field (0xFF above all) means no target.
    if (index >= workforms::kFieldCount) return -1;
    return catalog.EffectiveTargetField(index + 1, w) - 1;
}

void CCfgAutoParseTargets::SetTarget(uint8_t kind, uint16_t w, uint8_t index) {
    if (kind >= kKinds) return;
    std::array<uint8_t, kKinds> entry = DefaultEntry(w);
    if (const auto* old = targets.Find(w)) entry = *old;
    entry[kind] = index;
    targets.Set(w, entry);
}

void CCfgAutoParseTargets::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(targets.size()));
        targets.ForEach([&](const uint16_t& w, const std::array<uint8_t, kKinds>& entry) {
            ar.WriteU16(w);
            for (uint8_t b : entry) ar.WriteU8(b);
        });
        return;
    }
    const uint32_t count = ar.ReadCount(2 + kKinds);
    targets.Clear();
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t w = ar.ReadU16();
        std::array<uint8_t, kKinds> entry{};
        for (auto& b : entry) b = ar.ReadU8();
        targets.Set(w, entry);
    }
}

void CCfgAutoParseTargets::PersistWrite(Archive& ar) {
    if (GetLink() == nullptr || GetLink()->Version() != 2) {
        Serialize(ar);
        return;
    }
    if (ar.IsStoring()) {
        for (int k = 0; k < kV2Kinds; ++k)
            for (uint16_t w = 0; w < kTableColumns; ++w) {
                const auto* entry = targets.Find(w);
                ar.WriteU8(entry != nullptr ? (*entry)[static_cast<size_t>(k)]
                                            : DefaultTarget(static_cast<uint8_t>(k), w));
            }
        return;
    }
    std::array<uint8_t, kV2Kinds * kTableColumns> table{};
    ar.ReadBytes(table);
    targets.Clear();
    for (uint16_t w = 0; w < kTableColumns; ++w) {
        std::array<uint8_t, kKinds> entry = DefaultEntry(w);
        for (int k = 0; k < kV2Kinds; ++k)
            entry[static_cast<size_t>(k)] = table[static_cast<size_t>(k * kTableColumns + w)];
        targets.Set(w, entry);
    }
}

}  // namespace recaster::config
