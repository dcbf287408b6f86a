// A report's run: the steps in order, Stop between two of them, failures
// that keep what was written, and letting go of what the database loaded.
#include <gtest/gtest.h>

#include <sstream>

#include "report/report_test_util.h"
#include "report/report_text_writer.h"
#include "store/pager.h"

namespace recaster::report {
namespace {

using testutil::Database;
using testutil::SampleWorkforms;

// Stops before step `stopAt` and remembers the steps it was asked about.
class StopAt : public ReportProgress {
  public:
    explicit StopAt(int stopAt) : stopAt_(stopAt) {}
    bool Continue(int step) override {
        asked.push_back(step);
        return step != stopAt_;
    }
    std::vector<int> asked;

  private:
    int stopAt_;
};

class ReportRunTest : public ::testing::Test {
  protected:
    void SetUp() override { testutil::OpenSample(root_, "/Sample.cfg"); }

    store::MemFileSystem fs_;
    config::CCfgFile root_{fs_};
};

TEST_F(ReportRunTest, StopBetweenStepsKeepsTheFinishedStepsInTheFile) {
    const std::string whole = testutil::ReportText(root_, Database(root_, "MEDLIT"),
                                                   SampleWorkforms(), CCfgRptOptions::All());
    const size_t databases = whole.find("Database Definitions\r\n");
    ASSERT_NE(databases, std::string::npos);

    CCfgRptTextWriter writer(fs_);
    writer.SetOutputPath("/report.txt");
    CCfgReport report(root_, Database(root_, "MEDLIT"), SampleWorkforms(), CCfgRptOptions::All(),
                      writer, ReportTimeFromEpoch(testutil::kEpoch));
    StopAt stop(3);
    EXPECT_EQ(report.Run(stop), CCfgReport::Outcome::Aborted);
    EXPECT_EQ(stop.asked, (std::vector<int>{0, 1, 2, 3}));
    // Header and file structure, nothing after: the file holds them already,
    // before the writer goes.
    const std::vector<uint8_t> file = fs_.Get("/report.txt");
    EXPECT_EQ(std::string(file.begin(), file.end()), whole.substr(0, databases));

    StopAt never(-1);
    std::ostringstream out;
    CCfgRptStreamWriter all(out, "out");
    CCfgReport complete(root_, Database(root_, "MEDLIT"), SampleWorkforms(), CCfgRptOptions::All(),
                        all, ReportTimeFromEpoch(testutil::kEpoch));
    EXPECT_EQ(complete.Run(never), CCfgReport::Outcome::Completed);
    EXPECT_EQ(never.asked, (std::vector<int>{0, 1, 2, 3, 4, 5, 6})) << "no step 7";
    EXPECT_EQ(out.str(), whole);
}

TEST_F(ReportRunTest, AFailedWriteEndsTheRunAndKeepsWhatWasWritten) {
    CCfgRptTextWriter writer(fs_);
    writer.SetOutputPath("/report.txt");
    int writes = 0;
    fs_.SetFaultHook([&](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Write && path == "/report.txt" && ++writes == 3)
            throw FileError(FileError::Cause::DiskFull, path, "The disk is full");
    });
    CCfgReport report(root_, Database(root_, "MEDLIT"), SampleWorkforms(), CCfgRptOptions::All(),
                      writer, ReportTimeFromEpoch(testutil::kEpoch));
    StopAt never(-1);
    EXPECT_THROW(report.Run(never), FileError);
    EXPECT_EQ(report.step(), 3) << "steps 1 and 2 were written, step 3 failed";
    fs_.SetFaultHook({});
    const std::vector<uint8_t> file = fs_.Get("/report.txt");
    const std::string text(file.begin(), file.end());
    EXPECT_EQ(text.rfind("Recaster II Configuration Report\r\n", 0), 0u);
    EXPECT_NE(text.find("Lines to be Ignored:"), std::string::npos);
}

TEST_F(ReportRunTest, LoadedListsAreLetGoAfterTheDatabaseStepsUnlessAWindowShowsThem) {
    root_.Commit();
    config::CCfgDatabase* medlit = Database(root_, "MEDLIT");
    medlit->ReleaseChildren();
    // Unsaved changes tell a list kept in memory from one loaded again.
    medlit->GetDocTypeList()->DocType(1)->name = "in memory";
    config::CCfgFieldList* fields = medlit->GetFieldList();
    fields->Field(1)->description = "in memory";

    struct Window : config::ListViewLink {
        void RepaintList() override {}
        void ListDestroyed() override {}
    } window;
    fields->SetView(&window);
    std::ostringstream out;
    CCfgRptStreamWriter writer(out, "out");
    CCfgReport report(root_, medlit, SampleWorkforms(), CCfgRptOptions::All(), writer,
                      ReportTimeFromEpoch(testutil::kEpoch));
    StopAt never(-1);
    report.Run(never);
    EXPECT_EQ(root_.store().pager().CachedPages(), 0u) << "every unused buffer given back";
    EXPECT_EQ(medlit->GetFieldList()->Field(1)->description, "in memory") << "shown: kept";
    EXPECT_NE(medlit->GetDocTypeList()->DocType(1)->name, "in memory");

    fields->SetView(nullptr);
    report.Run(never);
    EXPECT_NE(medlit->GetFieldList()->Field(1)->description, "in memory");
}

}  // namespace
}  // namespace recaster::report
