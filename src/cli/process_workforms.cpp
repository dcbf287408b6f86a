#include "cli/process_workforms.h"

#include "workforms/workform_loader.h"
#include "workforms/workform_locator.h"

namespace recaster::cli {

const workforms::WorkformCatalog& LoadedWorkforms(CommandIo& io) {
    workforms::LoadProcessWorkforms(workforms::WorkformLocator::ForThisProgram(),
                                    [&io](const std::string& path, const std::string& message) {
                                        io.err << "recaster-cfg: " << path
                                               << ": cannot load workform: " << message << "\n";
                                    });
    return workforms::Workforms();
}

}  // namespace recaster::cli
