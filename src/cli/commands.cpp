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

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        kNewCommand,    kShowCommand,    kCheckCommand,  kDumpCommand,   kWorkformsCommand,
        kReportCommand, kConvertCommand, kExportCommand, kImportCommand, kLintCommand};
    return commands;
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

int ReportingFileErrors(CommandIo& io, const std::string& path, int failCode,
                        const std::function<void()>& step) {
    try {
        step();
    } catch (const FileError& e) {
        ReportError(io, path, e.message());
        return failCode;
    } catch (const ArchiveError& e) {
        ReportError(io, path, e.message());
        return failCode;
    }
    return kExitOk;
}

}  // namespace recaster::cli
