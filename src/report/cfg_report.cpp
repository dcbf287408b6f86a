// The report's run: the step loop, and letting go of what it loaded.
#include "report/cfg_report.h"

#include "resources/strings.h"
#include "store/pager.h"

namespace recaster::report {

CCfgReport::CCfgReport(config::CCfgFile& root, config::CCfgDatabase* selected,
                       const workforms::WorkformCatalog& catalog, const CCfgRptOptions& options,
                       CCfgRptWriter& writer, const std::tm& generated)
    : root_(root),
      selected_(selected),
      catalog_(catalog),
      options_(options),
      writer_(writer),
      generated_(generated) {}

CCfgReport::Outcome CCfgReport::Run(ReportProgress& progress) {
    for (step_ = 0; step_ <= 6; ++step_) {
        if (!progress.Continue(step_)) return Outcome::Aborted;
        try {
            switch (step_) {
                case 0:
                    writer_.BeginDocument();
                    break;
                case 1:
                    Header();
                    break;
                case 2:
                    DownloadFileStructure();
                    break;
                case 3:
                    DatabaseDefinitions();
                    break;
                case 4:
                    DatabaseDetails();
                    ReleaseLoaded();
                    break;
                case 5:
                    FieldDefinitions();
                    ReleaseLoaded();
                    break;
                case 6:
                    EndOfReport();
                    break;
            }
            writer_.Flush();
        } catch (...) {
            // Keep what the failed step wrote before it failed, if the
            // writer still can.
            try {
                writer_.Flush();
            } catch (...) {
            }
            throw;
        }
    }
    return Outcome::Completed;
}

void CCfgReport::PutString(int id) {
    Put(resources::LoadString(id));
}

void CCfgReport::Row(int labelId, std::string_view value) {
    Tab();
    PutString(labelId);
    Tab();
    Put(value);
    NL();
}

void CCfgReport::ReleaseLoaded() {
    if (selected_) selected_->ReleaseStoredChildren();
    store::Pager::ReleaseUnusedBuffers();
}

}  // namespace recaster::report
