// The target field of a configuration field in a given workform.
#pragma once

#include <cstdint>

#include "workforms/workform_catalog.h"

namespace recaster::config {

class CCfgField;

// 0-based target index, or -1 for no target. For w = 65535 the field's default
// target in its database's workform; otherwise its alternate target for w, or
// the default target when there is none; then moved to the field the
// workform actually uses (WorkformCatalog::EffectiveTargetField).
int TargetInWorkform(const CCfgField& field, uint16_t w, const workforms::WorkformCatalog& catalog);

}  // namespace recaster::config
