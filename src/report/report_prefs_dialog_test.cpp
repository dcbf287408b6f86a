// The report options: the dialog (what it opens with, the dependency of the
// indented boxes, what OK stores, Cancel storing nothing, Help, a settings
// file that cannot be written) and the font record.
#include "report/report_prefs_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/report_options.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"

namespace recaster::report {
namespace {

using Dlg = CCfgRptPrefsDlg;

class ReportOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/report-options-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Ini() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Runs the dialog with `act` as the user's part.
    int Run(const std::function<void(ui::DialogDriver&)>& act) {
        ui_.OnDialog(Dlg::kTemplateId, act);
        Dlg dialog(settings_);
        return dialog.DoModal(ui_);
    }

    std::string dir_;
    std::string path_;
    SettingsKeyHelper settings_{"", ""};
    ui::HeadlessUi ui_;

    void UseFile(const std::string& name) {
        path_ = dir_ + "/" + name;
        settings_ = SettingsKeyHelper("", path_);
    }
};

TEST_F(ReportOptionsTest, ANewUserStartsWithEveryBoxClearAndTheIndentedOnesDisabled) {
    UseFile("Recaster II.ini");
    EXPECT_EQ(Run([](ui::DialogDriver& d) {
                  Dlg& dlg = d.As<Dlg>();
                  EXPECT_EQ(dlg.title(), "Configuration Report Preferences");
                  for (int id : {Dlg::kDLFileStructure, Dlg::kDBList, Dlg::kDBDetails,
                                 Dlg::kDBFields, Dlg::kAutoParseFmts, Dlg::kFieldDetails}) {
                      EXPECT_FALSE(dlg.IsChecked(id)) << id;
                  }
                  EXPECT_TRUE(dlg.IsEnabled(Dlg::kDBDetails));
                  for (int id : {Dlg::kDBFields, Dlg::kAutoParseFmts, Dlg::kFieldDetails}) {
                      EXPECT_FALSE(dlg.IsEnabled(id)) << id;
                  }
                  EXPECT_EQ(dlg.Focus(), Dlg::kDLFileStructure);
                  EXPECT_TRUE(d.PressEscape());
              }),
              ui::IDCANCEL);
    EXPECT_FALSE(std::filesystem::exists(path_)) << "Cancel stores nothing";
}

TEST_F(ReportOptionsTest, DetailsEnablesTheIndentedBoxesAndOkStoresEveryCheckMark) {
    UseFile("Recaster II.ini");
    EXPECT_EQ(Run([](ui::DialogDriver& d) {
                  Dlg& dlg = d.As<Dlg>();
                  EXPECT_FALSE(d.Press(Dlg::kFieldDetails)) << "disabled";
                  EXPECT_TRUE(d.Press(Dlg::kDBDetails));
                  EXPECT_TRUE(dlg.IsEnabled(Dlg::kFieldDetails));
                  EXPECT_TRUE(d.Press(Dlg::kFieldDetails));
                  EXPECT_TRUE(d.Press(Dlg::kDBList));
                  EXPECT_TRUE(d.Press(Dlg::kDBDetails));  // off again
                  EXPECT_FALSE(dlg.IsEnabled(Dlg::kFieldDetails));
                  EXPECT_TRUE(dlg.IsChecked(Dlg::kFieldDetails)) << "kept while disabled";
                  EXPECT_TRUE(d.PressEnter());
              }),
              ui::IDOK);
    const CCfgRptOptions stored = CCfgRptOptions::Read(settings_);
    EXPECT_EQ(stored, (CCfgRptOptions{1, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(ReadPointSize(settings_), 0);
    // The font record is "no font": its height alone.
    EXPECT_EQ(settings_.ReadText(kFontSection, "Height", "absent"), "0");
    EXPECT_EQ(settings_.ReadText(kFontSection, "Weight", "absent"), "absent");
}

TEST_F(ReportOptionsTest, OpensWithTheStoredChoicesAndCancelChangesNothing) {
    UseFile("Recaster II.ini");
    CCfgRptOptions{0, 1, 0, 7, 1, 0, -3}.Write(settings_);  // any non-zero value is on
    const std::string before = Ini();
    EXPECT_EQ(Run([](ui::DialogDriver& d) {
                  Dlg& dlg = d.As<Dlg>();
                  EXPECT_TRUE(dlg.IsChecked(Dlg::kDLFileStructure));
                  EXPECT_FALSE(dlg.IsChecked(Dlg::kDBList));
                  EXPECT_TRUE(dlg.IsChecked(Dlg::kDBDetails));
                  EXPECT_TRUE(dlg.IsChecked(Dlg::kDBFields));
                  EXPECT_FALSE(dlg.IsChecked(Dlg::kAutoParseFmts));
                  EXPECT_TRUE(dlg.IsChecked(Dlg::kFieldDetails));
                  EXPECT_TRUE(dlg.IsEnabled(Dlg::kAutoParseFmts));
                  EXPECT_TRUE(d.Press(Dlg::kDBList));
                  EXPECT_TRUE(d.Press(ui::IDCANCEL));
              }),
              ui::IDCANCEL);
    EXPECT_EQ(Ini(), before);
}

TEST_F(ReportOptionsTest, HelpOpensTheReportPageAndTheDialogStays) {
    UseFile("Recaster II.ini");
    Run([](ui::DialogDriver& d) {
        EXPECT_TRUE(d.Press(Dlg::kHelp));
        EXPECT_FALSE(d.dialog().IsEnded());
        d.PressEscape();
    });
    ASSERT_EQ(ui_.helpRequests().size(), 1u);
    EXPECT_EQ(ui_.helpRequests()[0].first, ui::HelpCommand::Topic);
    EXPECT_EQ(ui_.helpRequests()[0].second, Dlg::kHelpTopic);
}

TEST_F(ReportOptionsTest, OptionsThatCannotBeStoredKeepTheDialogOpen) {
    UseFile("Recaster II.ini");
    std::ofstream(dir_ + "/blocked");  // a file where a folder must be
    path_ = dir_ + "/blocked/Recaster II.ini";
    settings_ = SettingsKeyHelper("", path_);
    ui_.AnswerMessageBox(ui::IDOK, Dlg::kStoreFailedString);
    EXPECT_EQ(Run([](ui::DialogDriver& d) {
                  EXPECT_TRUE(d.Press(Dlg::kDBList));
                  EXPECT_TRUE(d.PressEnter());
                  EXPECT_FALSE(d.dialog().IsEnded());
                  EXPECT_TRUE(d.PressEscape());
              }),
              ui::IDCANCEL);
    ASSERT_EQ(ui_.messageBoxes().size(), 1u);
    EXPECT_NE(ui_.messageBoxes()[0].text.find("blocked/Recaster II.ini"), std::string::npos)
        << ui_.messageBoxes()[0].text;
}

TEST_F(ReportOptionsTest, TheFontIsReadOnlyWithAHeightAndItsFaceNameIsCutTo31Characters) {
    UseFile("fonts.ini");
    CCfgRptFontSpec font;
    EXPECT_FALSE(font.Read(settings_)) << "no height: no font";
    settings_.WriteText(kFontSection, "FaceName", "Ignored without a height");
    EXPECT_FALSE(font.Read(settings_));
    EXPECT_EQ(font.faceName, "System");

    CCfgRptFontSpec stored;
    stored.height = -13;
    stored.weight = 700;
    stored.italic = 1;
    stored.pitchAndFamily = 34;
    stored.faceName = std::string(40, 'F');
    stored.Write(settings_);
    ASSERT_TRUE(font.Read(settings_));
    EXPECT_EQ(font.height, -13);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.underline, 0);
    EXPECT_EQ(font.pitchAndFamily, 34);
    EXPECT_EQ(font.faceName, std::string(31, 'F'));
    // Windows-1252 in the model, UTF-8 in the file.
    stored.faceName = "Caf\xe9 Sans";
    stored.Write(settings_);
    EXPECT_EQ(settings_.ReadText(kFontSection, "FaceName"), "Caf\xc3\xa9 Sans");
    ASSERT_TRUE(font.Read(settings_));
    EXPECT_EQ(font.faceName, "Caf\xe9 Sans");
}

}  // namespace
}  // namespace recaster::report
