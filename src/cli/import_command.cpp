// recaster-cfg import JSON NEW [--force]: a new configuration file from the
// text form that export writes (textform/config_import.h).
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "textform/config_import.h"
#include "textform/text_file.h"

namespace recaster::cli {
namespace {

int RunImport(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kImportCommand;
const Command kImportCommand{
    "import",
    "build a configuration file from its JSON text",
    "usage: recaster-cfg import JSON NEW [--force]\n"
    "\n"
    "Builds the new version-3 configuration file NEW from JSON, the text that\n"
    "'export' writes; exporting NEW gives that text again. Members left out\n"
    "take the values of a new object; members the text form does not have are\n"
    "refused. Lists are taken in the order given and must be in the editor's\n"
    "order. Everything the editor's dialogs check is checked (lengths, ranges,\n"
    "the pattern rules), and what the lists need: a first, default database,\n"
    "unique database names and field tags, subfields only under a field of type\n"
    "Parsed with Subfields, seven rows per parse format. Each problem is one\n"
    "line naming its JSON path, and then nothing is written.\n"
    "  --force   replace NEW when it exists (without it an existing file is\n"
    "            left alone)\n"
    "Exit status: 0 written, 1 JSON is not JSON or has problems, 2 bad arguments,\n"
    "JSON cannot be read, or NEW is a folder, exists (without --force) or cannot\n"
    "be written.\n",
    RunImport,
};

namespace {

int RunImport(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kImportCommand, args, {"--force"}, 2, parsed, io)) return kExitUsage;
    const std::string& jsonPath = parsed.operands[0];
    const std::string& newPath = parsed.operands[1];
    if (textform::IsSameFile(io.fs, jsonPath, newPath)) {
        ReportError(io, newPath, "this is the JSON file itself; choose another NEW");
        return kExitUsage;
    }
    if (int rc = CheckOutputFile(io, newPath, parsed.options.count("--force") > 0)) return rc;
    std::string text;
    if (int rc = ReportingFileErrors(io, jsonPath,
                                     [&] { text = textform::ReadTextFile(io.fs, jsonPath); }))
        return rc;
    std::string syntaxError;
    std::optional<textform::Json> document = textform::ParseJson(text, syntaxError);
    if (!document) {
        ReportError(io, jsonPath, "not JSON: " + syntaxError);
        return kExitProblems;
    }
    textform::ImportResult result = textform::ImportConfig(*document);
    if (!result.config) {
        for (const textform::ImportProblem& p : result.problems)
            ReportError(io, jsonPath + (p.path.empty() ? "" : ": " + p.path), p.message);
        io.err << "recaster-cfg: " << jsonPath << ": " << result.problems.size()
               << (result.problems.size() == 1 ? " problem" : " problems") << "; " << newPath
               << " was not written\n";
        return kExitProblems;
    }
    return ReportingFileErrors(
        io, newPath, [&] { textform::WriteConfig(std::move(result.config), newPath, io.fs); });
}

}  // namespace
}  // namespace recaster::cli
