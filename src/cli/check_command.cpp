// recaster-cfg check FILE: verifies the page store of a configuration file and,
// when it holds a configuration, its objects and the references between them;
// lists every problem, one per line, then a summary line.
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "cli/config_graph.h"
#include "store/check.h"
#include "store/store.h"

namespace recaster::cli {
namespace {

void PrintSummary(std::ostream& os, const std::string& path, const store::CheckReport& r) {
    os << path << ": ";
    if (r.ok()) {
        os << "sound";
    } else {
        os << r.problems.size() << (r.problems.size() == 1 ? " problem" : " problems");
    }
    os << "; " << r.pages << " pages (" << r.leafPages << " leaf, " << r.internalPages
       << " internal, " << r.overflowPages << " overflow, " << r.freePages << " free), "
       << r.records << " records, height " << r.height << "\n";
}

int RunCheck(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kCheckCommand;
const Command kCheckCommand{
    "check",
    "verify the structure of a configuration file",
    "usage: recaster-cfg check FILE\n"
    "\n"
    "Opens FILE read-only and verifies its page store: header, tree pages, links,\n"
    "separators, overflow chains, free list, and that every page is used once.\n"
    "When FILE holds a configuration, also decodes every record and checks that\n"
    "every id a list or database names exists with the right type and only once,\n"
    "that the lists are in order, and that every record is referred to.\n"
    "Prints one line per problem, then a summary line with the counts.\n"
    "Exit status: 0 sound, 1 problems found or FILE is not a configuration file,\n"
    "2 bad arguments or FILE cannot be read.\n",
    RunCheck,
};

namespace {

int RunCheck(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kCheckCommand, args, {}, 1, parsed, io)) return kExitUsage;
    const std::string& path = parsed.operands[0];
    store::Store s(store::DefaultKeyOrder(), io.fs);
    if (int rc = ReportingFileErrors(io, path, [&] { s.Open(path, store::OpenMode::ReadOnly); }))
        return rc;
    store::CheckReport report;
    if (int rc = ReportingFileErrors(io, path, [&] {
            report = store::CheckStore(s.pager(), s.order());
            // The records are read only through a tree the store check found sound.
            if (report.ok() && IsConfiguration(s)) {
                for (std::string& p : CheckConfigGraph(s)) report.problems.push_back(std::move(p));
            }
        }))
        return rc;
    for (const std::string& p : report.problems) io.out << p << "\n";
    PrintSummary(io.out, path, report);
    return report.ok() ? kExitOk : kExitProblems;
}

}  // namespace
}  // namespace recaster::cli
