// recaster-cfg export FILE [-o OUT]: the text form of a configuration, JSON
// for version control, diffs and scripts (textform/config_export.h).
#include <optional>
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "cli/process_workforms.h"
#include "config/cfg_file.h"
#include "textform/config_export.h"
#include "textform/text_file.h"

namespace recaster::cli {
namespace {

int RunExport(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kExportCommand;
const Command kExportCommand{
    "export",
    "write a configuration as JSON text, for version control",
    "usage: recaster-cfg export FILE [-o OUT]\n"
    "\n"
    "Writes the configuration in FILE as JSON: every member of every object,\n"
    "the lists in their order, keys in a fixed order, two-space indentation,\n"
    "texts in UTF-8; object ids are left out. Equal configurations give equal\n"
    "text and a small change a small diff. 'import' builds the configuration\n"
    "again from it.\n"
    "  -o OUT   write to OUT instead of standard output; OUT is replaced only\n"
    "           once the whole text is written\n"
    "Exit status: 0 written, 1 FILE is damaged or not a configuration file, 2 bad\n"
    "arguments, FILE cannot be read, or OUT is a folder or cannot be written.\n",
    RunExport,
};

namespace {

bool UsageError(CommandIo& io, const std::string& message) {
    io.err << "recaster-cfg export: " << message << "\n" << kExportCommand.usage;
    return false;
}

bool Parse(const std::vector<std::string>& args, std::string& file,
           std::optional<std::string>& output, CommandIo& io) {
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            operands.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "-o") {
            if (i + 1 == args.size()) return UsageError(io, "option '-o' needs a value");
            output = args[++i];
        } else {
            return UsageError(io, "unknown option '" + a + "'");
        }
    }
    if (operands.size() != 1)
        return UsageError(io, "expected 1 file name, got " + std::to_string(operands.size()));
    file = operands[0];
    return true;
}

int RunExport(const std::vector<std::string>& args, CommandIo& io) {
    std::string path;
    std::optional<std::string> output;
    if (!Parse(args, path, output, io)) return kExitUsage;
    if (output && textform::IsSameFile(io.fs, path, *output)) {
        ReportError(io, *output, "this is the configuration file itself; choose another OUT");
        return kExitUsage;
    }
    if (output) {
        if (int rc = CheckOutputFile(io, *output, true)) return rc;
    }
    // Fields of older files are completed with the workforms while they load.
    LoadedWorkforms(io);
    config::CCfgFile file(io.fs);
    std::string text;
    if (int rc = ReportingFileErrors(io, path, [&] {
            file.Open(path, store::OpenMode::ReadOnly);
            config::ConfigParts parts = config::PartsOf(file);
            text = textform::ExportText(parts);
        }))
        return rc;
    if (!output) {
        io.out << text;
        return kExitOk;
    }
    return ReportingFileErrors(io, *output,
                               [&] { textform::ReplaceTextFile(io.fs, *output, text); });
}

}  // namespace
}  // namespace recaster::cli
