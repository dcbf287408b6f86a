// Filling a WorkformCatalog from workform files, and the one process-wide
// catalog that start-up fills and everything else reads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "workforms/workform_catalog.h"
#include "workforms/workform_locator.h"

namespace recaster::workforms {

// Told about a candidate that was skipped: its path and why.
using WorkformReport = std::function<void(const std::string& path, const std::string& message)>;

// Writes "<path>: cannot load workform: <message>" as one line on stderr.
void ReportWorkformToStderr(const std::string& path, const std::string& message);

// Reads each candidate in order and adds it to `catalog`. A file that cannot
// be opened or read, breaks the file format, or claims the reserved identifier
// 65535 is reported through `report` and skipped. A file whose letter is
// already taken is skipped silently: the first one wins. Never throws for a
// bad file. Returns the number of workforms added.
int LoadWorkforms(WorkformCatalog& catalog, const std::vector<std::string>& candidates,
                  const WorkformReport& report = ReportWorkformToStderr);

// The process-wide catalog; empty until LoadProcessWorkforms has run.
const WorkformCatalog& Workforms();

// Fills the process-wide catalog from the locator's candidates. Only the first
// call loads; later calls change nothing and return false.
bool LoadProcessWorkforms(const WorkformLocator& locator,
                          const WorkformReport& report = ReportWorkformToStderr);

}  // namespace recaster::workforms
