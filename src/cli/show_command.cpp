// recaster-cfg show FILE [--json]: the whole configuration, as text for
// people or as JSON for scripts.
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "cli/config_json.h"
#include "cli/config_text.h"
#include "cli/process_workforms.h"
#include "config/cfg_file.h"

namespace recaster::cli {
namespace {

int RunShow(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kShowCommand;
const Command kShowCommand{
    "show",
    "print a whole configuration, as text or JSON",
    "usage: recaster-cfg show FILE [--json]\n"
    "\n"
    "Prints the configuration in FILE: general information, download file\n"
    "structure, database identification, ignored lines, and every database with\n"
    "its document types and fields. Targets are named in the database's\n"
    "workform, read from the program's Forms/ folders (see 'workforms') and the\n"
    "reference manager's workform path.\n"
    "  --json   print one JSON document instead: texts in UTF-8, numbers as\n"
    "           stored, flags as true/false, ids of -1 as -1\n"
    "Exit status: 0 done, 1 FILE is damaged or not a configuration file, 2 bad\n"
    "arguments or FILE cannot be read.\n",
    RunShow,
};

namespace {

int RunShow(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kShowCommand, args, {"--json"}, 1, parsed, io)) return kExitUsage;
    const std::string& path = parsed.operands[0];
    // Fields of older files are completed with the workforms while they load.
    const workforms::WorkformCatalog& catalog = LoadedWorkforms(io);
    config::CCfgFile file(io.fs);
    return ReportingFileErrors(io, path, [&] {
        file.Open(path, store::OpenMode::ReadOnly);
        if (parsed.options.count("--json")) {
            // Built whole first, so a damaged file never gives half a document.
            io.out << ConfigToJson(file, catalog).dump(2) << "\n";
        } else {
            WriteConfigText(io.out, file, catalog);
        }
    });
}

}  // namespace
}  // namespace recaster::cli
