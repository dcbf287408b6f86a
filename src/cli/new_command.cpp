// recaster-cfg new FILE [--force]: writes a new configuration file holding
// exactly the records the editor's New command makes.
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "config/cfg_file.h"

namespace recaster::cli {
namespace {

int RunNew(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kNewCommand;
const Command kNewCommand{
    "new",
    "write a new, empty configuration file",
    "usage: recaster-cfg new FILE [--force]\n"
    "\n"
    "Writes a new configuration: general information, download file structure,\n"
    "the database list with the default database, no identification pairs and\n"
    "no ignored lines.\n"
    "  --force   replace FILE when it exists (without it an existing file is\n"
    "            left alone)\n"
    "Exit status: 0 written, 2 bad arguments, or FILE is a folder, exists (without\n"
    "--force) or cannot be written.\n",
    RunNew,
};

namespace {

int RunNew(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kNewCommand, args, {"--force"}, 1, parsed, io)) return kExitUsage;
    const std::string& path = parsed.operands[0];
    if (int rc = CheckOutputFile(io, path, parsed.options.count("--force") > 0)) return rc;
    return ReportingFileErrors(io, path, [&] {
        config::CCfgFile file(io.fs);
        file.Create(path);
    });
}

}  // namespace
}  // namespace recaster::cli
