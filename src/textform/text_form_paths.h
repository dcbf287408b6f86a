// The JSON path in the text form (config_export.h) of a place the checks name,
// e.g. "databases[2].fields[4].subfields[0].tag", so that a finding about a
// file can be found in its export and a problem of an import in its text.
#pragma once

#include <string>
#include <vector>

#include "config/config_parts.h"
#include "lint/finding.h"

namespace recaster::textform {

class TextFormPaths {
  public:
    // Walks every field list (loading it, and releasing it again when it is
    // stored). Raises ArchiveError or FileError when a record cannot be read.
    explicit TextFormPaths(config::ConfigParts& config);

    // REQUIRES: `where` names a place of the configuration walked.
    std::string Of(const lint::Location& where) const;

  private:
    std::string DatabasePath(const lint::Location& where) const;

    std::vector<std::vector<std::string>> fields_;  // per database, per list position
};

}  // namespace recaster::textform
