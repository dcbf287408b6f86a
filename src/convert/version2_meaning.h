// The values whose meaning moved between format versions 2 and 3, changed
// on the copy of an old database before it goes into the new file:
//
//   value                           version 2        version 3
//   database workform 20..25        user-defined     the chosen replacement
//   document type workform 20..25   user-defined     the chosen replacement
//   parse information row kind      5 or 255: none   7 (none)
//   parse information rows 5, 6     not stored       kind 7 (not in use)
//   author format 3, 4, 5           no comma forms   4, 5, 6 (3 is new)
//
// Alternate-target keys and parse-format names stay as they are.
#pragma once

#include "convert/user_workforms.h"

namespace recaster::config {
class CCfgDatabase;
}

namespace recaster::convert {

// REQUIRES: `copy` is not attached to a store (nothing is saved).
void UpgradeDatabase(config::CCfgDatabase& copy, const UserWorkformMapping& mapping);

}  // namespace recaster::convert
