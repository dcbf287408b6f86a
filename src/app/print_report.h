// The Print Report command of a configuration document: the report of the
// database selected in the database list window, written to a text file.
//
//   1. No selected database: "Please select the database you want to print."
//   2. The options dialog (CCfgRptPrefsDlg); Cancel ends here.
//   3. The options are read back from the settings store; the save dialog
//      asks for the file ("Untitled Config Report", .txt); Cancel ends here
//      without a message or a file.
//   4. The report runs under the progress dialog, which Stop ends between
//      two steps, and "Configuration Report Completed" or "Configuration
//      Report Aborted" is shown.
// A file that cannot be replaced or written, or a configuration that cannot
// be read, ends the command with a message naming the file and the cause;
// what was written before stays in the report file.
#pragma once

#include <string>

#include "base/settings.h"
#include "store/file_system.h"
#include "ui/ui.h"
#include "workforms/workform_catalog.h"

namespace recaster::config {
class CCfgFile;
class CCfgDatabase;
}  // namespace recaster::config

namespace recaster::app {

// Message ids (string table) of the command.
enum PrintReportMessage : int {
    kMsgSelectDatabase = 4119,
    kMsgReportAborted = 4120,
    kMsgReportCompleted = 4121,
    kMsgReportWriteFailed = 4122,
    kMsgReportReadFailed = 4123,
    kMsgReportBadDate = 4125,
};

// The report file's save dialog.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
inline constexpr const char* kReportExtension = "txt";
inline constexpr const char* kReportFileName = "Untitled Config Report";

struct PrintReportContext {
    ui::Ui& ui;
    config::CCfgFile& root;
    // The database list window's selected database; null when none is.
    config::CCfgDatabase* selected;
    const workforms::WorkformCatalog& catalog;
    store::FileSystem& fs;
    SettingsKeyHelper settings;
};

enum class PrintResult { NoSelection, Cancelled, Completed, Aborted, Failed };

PrintResult PrintReport(const PrintReportContext& context);

}  // namespace recaster::app
