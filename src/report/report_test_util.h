// Test helpers of the report: configurations to report on, workform
// catalogs, running a report into a string, and the expected report files of
// testdata/ (RECASTER_UPDATE_EXPECTED=1 rewrites them from the code, for a
// change that is then read line by line before it is committed).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/paths.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "config/sample_config.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_stream_writer.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_loader.h"
#include "workforms/workform_locator.h"

#ifndef RECASTER_REPORT_TESTDATA
#error "the build defines RECASTER_REPORT_TESTDATA"
#endif

namespace recaster::report::testutil {

// 14 November 2023, 22:13:20 UTC: a Tuesday evening.
inline constexpr const char* kEpoch = "1700000000";

// The sample workforms that the build puts in Forms/ beside the tests.
inline const workforms::WorkformCatalog& SampleWorkforms() {
    static const workforms::WorkformCatalog* catalog = [] {
        auto* c = new workforms::WorkformCatalog;
        const auto locator = workforms::WorkformLocator::ForDirectories(ProgramDirectory(), "");
        workforms::LoadWorkforms(*c, locator.Candidates());
        return c;
    }();
    return *catalog;
}

// Three workforms whose differences the alternate targets show: B ("Book",
// the edge database's own) uses every field; A ("Article") lacks field 9,
// so a target of 9 lands on 10 there; I ("Manuscript") lacks field 11, so a
// target of 10 lands on 7 there.
inline workforms::WorkformFile Form(workforms::WorkformId id, const std::string& name,
                                    const std::string& prefix, int missing) {
    workforms::WorkformFile form;
    form.id = id;
    form.name = name;
    for (int n = 1; n <= workforms::kFieldCount; ++n) {
        form.field_names[n - 1] = prefix + " " + std::to_string(n);
        if (n != missing) form.defined_fields.Add(n);
    }
    return form;
}

inline const workforms::WorkformCatalog& EdgeWorkforms() {
    static const workforms::WorkformCatalog* catalog = [] {
        auto* c = new workforms::WorkformCatalog;
        c->Add(Form(0, "Article", "Art", 9));
        c->Add(Form(1, "Book", "Book", 0));
        c->Add(Form(8, "Manuscript", "Ms", 11));
        return c;
    }();
    return *catalog;
}

// A report run to its end into a string, dated kEpoch.
inline std::string ReportText(config::CCfgFile& root, config::CCfgDatabase* db,
                              const workforms::WorkformCatalog& catalog,
                              const CCfgRptOptions& options) {
    std::ostringstream out;
    CCfgRptStreamWriter writer(out, "test");
    CCfgReport report(root, db, catalog, options, writer, ReportTimeFromEpoch(kEpoch));
    RunToEnd toEnd;
    EXPECT_EQ(report.Run(toEnd), CCfgReport::Outcome::Completed);
    return out.str();
}

inline std::string ExpectedPath(const std::string& name) {
    return std::string(RECASTER_REPORT_TESTDATA) + "/" + name;
}

// Compares `actual` with the expected file, byte for byte.
inline void ExpectReportFile(const std::string& name, const std::string& actual) {
    const std::string path = ExpectedPath(name);
    if (const char* update = std::getenv("RECASTER_UPDATE_EXPECTED"); update && *update == '1') {
        std::ofstream(path, std::ios::binary) << actual;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing expected report " << path;
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << "differs from " << path;
}

// The database named `name`.
inline config::CCfgDatabase* Database(config::CCfgFile& root, const std::string& name) {
    config::CCfgDBList& list = *root.GetDBList();
    for (int i = 1; i <= list.GetCount(); ++i) {
        if (list.Database(i)->name == name) return list.Database(i);
    }
    ADD_FAILURE() << "no database " << name;
    return nullptr;
}

// The sample configuration, open for writing at `path` of `fs`.
inline void OpenSample(config::CCfgFile& root, const std::string& path) {
    root.Create(path);
    root.Open(path, store::OpenMode::ReadWrite);
    config::BuildSampleConfig(root);
}

}  // namespace recaster::report::testutil
