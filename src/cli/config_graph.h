// The object-graph check of a configuration file: every record decodes,
// every id a list or database names exists with the tag the reference
// implies and is named only once, the lists are in their order, and every
// record is reachable from the five root records.
#pragma once

#include <string>
#include <vector>

#include "store/store.h"

namespace recaster::cli {

// True when the five root records (CGNL, CDFS, CDB#, STP#, STR# with id 0)
// exist: the store holds a configuration.
bool IsConfiguration(store::Store& store);

// REQUIRES: store is open. Reads every record and changes nothing. Each
// problem is one line naming the record ("record CFlD 17: nothing refers to
// it"); empty when the graph is sound. A store that cannot be read gives one
// line saying so.
std::vector<std::string> CheckConfigGraph(store::Store& store);

}  // namespace recaster::cli
