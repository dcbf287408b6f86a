// The five top-level objects of a configuration, whether they belong to an
// open file or were built in memory (an imported text form), so that code
// reading a whole configuration takes either.
#pragma once

#include "config/cfg_file.h"

namespace recaster::config {

struct ConfigParts {
    CCfgGenlInfo& general;
    CCfgDFSInfo& structure;
    CCfgStringPairList& identifiers;
    CCfgStringList& ignoredLines;
    CCfgDBList& databases;
};

// REQUIRES: file is open.
inline ConfigParts PartsOf(CCfgFile& file) {
    return {*file.GetGenlInfo(), *file.GetDFSInfo(), *file.GetIdentPairs(), *file.GetIgnoredLines(),
            *file.GetDBList()};
}

}  // namespace recaster::config
