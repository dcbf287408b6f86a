// Building a Parsed field's per-document-type formats from the records that
// older files kept instead: the old per-workform targets ('CAPD') and the
// database's parse information ('CAPI').
#pragma once

#include <cstdint>

#include "workforms/workform_catalog.h"

namespace recaster::config {

class CCfgField;

// Fills field.parseFormats: the default format ("") for the database's
// workform, then one per document type of the database for its workform.
// oldTargetsId / oldParseInfoId are the ids read from the old field record
// (kNoId when absent); records that were loaded are deleted from the store
// and the field is saved. Read from a version-2 store, rows 5 and 6 and rows
// of kind 5 or 255 ("no component" then) are not in use (254), like kind 7.
void BuildParseFormats(CCfgField& field, uint32_t oldTargetsId, uint32_t oldParseInfoId,
                       const workforms::WorkformCatalog& catalog);

}  // namespace recaster::config
