// CCfgReport: one configuration report. It walks the configuration and the
// workform catalog read-only and writes the report through a writer in
// steps:
//
//   0  the writer's BeginDocument
//   1  header                      (always)
//   2  download file structure     (option DLFileStructure)
//   3  database definitions        (option DBList)
//   4  the selected database       (option DBDetails)
//   5  its field definitions       (options DBDetails and FieldDetails)
//   6  end of report               (always)
//
// Run asks the progress before every step and stops when told to; the
// writer is flushed after every step, so a stopped report keeps the steps it
// finished. (A step 7, the writer's EndDocument, is never reached: the run
// ends after step 6.)
//
// After steps 4 and 5 the database's field list, document types and parse
// information are let go again (the field list not while a window shows it)
// and the page cache gives back every page buffer not in use.
#pragma once

#include <ctime>
#include <string>

#include "config/cfg_file.h"
#include "report/report_options.h"
#include "report/report_progress.h"
#include "report/report_writer.h"
#include "workforms/workform_catalog.h"

namespace recaster::report {

class CCfgReport {
  public:
    enum class Outcome { Completed, Aborted };

    // `selected` is the database of steps 4 and 5 (none: they write
    // nothing). `generated` is the time the header names (ReportTimeNow()).
    // Everything must outlive the report.
    CCfgReport(config::CCfgFile& root, config::CCfgDatabase* selected,
               const workforms::WorkformCatalog& catalog, const CCfgRptOptions& options,
               CCfgRptWriter& writer, const std::tm& generated);

    // Runs steps 0 to 6. A FileError or ArchiveError (the writer's, or a
    // damaged configuration's) ends the run and passes on; what was written
    // before it is flushed to the writer as far as possible.
    Outcome Run(ReportProgress& progress);
    int step() const { return step_; }

    // The steps, each once and in order.
    void Header();
    void DownloadFileStructure();
    void DatabaseDefinitions();
    void DatabaseDetails();
    void FieldDefinitions();
    void EndOfReport();

  private:
    // Writing: a text, a string-table text, a tab, a line end.
    void Put(std::string_view text) { writer_.WriteText(text); }
    void PutString(int id);
    void Tab() { writer_.WriteText("\t"); }
    void NL() { writer_.NewLine(); }
    // TAB label TAB value NL.
    void Row(int labelId, std::string_view value);

    void IdentificationBlock();
    void RecordBlock();
    void FieldIdentificationBlock();
    void IgnoredLinesBlock();
    void FieldsSummary(config::CCfgDatabase& db);
    void ParsingFormat(config::CCfgDatabase& db);
    void AuthorFormat(const config::CCfgDatabase& db);
    void DocumentTypes(config::CCfgDatabase& db);
    void FieldDefinition(const config::CCfgDatabase& db, const config::CCfgField& field);
    void TypeOptions(const config::CCfgField& field);
    void AlternateTargets(const config::CCfgDatabase& db, const config::CCfgField& field);
    // Lets go of what steps 4 and 5 loaded.
    void ReleaseLoaded();

    bool On(int32_t option) const { return option != 0; }

    config::CCfgFile& root_;
    config::CCfgDatabase* selected_;
    const workforms::WorkformCatalog& catalog_;
    CCfgRptOptions options_;
    CCfgRptWriter& writer_;
    std::tm generated_;
    int step_ = 0;
};

}  // namespace recaster::report
