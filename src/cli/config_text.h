// The whole configuration as text for people: structure, identification,
// ignored lines, then each database with its document types and fields,
// targets named in the database's workform, subfields indented.
#pragma once

#include <ostream>

#include "config/cfg_file.h"
#include "workforms/workform_catalog.h"

namespace recaster::cli {

// Texts are written in UTF-8. Loads every database's children on the way
// (and releases them again).
void WriteConfigText(std::ostream& os, config::CCfgFile& file,
                     const workforms::WorkformCatalog& catalog);

}  // namespace recaster::cli
