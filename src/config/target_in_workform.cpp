// The target field of a configuration field in a given workform.
#include "config/target_in_workform.h"

#include "config/lists.h"

namespace recaster::config {

int TargetInWorkform(const CCfgField& field, uint16_t w,
                     const workforms::WorkformCatalog& catalog) {
    uint8_t index = field.defaultTarget;
    uint16_t workform = w;
    if (w == kDefaultWorkform) {
        const CCfgDatabase* db = field.owner != nullptr ? field.owner->owner : nullptr;
        // No target, or an index past the last field (damaged data).
        if (index >= workforms::kFieldCount) return -1;
        if (db == nullptr) return index;
        workform = db->workform;
    } else if (const uint8_t* alt = field.alternateTargets.Find(w); alt && *alt != kNoAlternate) {
        index = *alt;
    }
    if (index >= workforms::kFieldCount) return -1;
    return catalog.EffectiveTargetField(index + 1, workform) - 1;
}

}  // namespace recaster::config
