// The workform catalog for the commands that name target fields: the
// process-wide catalog, filled on first use from the usual places (Forms/
// beside the program, then the reference manager's workform path).
#pragma once

#include "cli/command.h"
#include "workforms/workform_catalog.h"

namespace recaster::cli {

// Loads the catalog once; files that cannot be read are reported on io.err.
const workforms::WorkformCatalog& LoadedWorkforms(CommandIo& io);

}  // namespace recaster::cli
