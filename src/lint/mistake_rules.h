// The lint's warnings: what a configuration may hold but is likely wrong.
//
//   rule                    finding
//   empty-tag-format        no tag format, so no field tag can be found
//   version-2               a version-2 file, read as the editor converts it
//   missing-fallback        the fallback database is not a database's name
//   empty-identifier        an identification pair empty on both sides
//   unknown-workform        a database, document type or alternate target
//                           names a workform the catalog does not hold
//   unused-target           a target field the workform does not use
//   unused-component        a parse format row naming such a field
//   backslash-r             a parsing format's followed-by text holding the
//                           two characters backslash and r (the report's
//                           warning)
//   duplicate-document-type two document types of a database with one name
//   duplicate-tag           top-level tags equal but for letter case (the
//                           importer finds fields ignoring case)
//   tag-length              a field tag longer or shorter than a fixed tag
//                           length
//   no-parse-formats        a Parsed field without a format
//   unknown-document-type   a parse format named after a document type the
//                           database does not have
//
// Rules that need workforms are skipped when the catalog is empty.
#pragma once

#include <cstdint>

#include "config/config_parts.h"
#include "lint/finding.h"
#include "workforms/workform_catalog.h"

namespace recaster::lint {

// Loads each database's children on the way and releases the stored ones
// again. Raises ArchiveError or FileError when a record cannot be read.
// `version` is the format version of the file read (2 or 3).
Findings CheckLikelyMistakes(config::ConfigParts& config, const workforms::WorkformCatalog& catalog,
                             uint16_t version = 3);

// The entry rules' errors and the warnings above together, ordered by where
// they are in the configuration.
Findings Lint(config::ConfigParts& config, const workforms::WorkformCatalog& catalog,
              uint16_t version = 3);

}  // namespace recaster::lint
