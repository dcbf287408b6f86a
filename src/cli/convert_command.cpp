// recaster-cfg convert OLD NEW [--map U=A,V=B,...] [--force]: the desktop
// program's conversion of a version-2 file, with the answers given on the
// command line instead of asked.
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "base/cp1252.h"
#include "base/errors.h"
#include "cli/command.h"
#include "cli/process_workforms.h"
#include "convert/conversion.h"
#include "textform/text_file.h"

namespace recaster::cli {
namespace {

int RunConvert(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kConvertCommand;
const Command kConvertCommand{
    "convert",
    "convert a configuration file of the older format (version 2)",
    "usage: recaster-cfg convert OLD NEW [--map U=A,V=B,...] [--force]\n"
    "\n"
    "Converts OLD, a configuration file of the older format (version 2), into\n"
    "NEW, a file of the current format, as the desktop program does when it opens\n"
    "OLD. OLD is only read and stays as it is. The user-defined workforms U to Z\n"
    "that OLD's databases and document types use are replaced by workforms:\n"
    "  --map LIST  comma-separated LETTER=WORKFORM pairs, LETTER one of U to Z\n"
    "              and WORKFORM a workform letter A to T (U=F,V=E); a letter OLD\n"
    "              uses and LIST does not name becomes what the desktop program\n"
    "              offers first: the same letter's workform, else Y's, else the\n"
    "              first workform by name\n"
    "  --force     replace NEW when it exists (without it an existing file is\n"
    "              left alone); it is replaced only once the conversion is done\n"
    "Prints what each user-defined workform became. On failure NEW is not left\n"
    "behind. Workforms are read from Forms/ beside the program and the reference\n"
    "manager's workform path.\n"
    "Exit status: 0 converted, 1 OLD is damaged or not of version 2, 2 bad\n"
    "arguments, OLD cannot be read, or NEW is OLD, a folder, exists (without\n"
    "--force) or cannot be written.\n",
    RunConvert,
};

namespace {

using workforms::WorkformId;

struct ConvertArguments {
    std::string oldPath;
    std::string newPath;
    std::map<WorkformId, WorkformId> map;
    bool force = false;
};

bool UsageError(CommandIo& io, const std::string& message) {
    io.err << "recaster-cfg convert: " << message << "\n" << kConvertCommand.usage;
    return false;
}

// The identifier of a letter in `first`..`last` (either case), else nothing.
std::optional<WorkformId> LetterId(const std::string& text, char first, char last) {
    if (text.size() != 1) return std::nullopt;
    const char c = UpperCp1252(text[0]);
    if (c < first || c > last) return std::nullopt;
    return static_cast<WorkformId>(c - 'A');
}

bool ParseMap(const std::string& list, ConvertArguments& out, CommandIo& io) {
    std::stringstream in(list);
    std::string pair;
    while (std::getline(in, pair, ',')) {
        const size_t eq = pair.find('=');
        const std::optional<WorkformId> from =
            eq == std::string::npos ? std::nullopt : LetterId(pair.substr(0, eq), 'U', 'Z');
        const std::optional<WorkformId> to =
            eq == std::string::npos ? std::nullopt : LetterId(pair.substr(eq + 1), 'A', 'T');
        if (!from || !to) {
            return UsageError(io, "--map: '" + pair +
                                      "' is not LETTER=WORKFORM with LETTER in U..Z and "
                                      "WORKFORM in A..T");
        }
        if (!out.map.emplace(*from, *to).second)
            return UsageError(io, "--map names " + pair.substr(0, eq) + " twice");
    }
    return true;
}

bool Parse(const std::vector<std::string>& args, ConvertArguments& out, CommandIo& io) {
    std::vector<std::string> operands;
    bool optionsEnded = false;
    bool mapGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            operands.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--force") {
            out.force = true;
        } else if (a == "--map" || a.rfind("--map=", 0) == 0) {
            std::string value;
            if (a != "--map") {
                value = a.substr(6);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return UsageError(io, "option '--map' needs a value");
            }
            if (mapGiven) return UsageError(io, "--map is given twice");
            mapGiven = true;
            if (!ParseMap(value, out, io)) return false;
        } else {
            return UsageError(io, "unknown option '" + a + "'");
        }
    }
    if (operands.size() != 2) {
        return UsageError(io, "expected 2 file names, got " + std::to_string(operands.size()));
    }
    out.oldPath = operands[0];
    out.newPath = operands[1];
    return true;
}

// The answers of the command line: yes to every question, the --map choice
// or the suggested workform, NEW as the name, never a stop.
class CommandLineHost : public convert::ConversionHost {
  public:
    CommandLineHost(const ConvertArguments& args, CommandIo& io) : args_(args), io_(io) {}

    bool refused() const { return refused_; }

    bool ConfirmConversion() override { return true; }
    bool ConfirmUserWorkforms() override { return true; }
    std::optional<WorkformId> ChooseWorkform(WorkformId oldId, WorkformId suggested) override {
        auto it = args_.map.find(oldId);
        return it != args_.map.end() ? it->second : suggested;
    }
    std::optional<std::string> NewFileName() override {
        if (refused_) return std::nullopt;
        return args_.newPath;
    }
    void RefuseNewFileName(const std::string& path) override {
        refused_ = true;
        ReportError(io_, path, "this is the file being converted; name another file for NEW");
    }
    void BeginCopy(int) override {}
    bool Continue(int) override { return true; }
    bool ConfirmStop() override { return false; }
    void EndCopy() noexcept override {}

  private:
    const ConvertArguments& args_;
    CommandIo& io_;
    bool refused_ = false;
};

// "U -> F (Conference Paper)" for each user-defined workform in use.
void PrintMapping(CommandIo& io, const convert::UserWorkformMapping& mapping,
                  const workforms::WorkformCatalog& catalog) {
    for (WorkformId id : mapping.Used()) {
        const WorkformId to = mapping.Map(id);
        io.out << convert::WorkformLetter(id) << " -> ";
        if (to == workforms::kNoWorkform) {
            io.out << "the default workform (no workforms were found)\n";
            continue;
        }
        io.out << convert::WorkformLetter(to);
        if (catalog.Exists(to)) io.out << " (" << Cp1252ToUtf8(catalog.NameOf(to)) << ")";
        io.out << "\n";
    }
}

// The file a failure is about, as the user named it: the new file is built
// under a temporary name beside NEW.
std::string FailedFile(const ConvertArguments& a, const std::string& path) {
    if (path.empty()) return a.oldPath;
    if (path != a.oldPath && path.rfind(a.newPath, 0) == 0) return a.newPath;
    return path;
}

int RunConvert(const std::vector<std::string>& args, CommandIo& io) {
    ConvertArguments a;
    if (!Parse(args, a, io)) return kExitUsage;
    // Said before "exists", which --force would not cure.
    if (textform::IsSameFile(io.fs, a.oldPath, a.newPath)) {
        ReportError(io, a.newPath, "this is the file being converted; name another file for NEW");
        return kExitUsage;
    }
    if (int rc = CheckOutputFile(io, a.newPath, a.force)) return rc;
    const workforms::WorkformCatalog& catalog = LoadedWorkforms(io);
    CommandLineHost host(a, io);
    convert::ConversionResult result;
    try {
        result = convert::ConvertVersion2File(a.oldPath, host, io.fs, catalog);
    } catch (const FileError& e) {
        return ReportFailure(io, FailedFile(a, e.path()), e);
    } catch (const ArchiveError& e) {
        return ReportFailure(io, FailedFile(a, e.path()), e);
    }
    // The host never declines or stops, so only naming OLD as NEW ends here.
    if (result.outcome != convert::ConversionOutcome::Converted) return kExitUsage;
    PrintMapping(io, result.mapping, catalog);
    io.out << a.oldPath << " converted into " << a.newPath << " (" << result.databases
           << (result.databases == 1 ? " database" : " databases") << ")\n";
    return kExitOk;
}

}  // namespace
}  // namespace recaster::cli
