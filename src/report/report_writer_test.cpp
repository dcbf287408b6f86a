// The writers and the date line: replacing a file, refusing one that is held
// open, write failures, NULs, and the date whatever the locale and zone.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <fstream>
#include <sstream>

#include "report/report_date.h"
#include "report/report_stream_writer.h"
#include "report/report_text_writer.h"
#include "store/file_system.h"
#include "store/temp_dir_test_util.h"

namespace recaster::report {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

TEST(ReportTextWriterTest, ReplacesAnExistingFileWholeAndEndsLinesWithCrLf) {
    store::MemFileSystem fs;
    fs.Put("/out/report.txt", std::vector<uint8_t>(100000, 'x'));
    {
        CCfgRptTextWriter writer(fs);
        writer.SetOutputPath("/out/report.txt");
        writer.WriteText(std::string_view("one\0two", 7));  // stops at the NUL
        writer.NewLine();
        writer.SectionBreak();
        writer.WriteText("caf\xe9");
        writer.Flush();
        EXPECT_EQ(fs.Get("/out/report.txt"), Bytes("one\r\n\r\ncaf\xe9"));
        // Held exclusively while the writer lives.
        auto other = fs.Open("/out/report.txt", store::OpenFlags{});
        EXPECT_FALSE(other->TryLock(store::LockKind::Shared));
        writer.WriteText("!");
    }
    // The destructor writes what was still buffered.
    EXPECT_EQ(fs.Get("/out/report.txt"), Bytes("one\r\n\r\ncaf\xe9!"));
}

class ReportFileTest : public store::testing::TempDirTest {};

TEST_F(ReportFileTest, AReportWrittenOverALinkReplacesTheFileBehindItWithItsModeAndOwner) {
    MakeLinkedFile("real.txt", "report.txt", "an older report");
    {
        CCfgRptTextWriter writer(store::PosixFileSystem());
        writer.SetOutputPath(Path("report.txt"));
        writer.WriteText("new");
    }
    std::ifstream in(Path("real.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
    ExpectLinkedFileKept("real.txt", "report.txt");
}

TEST(ReportTextWriterTest, AFileHeldOpenIsNeverDeleted) {
    store::MemFileSystem fs;
    fs.Put("/cfg/open.cfg", Bytes("configuration"));
    auto holder = fs.Open("/cfg/open.cfg", store::OpenFlags{.write = true});
    ASSERT_TRUE(holder->TryLock(store::LockKind::Exclusive));
    CCfgRptTextWriter writer(fs);
    try {
        writer.SetOutputPath("/cfg/open.cfg");
        FAIL() << "a held file was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::SharingViolation);
        EXPECT_EQ(e.path(), "/cfg/open.cfg");
    }
    EXPECT_EQ(fs.Get("/cfg/open.cfg"), Bytes("configuration"));
    EXPECT_THROW(writer.WriteText("x"), std::logic_error);
}

TEST(ReportTextWriterTest, AWriteFailureIsAFileErrorNamingTheFile) {
    store::MemFileSystem fs;
    CCfgRptTextWriter writer(fs);
    writer.SetOutputPath("/full/report.txt");
    fs.SetFaultHook([](store::FileOp op, const std::string& path) {
        if (op == store::FileOp::Write) throw FileError(FileError::Cause::DiskFull, path, "full");
    });
    writer.WriteText("text");
    try {
        writer.Flush();
        FAIL() << "the failed write was not reported";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::DiskFull);
        EXPECT_EQ(e.path(), "/full/report.txt");
    }
}

TEST(ReportStreamWriterTest, WritesTheSameBytesAndReportsAFailedStream) {
    std::ostringstream out;
    CCfgRptStreamWriter writer(out, "standard output");
    writer.WriteText("a\tb");
    writer.NewLine();
    writer.Flush();
    EXPECT_EQ(out.str(), "a\tb\r\n");
    out.setstate(std::ios::badbit);
    EXPECT_THROW(writer.Flush(), FileError);
}

TEST(ReportDateTest, EnglishTwelveHourTextWhateverTheLocale) {
    std::setlocale(LC_ALL, "");  // as the desktop program runs
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_wday = 2;
    t.tm_hour = 0;
    t.tm_min = 7;
    EXPECT_EQ(FormatReportDate(t), "Tuesday, March 05, 2024 12:07AM");
    t.tm_hour = 12;
    EXPECT_EQ(FormatReportDate(t), "Tuesday, March 05, 2024 12:07PM");
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_wday = 0;
    t.tm_mon = 11;
    EXPECT_EQ(FormatReportDate(t), "Sunday, December 05, 2024 11:59PM");
    std::setlocale(LC_ALL, "C");
}

TEST(ReportDateTest, SourceDateEpochIsUsedInUtcAndMustBeANumber) {
    ::setenv("TZ", "America/New_York", 1);
    ::tzset();
    ::setenv("SOURCE_DATE_EPOCH", "0", 1);
    EXPECT_EQ(FormatReportDate(ReportTimeNow()), "Thursday, January 01, 1970 12:00AM");
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    EXPECT_EQ(FormatReportDate(ReportTimeNow()), "Tuesday, November 14, 2023 10:13PM");
    for (const char* bad : {"-1", "12abc", " 5", "1e9", "99999999999999999999999"}) {
        ::setenv("SOURCE_DATE_EPOCH", bad, 1);
        EXPECT_THROW(ReportTimeNow(), BadReportDate) << bad;
    }
    // Empty counts as not set: the clock.
    ::setenv("SOURCE_DATE_EPOCH", "", 1);
    EXPECT_NO_THROW(ReportTimeNow());
    ::unsetenv("SOURCE_DATE_EPOCH");
    ::unsetenv("TZ");
    ::tzset();
}

}  // namespace
}  // namespace recaster::report
