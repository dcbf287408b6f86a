// The rules every configuration the editor writes obeys: what its dialogs
// check when a value is entered (lengths, ranges, the pattern syntax of
// formats) and what its lists keep (the default database first, unique
// database names and field tags, the editor's order, subfields only under a
// field of type Parsed with Subfields). Every break is an error: the import
// of the text form refuses it and the lint reports it.
//
// Two things are only warnings of the lint, because the editor itself writes
// them: the empty tag format of a new file (Field Identification refuses it,
// but New makes it) and document types that share a name (no dialog checks).
#pragma once

#include "config/config_parts.h"
#include "lint/finding.h"

namespace recaster::lint {

// Loads each database's children on the way and releases the stored ones
// again. Raises ArchiveError or FileError when a record cannot be read.
Findings CheckEntries(config::ConfigParts& config);

// The key under which the database list holds a name equal to another:
// all-digit names of at most five characters by value ("007" is "7"), all
// others by their letters ignoring case ("default" is "Default").
std::string DatabaseNameKey(const std::string& name);

}  // namespace recaster::lint
