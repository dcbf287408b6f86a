#include "cli/command.h"

#include "base/errors.h"

namespace recaster::cli {

extern const Command kNewCommand;
extern const Command kShowCommand;
extern const Command kCheckCommand;
extern const Command kDumpCommand;
extern const Command kWorkformsCommand;
extern const Command kReportCommand;
extern const Command kConvertCommand;
extern const Command kExportCommand;
extern const Command kImportCommand;
extern const Command kLintCommand;

namespace {

// A folder named where a file belongs, read or written: the same words
// wherever it is refused, whether by the store or before any work.
constexpr const char* kFolder = "this is a folder, not a file";

}  // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        kNewCommand,    kShowCommand,    kCheckCommand,  kDumpCommand,   kWorkformsCommand,
        kReportCommand, kConvertCommand, kExportCommand, kImportCommand, kLintCommand};
    return commands;
}

const std::vector<ExitStatus>& ExitStatuses() {
    static const std::vector<ExitStatus> statuses{
        {kExitOk, "done; check and lint found nothing"},
        {kExitProblems,
         "a file was read and what it holds is damaged or wrong: not a\n"
         "configuration file, a version this program does not read, cut short,\n"
         "a bad page or record; or check, lint or import found problems in it"},
        {kExitNoAccess,
         "the command could not do its work: bad arguments, or a file that\n"
         "cannot be opened, read or written (missing, a folder, no permission,\n"
         "in use by another program, a read or disk error, a full disk, or an\n"
         "output that exists, without --force)"},
    };
    return statuses;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands()) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

bool ParseArguments(const Command& command, const std::vector<std::string>& args,
                    const std::set<std::string>& allowed, size_t operands, Arguments& parsed,
                    CommandIo& io) {
    bool optionsEnded = false;
    for (const std::string& a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (!allowed.count(a)) {
                io.err << "recaster-cfg " << command.name << ": unknown option '" << a << "'\n"
                       << command.usage;
                return false;
            }
            parsed.options.insert(a);
        } else {
            parsed.operands.push_back(a);
        }
    }
    if (parsed.operands.size() != operands) {
        io.err << "recaster-cfg " << command.name << ": expected " << operands << " file name"
               << (operands == 1 ? "" : "s") << ", got " << parsed.operands.size() << "\n"
               << command.usage;
        return false;
    }
    return true;
}

void ReportError(CommandIo& io, const std::string& path, const std::string& message) {
    io.err << "recaster-cfg: " << path << ": " << message << "\n";
}

int ExitCodeOf(const FileError&) {
    return kExitNoAccess;
}

int ExitCodeOf(const ArchiveError&) {
    return kExitProblems;
}

int ReportFailure(CommandIo& io, const std::string& path, const FileError& e) {
    ReportError(io, path, e.cause() == FileError::Cause::IsFolder ? kFolder : e.message());
    return ExitCodeOf(e);
}

int ReportFailure(CommandIo& io, const std::string& path, const ArchiveError& e) {
    ReportError(io, path, e.message());
    return ExitCodeOf(e);
}

int ReportingFileErrors(CommandIo& io, const std::string& path, const std::function<void()>& step) {
    try {
        step();
    } catch (const FileError& e) {
        return ReportFailure(io, path, e);
    } catch (const ArchiveError& e) {
        return ReportFailure(io, path, e);
    }
    return kExitOk;
}

int CheckOutputFile(CommandIo& io, const std::string& path, bool replace) {
    if (io.fs.IsFolder(path)) {
        ReportError(io, path, kFolder);
        return kExitNoAccess;
    }
    if (!replace && io.fs.Exists(path)) {
        ReportError(io, path, "the file exists; use --force to replace it");
        return kExitNoAccess;
    }
    return kExitOk;
}

}  // namespace recaster::cli
