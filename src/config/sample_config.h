// A realistic sample configuration, built through the objects: the download
// format of "Northwind Scholarly Search", a fictional family of online
// bibliographic databases. Used by make-sample-config and by tests that need
// a configuration with every kind of object in it.
#pragma once

#include "config/cfg_file.h"

namespace recaster::config {

// Fills `file`, which must be open for writing and hold only the records of
// a new file. Does not commit.
void BuildSampleConfig(CCfgFile& file);

}  // namespace recaster::config
