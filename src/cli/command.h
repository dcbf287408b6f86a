// The commands of recaster-cfg: each command is one file that defines a
// Command, and commands.cpp lists them. A command gets its arguments (without
// the command name) and the streams and file system to work with, so tests can
// run it on in-memory files and string streams.
#pragma once

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "base/errors.h"
#include "store/file_system.h"

namespace recaster::cli {

// Exit codes, one rule for every command (ExitStatuses() words it): 1 when
// what a file holds is wrong, 2 when nothing could be done with it, so that a
// script can tell "fix the file" from "fix the command or the file system".
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;  // damaged, not a configuration, problems found
inline constexpr int kExitUsage = 2;     // the arguments are wrong
inline constexpr int kExitNoAccess = 2;  // a file cannot be opened, read or written

struct ExitStatus {
    int code;
    const char* meaning;  // lines of at most 70 characters
};

// The exit codes and their meaning, for the usage and the manual page.
const std::vector<ExitStatus>& ExitStatuses();

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    store::FileSystem& fs;
};

struct Command {
    const char* name;
    const char* summary;  // one line in the tool's usage
    const char* usage;    // the command's --help text, ending in a newline
    int (*run)(const std::vector<std::string>& args, CommandIo& io);
};

// Every command, in the order the usage lists them.
const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// Arguments split into options ("--hex") and operands; "--" ends the options.
struct Arguments {
    std::set<std::string> options;
    std::vector<std::string> operands;
};

// Splits args; an option not in `allowed` or a number of operands other than
// `operands` is reported on io.err with the command's usage. False then.
bool ParseArguments(const Command& command, const std::vector<std::string>& args,
                    const std::set<std::string>& allowed, size_t operands, Arguments& parsed,
                    CommandIo& io);

// "recaster-cfg: <path>: <message>" on io.err.
void ReportError(CommandIo& io, const std::string& path, const std::string& message);

// The exit code of a failure: ArchiveError is raised for bytes that were read
// and are wrong (kExitProblems), FileError for a file that cannot be used at
// all (kExitNoAccess).
int ExitCodeOf(const FileError& e);
int ExitCodeOf(const ArchiveError& e);

// Reports `e` for `path` and returns its exit code. A folder is named as one
// in the same words wherever it is refused.
int ReportFailure(CommandIo& io, const std::string& path, const FileError& e);
int ReportFailure(CommandIo& io, const std::string& path, const ArchiveError& e);

// Runs `step`; a FileError or ArchiveError it raises is reported for `path`
// and gives its exit code. kExitOk when the step succeeds.
int ReportingFileErrors(CommandIo& io, const std::string& path, const std::function<void()>& step);

// Whether a command may write the file `path`: refused (reported, and
// kExitNoAccess) when it is a folder, or when it exists and `replace` is
// false; kExitOk otherwise. Asked before any work, so that the refusal is
// the first and only message.
int CheckOutputFile(CommandIo& io, const std::string& path, bool replace);

}  // namespace recaster::cli
