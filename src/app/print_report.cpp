// The Print Report command: options dialog, save dialog, progress dialog.
#include "app/print_report.h"

#include <optional>

#include "app/progress_dialog.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/paths.h"
#include "config/cfg_file.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_options.h"
#include "report/report_prefs_dialog.h"
#include "report/report_text.h"
#include "report/report_text_writer.h"
#include "resources/strings.h"
#include "ui/message_box.h"

namespace recaster::app {
namespace {

constexpr uint32_t kErrorBox = ui::MB_OK | ui::MB_ICONEXCLAMATION;
constexpr int32_t kLastStep = 7;  // the progress scale runs over the steps 0 to 7

// Stop, as the progress dialog tells it before every step.
class DialogProgress : public report::ReportProgress {
  public:
    explicit DialogProgress(ProgressDialog& dialog) : dialog_(dialog) {}
    bool Continue(int step) override { return dialog_.Update(step); }

  private:
    ProgressDialog& dialog_;
};

// The report file's name, or nothing when the user cancelled. A name typed
// without an extension gets ".txt", as the dialog's default extension.
std::optional<std::string> PromptReportFileName(ui::Ui& ui) {
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = kReportFilter;
    request.defaultExtension = kReportExtension;
    request.proposedName = kReportFileName;
    request.startDirectory = LastFileDirectory::Get();
    request.overwritePrompt = true;
    std::optional<std::string> chosen = ui.FileDialog(request);
    if (!chosen || chosen->empty()) return std::nullopt;
    std::string path = *chosen;
    if (SplitPath(path).extension.empty()) path += std::string(".") + kReportExtension;
    LastFileDirectory::Set(DirectoryOf(path));
    return path;
}

// Message `id` naming `path`, with what went wrong below it.
void ShowFailure(ui::Ui& ui, int id, const std::string& path, const std::string& cause) {
    ui::ShowFileMessage(ui, id, path, cause, kErrorBox);
}

// The failure of a run: writing the report file, or reading the
// configuration.
void ShowRunFailure(ui::Ui& ui, const std::string& reportPath, const std::string& configPath,
                    const std::string& errorPath, const std::string& cause) {
    if (errorPath == reportPath) {
        ShowFailure(ui, kMsgReportWriteFailed, reportPath, cause);
    } else {
        ShowFailure(ui, kMsgReportReadFailed, errorPath.empty() ? configPath : errorPath, cause);
    }
}

PrintResult RunReport(const PrintReportContext& c) {
    std::tm generated{};
    try {
        generated = report::ReportTimeNow();
    } catch (const report::BadReportDate& e) {
        ui::ShowFileMessage(c.ui, kMsgReportBadDate, e.value(), {}, kErrorBox);
        return PrintResult::Failed;
    }
    // Every "Destination" writes a text file: 0 was kept for a printer that
    // does not exist.
    const report::CCfgRptOptions options = report::CCfgRptOptions::Read(c.settings);
    report::CCfgReport::Outcome outcome = report::CCfgReport::Outcome::Aborted;
    {
        report::CCfgRptTextWriter writer(c.fs);
        report::CCfgRptFontSpec font;
        writer.SetFontHint({report::ReadPointSize(c.settings), font.Read(c.settings)});

        std::optional<std::string> path = PromptReportFileName(c.ui);
        if (!path) return PrintResult::Cancelled;
        try {
            writer.SetOutputPath(*path);
        } catch (const FileError& e) {
            ShowFailure(c.ui, kMsgReportWriteFailed, *path, e.message());
            return PrintResult::Failed;
        }

        ProgressDialog progress(0, kLastStep, report::kStrReportTitle, c.ui);
        DialogProgress stop(progress);
        try {
            report::CCfgReport run(c.root, c.selected, c.catalog, options, writer, generated);
            outcome = run.Run(stop);
        } catch (const FileError& e) {
            progress.Destroy();
            ShowRunFailure(c.ui, *path, c.root.path(), e.path(), e.message());
            return PrintResult::Failed;
        } catch (const ArchiveError& e) {
            progress.Destroy();
            ShowRunFailure(c.ui, *path, c.root.path(), e.path(), e.message());
            return PrintResult::Failed;
        }
        // The progress dialog has the main window disabled; the message
        // must come after it, or nothing could be clicked.
        progress.Destroy();
    }
    const bool completed = outcome == report::CCfgReport::Outcome::Completed;
    ui::ShowMessageBox(c.ui, completed ? kMsgReportCompleted : kMsgReportAborted, {},
                       ui::MB_OK | ui::MB_ICONINFORMATION);
    return completed ? PrintResult::Completed : PrintResult::Aborted;
}

}  // namespace

PrintResult PrintReport(const PrintReportContext& context) {
    if (context.selected == nullptr) {
        ui::ShowMessageBox(context.ui, kMsgSelectDatabase, {}, kErrorBox);
        return PrintResult::NoSelection;
    }
    report::CCfgRptPrefsDlg options(context.settings);
    if (options.DoModal(context.ui) != ui::IDOK) return PrintResult::Cancelled;
    return RunReport(context);
}

}  // namespace recaster::app
