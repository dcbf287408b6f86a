// The Print Report command through HeadlessUi: its refusals, the save
// dialog, a completed report, Stop between steps, a replaced file, and the
// failures that must never end in "Completed".
#include "app/print_report.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/cfg_document.h"
#include "app/progress_dialog.h"
#include "base/paths.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "config/sample_config.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_options.h"
#include "report/report_prefs_dialog.h"
#include "report/report_stream_writer.h"
#include "ui/dialog_driver.h"
#include "ui/headless_canvas.h"
#include "ui/headless_ui.h"
#include "views/db_list_view.h"

namespace recaster::app {
namespace {

using Prefs = report::CCfgRptPrefsDlg;

constexpr const char* kConfig = "/cfg/Sample.cfg";

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class PrintReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/print-report-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
        LastFileDirectory::Set("/start");
        root_.Create(kConfig);
        root_.Open(kConfig, store::OpenMode::ReadWrite);
        config::BuildSampleConfig(root_);
        root_.Commit();
        medlit_ = root_.GetDBList()->Database(root_.GetDBList()->GetCount());
        ASSERT_EQ(medlit_->name, "MEDLIT");
    }
    void TearDown() override {
        ::unsetenv("SOURCE_DATE_EPOCH");
        std::filesystem::remove_all(dir_);
    }

    PrintResult Print(config::CCfgDatabase* selected) {
        return PrintReport({ui_, root_, selected, catalog_, fs_, settings()});
    }
    SettingsKeyHelper settings() const { return SettingsKeyHelper("", dir_ + "/options.ini"); }

    // The options dialog checks every box (or none) and presses OK.
    void AcceptOptions(bool everything) {
        ui_.OnDialog(Prefs::kTemplateId, [everything](ui::DialogDriver& d) {
            if (everything) {
                for (int id : {Prefs::kDLFileStructure, Prefs::kDBList, Prefs::kDBDetails,
                               Prefs::kDBFields, Prefs::kAutoParseFmts, Prefs::kFieldDetails}) {
                    if (!d.dialog().IsChecked(id)) d.Press(id);
                }
            }
            d.PressEnter();
        });
    }
    // The report of MEDLIT with `options`, as the report code writes it.
    std::string Expected(const report::CCfgRptOptions& options) {
        std::ostringstream out;
        report::CCfgRptStreamWriter writer(out, "expected");
        report::CCfgReport run(root_, medlit_, catalog_, options, writer, report::ReportTimeNow());
        report::RunToEnd toEnd;
        run.Run(toEnd);
        return out.str();
    }

    std::string dir_;
    store::MemFileSystem fs_;
    config::CCfgFile root_{fs_};
    config::CCfgDatabase* medlit_ = nullptr;
    workforms::WorkformCatalog catalog_;
    ui::HeadlessUi ui_;
};

TEST_F(PrintReportTest, RefusalsAndCancelsEndQuietly) {
    ui_.AnswerMessageBox(ui::IDOK, kMsgSelectDatabase);
    EXPECT_EQ(Print(nullptr), PrintResult::NoSelection);
    EXPECT_TRUE(ui_.dialogsRun().empty());

    // Cancel in the options dialog: no save dialog, nothing stored.
    ui_.OnDialog(Prefs::kTemplateId, [](ui::DialogDriver& d) { d.PressEscape(); });
    EXPECT_EQ(Print(medlit_), PrintResult::Cancelled);
    EXPECT_TRUE(ui_.fileDialogs().empty());
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/options.ini"));

    // Cancel in the save dialog: no message, no file.
    AcceptOptions(true);
    ui_.AnswerFileDialog(std::nullopt);
    EXPECT_EQ(Print(medlit_), PrintResult::Cancelled);
    ASSERT_EQ(ui_.fileDialogs().size(), 1u);
    const ui::FileDialogRequest& request = ui_.fileDialogs()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.proposedName, "Untitled Config Report");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_EQ(request.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.startDirectory, "/start");
    EXPECT_EQ(LastFileDirectory::Get(), "/start");
    EXPECT_EQ(ui_.messageBoxes().size(), 1u) << "only the first refusal's message";
    EXPECT_TRUE(ui_.openModeless().empty());
    EXPECT_TRUE(ui_.failures().empty());
}

TEST_F(PrintReportTest, ACompletedReportIsSaidOnceAfterItsEndLines) {
    AcceptOptions(true);
    ui_.AnswerFileDialog("/out/medlit");  // typed without an extension
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportCompleted);
    EXPECT_EQ(Print(medlit_), PrintResult::Completed);

    const std::string written = Text(fs_.Get("/out/medlit.txt"));
    EXPECT_EQ(written, Expected(report::CCfgRptOptions::All()));
    EXPECT_EQ(written.substr(written.size() - 25), "\r\n-- End of Report --\r\n\r\n");
    ASSERT_EQ(ui_.messageBoxes().size(), 1u);
    EXPECT_EQ(ui_.messageBoxes()[0].text, "Configuration Report Completed");
    EXPECT_EQ(ui_.messageBoxes()[0].flags, ui::MB_OK | ui::MB_ICONINFORMATION);
    EXPECT_EQ(LastFileDirectory::Get(), "/out");
    // The progress dialog is gone and the main window usable again.
    EXPECT_TRUE(ui_.openModeless().empty());
    EXPECT_TRUE(ui_.IsMainWindowEnabled());
    EXPECT_EQ(ui_.waitCursorLevel(), 0);
    // What the dialog stored is what the report read.
    EXPECT_EQ(report::CCfgRptOptions::Read(settings()), report::CCfgRptOptions::All());
}

TEST_F(PrintReportTest, StopBetweenStepsKeepsTheFinishedStepsAndSaysAborted) {
    AcceptOptions(true);
    ui_.AnswerFileDialog("/out/stopped.txt");
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportAborted);
    // The third update (before step 2) finds Stop pressed.
    ui_.OnPump([this] {
        if (ui_.pumpCount() == 3) {
            ASSERT_EQ(ui_.openModeless().size(), 1u);
            ui::DialogDriver(*ui_.openModeless()[0]).Press(ui::IDCANCEL);
        }
    });
    EXPECT_EQ(Print(medlit_), PrintResult::Aborted);
    ui_.OnPump({});

    const std::string whole = Expected(report::CCfgRptOptions::All());
    const std::string written = Text(fs_.Get("/out/stopped.txt"));
    EXPECT_EQ(written, whole.substr(0, whole.find("\r\nDownload File Structure")));
    ASSERT_EQ(ui_.messageBoxes().size(), 1u);
    EXPECT_EQ(ui_.messageBoxes()[0].stringId, kMsgReportAborted);
}

TEST_F(PrintReportTest, AnExistingFileIsReplacedCompletely) {
    fs_.Put("/out/old.txt", std::vector<uint8_t>(200000, 'x'));
    AcceptOptions(false);
    ui_.AnswerFileDialog("/out/old.txt");
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportCompleted);
    EXPECT_EQ(Print(medlit_), PrintResult::Completed);
    EXPECT_EQ(Text(fs_.Get("/out/old.txt")), Expected(report::CCfgRptOptions::All(false)));
}

TEST_F(PrintReportTest, FailuresAreReportedNamingTheFileAndNeverCompleted) {
    // The open configuration itself chosen as the report file: refused, kept.
    const std::vector<uint8_t> config = fs_.Get(kConfig);
    AcceptOptions(false);
    ui_.AnswerFileDialog(kConfig);
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportWriteFailed);
    EXPECT_EQ(Print(medlit_), PrintResult::Failed);
    EXPECT_EQ(fs_.Get(kConfig), config);
    EXPECT_NE(ui_.messageBoxes().back().text.find(
                  "The configuration report could not be written to /cfg/Sample.cfg."),
              std::string::npos)
        << ui_.messageBoxes().back().text;

    // A disk that fills up half way.
    fs_.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Write && path == "/out/full.txt")
            throw FileError(FileError::Cause::DiskFull, path, "The disk is full");
    });
    ui_.AnswerFileDialog("/out/full.txt");
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportWriteFailed);
    EXPECT_EQ(Print(medlit_), PrintResult::Failed);
    fs_.SetFaultHook({});
    EXPECT_NE(ui_.messageBoxes().back().text.find("full.txt.\n\nThe disk is full"),
              std::string::npos)
        << ui_.messageBoxes().back().text;
    EXPECT_TRUE(ui_.openModeless().empty());
    EXPECT_TRUE(ui_.IsMainWindowEnabled());

    // A date that cannot be read: said before any file is made.
    ::setenv("SOURCE_DATE_EPOCH", "yesterday", 1);
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportBadDate);
    EXPECT_EQ(Print(medlit_), PrintResult::Failed);
    EXPECT_EQ(ui_.fileDialogs().size(), 2u);

    for (const auto& box : ui_.messageBoxes()) EXPECT_NE(box.stringId, kMsgReportCompleted);
    EXPECT_EQ(ui_.PendingAnswers(), 0u);
}

// The document's command finds the database list window's selection.
class DocumentPrintTest : public PrintReportTest {
  protected:
    void SetUp() override {
        PrintReportTest::SetUp();
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        root_.Close();
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        PrintReportTest::TearDown();
    }
};

TEST_F(DocumentPrintTest, PrintReportReportsOnTheSelectedDatabase) {
    CCfgDocument doc(ui_, fs_);
    ASSERT_TRUE(doc.OnOpenDocument(kConfig));
    EXPECT_TRUE(doc.Knows(kCmdPrintReport));
    EXPECT_TRUE(doc.IsEnabled(kCmdPrintReport));
    ui_.AnswerMessageBox(ui::IDOK, kMsgSelectDatabase);
    doc.Handle(kCmdPrintReport);  // no database list window

    views::CDBListView view(doc, catalog_);
    view.OnInitialUpdate(ui::HeadlessCanvas());
    doc.SetDBListView(&view);
    view.Select(1);
    AcceptOptions(false);
    ui_.AnswerFileDialog("/out/selected.txt");
    ui_.AnswerMessageBox(ui::IDOK, kMsgReportCompleted);
    doc.Handle(kCmdPrintReport);
    doc.SetDBListView(nullptr);
    const std::string written = Text(fs_.Get("/out/selected.txt"));
    EXPECT_NE(written.find("File Name: \t\t\t\tSample.cfg\r\n"), std::string::npos) << written;
    // Stored in the program's own settings file.
    EXPECT_TRUE(std::filesystem::exists(dir_ + "/Marrowfield/Recaster II.ini"));
    EXPECT_FALSE(doc.IsModified()) << "a report changes nothing";
    EXPECT_TRUE(ui_.failures().empty());
}

}  // namespace
}  // namespace recaster::app
