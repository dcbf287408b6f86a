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
// and the field is saved.
void BuildParseFormats(CCfgField& field, uint32_t oldTargetsId, uint32_t oldParseInfoId,
                       const workforms::WorkformCatalog& catalog);

}  // namespace recaster::config
