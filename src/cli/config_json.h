// The whole configuration as JSON for scripts: fixed key names, texts in
// UTF-8, numbers as stored, booleans of the model as JSON booleans, object
// ids of -1 as -1.
#pragma once

#include <nlohmann/json.hpp>

#include "config/cfg_file.h"
#include "workforms/workform_catalog.h"

namespace recaster::cli {

// Loads every database's children on the way (and releases them again).
nlohmann::ordered_json ConfigToJson(config::CCfgFile& file,
                                    const workforms::WorkformCatalog& catalog);

}  // namespace recaster::cli
