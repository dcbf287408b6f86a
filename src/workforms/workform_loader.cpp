#include "workforms/workform_loader.h"

#include <cstdio>
#include <new>

#include "base/errors.h"
#include "workforms/workform_file.h"

namespace recaster::workforms {
namespace {

WorkformCatalog& ProcessCatalog() {
    static WorkformCatalog catalog;
    return catalog;
}

// The errors carry the path themselves; the report gets it separately.
template <typename Error>
std::string MessageOf(const Error& e) {
    return e.message() + " (" + CauseName(e.cause()) + ")";
}

}  // namespace

void ReportWorkformToStderr(const std::string& path, const std::string& message) {
    std::fprintf(stderr, "%s: cannot load workform: %s\n", path.c_str(), message.c_str());
}

int LoadWorkforms(WorkformCatalog& catalog, const std::vector<std::string>& candidates,
                  const WorkformReport& report) {
    int added = 0;
    for (const std::string& path : candidates) {
        std::string failure;
        try {
            const WorkformFile file = ReadWorkformFile(path);
            if (file.id == kNoWorkform)
                failure = "identifier 65535 is reserved for the default workform";
            else if (catalog.Add(file))
                ++added;
        } catch (const ArchiveError& e) {
            failure = MessageOf(e);
        } catch (const FileError& e) {
            failure = MessageOf(e);
        } catch (const std::bad_alloc&) {
            failure = "out of memory";
        }
        if (!failure.empty() && report) report(path, failure);
    }
    return added;
}

const WorkformCatalog& Workforms() {
    return ProcessCatalog();
}

bool LoadProcessWorkforms(const WorkformLocator& locator, const WorkformReport& report) {
    static bool loaded = false;
    if (loaded) return false;
    loaded = true;
    LoadWorkforms(ProcessCatalog(), locator.Candidates(), report);
    return true;
}

}  // namespace recaster::workforms
