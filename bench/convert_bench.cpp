// convert_bench [ROUNDS] [DOCTYPES]
//
// Times the conversion of a large version-2 configuration through the code
// of `recaster-cfg convert`. The old file is written in a temporary folder
// with the version-2 writer: 200 databases of 50 fields each (besides the
// empty default one) (every tenth a
// Parsed field with its own old targets table, every tenth a "Parsed with
// Subfields" field followed by two subfields), DOCTYPES document types per
// database (default 2), alternate targets in three workforms, and every
// fourth database on the user-defined workform U or V. Then
//   recaster-cfg convert OLD NEW --map U=F,V=E --force
// runs ROUNDS times (default 5) and the median and fastest times are printed
// with the sizes of both files. Workforms come from Forms/ beside the
// program, as the command finds them.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/process_workforms.h"
#include "cli/tool.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "convert/version2_writer.h"

namespace recaster::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDatabases = 200;
constexpr int kFields = 50;  // per database, subfields included
constexpr uint16_t kAlternateWorkforms[] = {0, 2, 8};
constexpr uint16_t kU = 20;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::unique_ptr<config::CCfgField> NewField(const std::string& tag, uint16_t type, int i) {
    auto f = std::make_unique<config::CCfgField>();
    f->tag = tag;
    f->description = "Field " + std::to_string(i) + " of a database of the old file";
    f->type = type;
    f->defaultTarget = static_cast<uint8_t>(i % 45);
    f->compressSpaces = i % 2 == 0;
    f->separator = "; ";
    for (uint16_t w : kAlternateWorkforms)
        f->SetAlternateTarget(w, static_cast<uint8_t>((i + w) % 45));
    return f;
}

void AddDatabase(config::CCfgDBList& dbs, int d, int docTypes) {
    auto owned = std::make_unique<config::CCfgDatabase>();
    char name[16];
    std::snprintf(name, sizeof name, "DB%03d", d);
    owned->name = name;
    owned->description = "Database " + std::to_string(d) + " of the old configuration";
    owned->workform = d % 4 == 0 ? static_cast<uint16_t>(kU + d / 4 % 2) : d % 20;
    owned->useDefaultParseFormat = d % 3 != 0;
    owned->useDefaultAuthorFormat = false;
    owned->authorFormat = static_cast<uint8_t>(d % 3);
    config::CCfgDatabase& db = *dbs.Database(dbs.Add(std::move(owned)));
    for (int t = 0; t < docTypes; ++t) {
        auto type = std::make_unique<config::CCfgDocType>();
        type->name = "Type " + std::to_string(t);
        type->workform = t == 0 && d % 4 == 0 ? kU : static_cast<uint16_t>((d + t) % 20);
        db.GetDocTypeList()->Add(std::move(type));
    }
    config::CCfgFieldList& fields = *db.GetFieldList();
    int n = 0;
    while (n < kFields) {
        char tag[8];
        std::snprintf(tag, sizeof tag, "T%02d", n);
        const bool parent = n % 10 == 5 && n + 2 < kFields;
        const uint16_t type = parent        ? uint16_t{config::kFieldParsedWithSubfields}
                              : n % 10 == 0 ? uint16_t{config::kFieldParsed}
                                            : uint16_t{config::kFieldNormalText};
        auto f = NewField(tag, type, n++);
        if (type == config::kFieldParsed) {
            config::CCfgParseFormat format;
            for (size_t r = 0; r < 5; ++r) format.rows[r].component = static_cast<uint8_t>(20 + r);
            f->parseFormats.Set("", format);
        }
        config::CCfgField* p = fields.Field(fields.Add(std::move(f)));
        if (!parent) continue;
        for (int s = 0; s < 2; ++s) {
            auto sub =
                NewField(std::string(1, static_cast<char>('a' + s)), config::kFieldNormalText, n++);
            sub->parent = p;
            fields.Add(std::move(sub));
        }
    }
    db.ReleaseChildren();
}

int Main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int docTypes = argc > 2 ? std::max(0, std::atoi(argv[2])) : 2;
    std::string dir = (std::filesystem::temp_directory_path() / "convert-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::perror("convert_bench: mkdtemp");
        return 2;
    }
    const std::string oldPath = dir + "/Old.cfg";
    const std::string newPath = dir + "/New.cfg";

    const auto built = Clock::now();
    {
        store::MemFileSystem memory;
        config::CCfgFile content(memory);
        content.Create("/content.cfg");
        content.Open("/content.cfg");
        for (int d = 1; d <= kDatabases; ++d) AddDatabase(*content.GetDBList(), d, docTypes);
        convert::WriteVersion2File(content, oldPath, store::PosixFileSystem());
    }
    const double writeMs = Ms(Clock::now() - built);

    std::ostringstream out;
    cli::CommandIo io{out, std::cerr, store::PosixFileSystem()};
    const workforms::WorkformCatalog& catalog = cli::LoadedWorkforms(io);
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        out.str("");
        const auto start = Clock::now();
        const int rc =
            cli::RunTool({"convert", oldPath, newPath, "--map", "U=F,V=E", "--force"}, io);
        times.push_back(Ms(Clock::now() - start));
        if (rc != 0) return rc;
    }
    const uintmax_t oldBytes = std::filesystem::file_size(oldPath);
    const uintmax_t newBytes = std::filesystem::file_size(newPath);
    const std::string summary = out.str();
    std::filesystem::remove_all(dir);

    std::sort(times.begin(), times.end());
    std::printf(
        "Conversion of a version-2 file: %d databases of %d fields and %d document "
        "types each, and the default database; %d workforms loaded.\n",
        kDatabases, kFields, docTypes, catalog.Count());
    std::printf("  %s", summary.substr(summary.rfind('\n', summary.size() - 2) + 1).c_str());
    std::printf("  old file %ju bytes (written in %.0f ms), new file %ju bytes\n", oldBytes,
                writeMs, newBytes);
    std::printf("  recaster-cfg convert (whole command) median %7.1f ms   fastest %7.1f ms\n",
                times[times.size() / 2], times.front());
    std::printf("  (%d rounds)\n", rounds);
    return 0;
}

}  // namespace
}  // namespace recaster::bench

int main(int argc, char** argv) {
    try {
        return recaster::bench::Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "convert_bench: %s\n", e.what());
        return 2;
    }
}
