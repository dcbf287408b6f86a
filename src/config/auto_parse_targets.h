// Old per-workform targets of the parse components ('CAPD', version-2 files
// only) and the built-in default table they fall back on.
#pragma once

#include <array>

#include "config/bucket_map.h"
#include "config/persistent_object.h"

namespace recaster::workforms {
class WorkformCatalog;
}

namespace recaster::config {

class CCfgAutoParseTargets : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgAutoParseTargets() : CPersistentObject(FourCC("CAPD")) {}

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Version 2: the 130-byte table (kinds 0..4 for workforms 0..25; kinds 5, 6
    // from the defaults). Version 3: count, then u16 workform + seven u8.
    void PersistWrite(Archive& ar) override;
    void Serialize(Archive& ar) override;

    // The target index (-1 = none) of `kind` in workform `w`, adjusted to a
    // field the workform uses.
    int GetTarget(uint8_t kind, uint16_t w, const workforms::WorkformCatalog& catalog) const;
    void SetTarget(uint8_t kind, uint16_t w, uint8_t index);
    // The built-in default index of `kind` in workform `w`.
    static uint8_t DefaultTarget(uint8_t kind, uint16_t w);

    BucketMap<uint16_t, std::array<uint8_t, 7>> targets;
};

}  // namespace recaster::config
