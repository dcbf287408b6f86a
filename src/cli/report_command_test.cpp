// recaster-cfg report: the report's bytes on standard output and in a file,
// the sections, finding the database, and the refusals.
#include <stdlib.h>

#include "cli/cli_test_util.h"
#include "cli/process_workforms.h"
#include "config/lists.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_stream_writer.h"

namespace recaster::cli {
namespace {

class ReportCommandTest : public testutil::CliTest {
  protected:
    void SetUp() override {
        ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
        WriteSample("/cfg/Sample.cfg");
    }
    void TearDown() override { ::unsetenv("SOURCE_DATE_EPOCH"); }

    // The report of `database` as the report code writes it.
    std::string Expected(const std::string& database, const report::CCfgRptOptions& options) {
        std::ostringstream ignored;
        CommandIo io{ignored, ignored, fs_};
        const workforms::WorkformCatalog& catalog = LoadedWorkforms(io);  // as the command does
        config::CCfgFile file(fs_);
        file.Open("/cfg/Sample.cfg", store::OpenMode::ReadOnly);
        config::CCfgDatabase* db = nullptr;
        for (int i = 1; i <= file.GetDBList()->GetCount(); ++i) {
            if (file.GetDBList()->Database(i)->name == database) db = file.GetDBList()->Database(i);
        }
        EXPECT_NE(db, nullptr);
        std::ostringstream out;
        report::CCfgRptStreamWriter writer(out, "expected");
        report::CCfgReport run(file, db, catalog, options, writer, report::ReportTimeNow());
        report::RunToEnd toEnd;
        run.Run(toEnd);
        return out.str();
    }
    std::string File(const std::string& path) {
        const std::vector<uint8_t> bytes = fs_.Get(path);
        return {bytes.begin(), bytes.end()};
    }
};

TEST_F(ReportCommandTest, WritesTheReportToStandardOutputOrAFile) {
    const std::string all = Expected("MEDLIT", report::CCfgRptOptions::All());
    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT"}), kExitOk) << err();
    EXPECT_EQ(out(), all);
    EXPECT_NE(out().find("(10) Journal Title"), std::string::npos) << "named from the workforms";

    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database=MEDLIT", "--all", "-o", "/r.txt"}),
              kExitOk)
        << err();
    EXPECT_EQ(out(), "");
    EXPECT_EQ(File("/r.txt"), all);

    // An existing file stays unless --force.
    fs_.Put("/keep.txt", {'k'});
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "-o", "/keep.txt"}),
              kExitNoAccess);
    EXPECT_NE(err().find("--force"), std::string::npos) << err();
    EXPECT_EQ(File("/keep.txt"), "k");
    EXPECT_EQ(
        Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "-o", "/keep.txt", "--force"}),
        kExitOk);
    EXPECT_EQ(File("/keep.txt"), all);
}

TEST_F(ReportCommandTest, SectionsAreTheSixBoxesInTheirOrder) {
    report::CCfgRptOptions some = report::CCfgRptOptions::All(false);
    some.dlFileStructure = some.dbDetails = some.autoParseFmts = 1;
    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "--sections",
                   "structure,details,parsing"}),
              kExitOk)
        << err();
    EXPECT_EQ(out(), Expected("MEDLIT", some));

    report::CCfgRptOptions others = report::CCfgRptOptions::All(false);
    others.dbList = others.dbFields = others.fieldDetails = 1;
    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "--sections",
                   "databases,fields,field-details"}),
              kExitOk);
    EXPECT_EQ(out(), Expected("MEDLIT", others));

    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "--sections", ""}),
              kExitOk);
    EXPECT_EQ(out(), Expected("MEDLIT", report::CCfgRptOptions::All(false)));

    for (std::vector<std::string> bad : {
             std::vector<std::string>{"--sections", "structure,everything"},
             std::vector<std::string>{"--sections", "details", "--all"},
             std::vector<std::string>{"--sections"},
             std::vector<std::string>{"--verbose"},
         }) {
        std::vector<std::string> args{"report", "/cfg/Sample.cfg", "--database", "MEDLIT"};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Run(args), kExitUsage) << bad[0];
        EXPECT_NE(err().find("usage: recaster-cfg report"), std::string::npos);
        EXPECT_EQ(out(), "");
    }
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg"}), kExitUsage);
    EXPECT_NE(err().find("--database NAME is required"), std::string::npos) << err();
}

TEST_F(ReportCommandTest, TheDatabaseIsFoundByItsExactNameElseIgnoringCase) {
    ASSERT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "agridoc"}), kExitOk) << err();
    EXPECT_EQ(out(), Expected("AGRIDOC", report::CCfgRptOptions::All()));

    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "AGRI"}), kExitProblems);
    EXPECT_EQ(out(), "");
    EXPECT_NE(err().find("no database named 'AGRI'; its databases are: Default, 007, AGRIDOC, "
                         "BOOKCAT, ENGIN, MEDLIT"),
              std::string::npos)
        << err();
    // A name the code page cannot hold matches nothing.
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "\xe2\x98\x83"}), kExitProblems);
}

TEST_F(ReportCommandTest, FilesThatCannotBeReadOrWrittenAndABadDate) {
    EXPECT_EQ(Run({"report", "/cfg/Missing.cfg", "--database", "MEDLIT"}), kExitNoAccess);
    EXPECT_NE(err().find("/cfg/Missing.cfg"), std::string::npos) << err();

    // The configuration itself as the output: it is open, so it is refused.
    const std::vector<uint8_t> config = fs_.Get("/cfg/Sample.cfg");
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "-o", "/cfg/Sample.cfg",
                   "--force"}),
              kExitNoAccess);
    EXPECT_EQ(fs_.Get("/cfg/Sample.cfg"), config);

    fs_.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Write && path == "/full.txt")
            throw FileError(FileError::Cause::DiskFull, path, "The disk is full");
    });
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT", "-o", "/full.txt"}),
              kExitNoAccess);
    EXPECT_EQ(err(), "recaster-cfg: /full.txt: The disk is full\n");
    fs_.SetFaultHook({});

    ::setenv("SOURCE_DATE_EPOCH", "soon", 1);
    EXPECT_EQ(Run({"report", "/cfg/Sample.cfg", "--database", "MEDLIT"}), kExitUsage);
    EXPECT_NE(err().find("SOURCE_DATE_EPOCH=\"soon\""), std::string::npos) << err();
}

}  // namespace
}  // namespace recaster::cli
