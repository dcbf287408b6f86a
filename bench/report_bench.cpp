// report_bench [ROUNDS]
//
// Times the configuration report of a large database through the code of
// `recaster-cfg report`: a configuration file is built in a temporary
// folder with a database of 1000 fields (500 of them subfields of 125
// "Parsed with Subfields" fields), alternate targets in four workforms, 20
// document types and its own parsing and author formats; then
//   - the whole command (open the file, load the database, write the report
//     file) runs ROUNDS times (default 20), and
//   - the report steps alone run ROUNDS times on the open file, writing
//     into memory,
// and the median and the fastest time of each are printed with the
// report's size. Workforms come from Forms/ beside the program, as the
// command finds them.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/process_workforms.h"
#include "cli/tool.h"
#include "config/cfg_file.h"
#include "config/doc_type.h"
#include "config/lists.h"
#include "config/sample_config.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_stream_writer.h"

namespace recaster::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTopLevel = 500;
constexpr int kParents = 125;  // every fourth top-level field
constexpr int kSubfieldsEach = 4;
constexpr int kDocTypes = 20;
constexpr uint16_t kAlternateWorkforms[] = {0, 2, 5, 8};

std::unique_ptr<config::CCfgField> NewField(const std::string& tag, uint16_t type, int i) {
    auto f = std::make_unique<config::CCfgField>();
    f->tag = tag;
    f->description = "Field number " + std::to_string(i) + " of the large database";
    f->type = type;
    f->defaultTarget = static_cast<uint8_t>(i % 46 == 45 ? config::kNoTarget : i % 45);
    f->compressSpaces = i % 2 == 0;
    f->separator = "; ";
    for (uint16_t w : kAlternateWorkforms) {
        f->SetAlternateTarget(w, static_cast<uint8_t>((i + w * 7) % 45));
    }
    return f;
}

// The sample configuration plus database "BIG".
void BuildLargeConfig(const std::string& path) {
    config::CCfgFile root;
    root.Create(path);
    root.Open(path, store::OpenMode::ReadWrite);
    config::BuildSampleConfig(root);
    auto owned = std::make_unique<config::CCfgDatabase>();
    owned->name = "BIG";
    owned->description = "A database of a thousand fields";
    owned->workform = 1;
    owned->useDefaultParseFormat = false;
    owned->useDefaultAuthorFormat = false;
    owned->authorFormat = 2;
    owned->authorSeparator = "; ";
    config::CCfgDBList& dbs = *root.GetDBList();
    config::CCfgDatabase& db = *dbs.Database(dbs.Add(std::move(owned)));
    for (int i = 0; i < kDocTypes; ++i) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = "Document type " + std::to_string(100 + i);
        type->workform = static_cast<uint16_t>(i % 20);
        db.GetDocTypeList()->Add(std::move(type));
    }
    config::CCfgFieldList& fields = *db.GetFieldList();
    constexpr uint16_t kTypes[] = {config::kFieldNormalText, config::kFieldMultiText,
                                   config::kFieldDate, config::kFieldParsed};
    int n = 0;
    for (int i = 0; i < kTopLevel; ++i) {
        char tag[8];
        std::snprintf(tag, sizeof tag, "F%03d", i);
        const bool parent = i % (kTopLevel / kParents) == 0;
        auto f = NewField(tag, parent ? uint16_t{config::kFieldParsedWithSubfields} : kTypes[i % 4],
                          n++);
        f->subfieldPrecededBy = "$";
        config::CCfgField* p = fields.Field(fields.Add(std::move(f)));
        if (!parent) continue;
        for (int s = 0; s < kSubfieldsEach; ++s) {
            auto sub =
                NewField(std::string(1, static_cast<char>('a' + s)), config::kFieldNormalText, n++);
            sub->parent = p;
            sub->parentId = p->GetId();
            fields.Add(std::move(sub));
        }
    }
    root.Commit();
}

struct Figures {
    double median = 0;
    double fastest = 0;
};

Figures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

int Main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::string dir = (std::filesystem::temp_directory_path() / "report-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::perror("report_bench: mkdtemp");
        return 2;
    }
    const std::string cfg = dir + "/Large.cfg";
    const std::string out = dir + "/report.txt";
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    BuildLargeConfig(cfg);

    // The command as a user runs it.
    std::ostringstream sink;
    cli::CommandIo io{sink, std::cerr, store::PosixFileSystem()};
    const workforms::WorkformCatalog& catalog = cli::LoadedWorkforms(io);
    std::vector<double> command;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        const int rc = cli::RunTool({"report", cfg, "--database", "BIG", "-o", out, "--force"}, io);
        command.push_back(Ms(Clock::now() - start));
        if (rc != 0) return rc;
    }
    const uintmax_t bytes = std::filesystem::file_size(out);

    // The report's steps alone, on the open file, into memory.
    config::CCfgFile root;
    root.Open(cfg, store::OpenMode::ReadOnly);
    config::CCfgDatabase* big = nullptr;
    for (int i = 1; i <= root.GetDBList()->GetCount(); ++i) {
        if (root.GetDBList()->Database(i)->name == "BIG") big = root.GetDBList()->Database(i);
    }
    if (big == nullptr || big->GetFieldList()->GetCount() != kTopLevel + kParents * kSubfieldsEach)
        throw std::runtime_error("the large database was not built as intended");
    std::vector<double> steps;
    std::string text;
    for (int r = 0; r < rounds; ++r) {
        std::ostringstream memory;
        report::CCfgRptStreamWriter writer(memory, "memory");
        report::CCfgReport run(root, big, catalog, report::CCfgRptOptions::All(), writer,
                               report::ReportTimeNow());
        report::RunToEnd toEnd;
        const auto start = Clock::now();
        run.Run(toEnd);
        steps.push_back(Ms(Clock::now() - start));
        text = memory.str();
    }
    std::filesystem::remove_all(dir);

    const Figures c = Summarise(command);
    const Figures s = Summarise(steps);
    std::printf(
        "Report of a database of %d fields (%d subfields), %d document types, "
        "alternate targets in %zu workforms; %d workforms loaded; every section on.\n",
        kTopLevel + kParents * kSubfieldsEach, kParents * kSubfieldsEach, kDocTypes,
        std::size(kAlternateWorkforms), catalog.Count());
    std::printf("  report size                         %ju bytes, %zu lines\n", bytes,
                static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    std::printf("  recaster-cfg report (whole command) median %7.2f ms   fastest %7.2f ms\n",
                c.median, c.fastest);
    std::printf("  report steps alone (into memory)    median %7.2f ms   fastest %7.2f ms\n",
                s.median, s.fastest);
    std::printf("  (%d rounds each)\n", rounds);
    return 0;
}

}  // namespace
}  // namespace recaster::bench

int main(int argc, char** argv) {
    try {
        return recaster::bench::Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "report_bench: %s\n", e.what());
        return 2;
    }
}
