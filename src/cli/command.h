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

#include "store/file_system.h"

namespace recaster::cli {

// Exit codes shared by all commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;  // the file was read and is not sound
inline constexpr int kExitUsage = 2;     // bad arguments, or the file cannot be opened

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

// Runs `step`; a FileError or ArchiveError it raises is reported for `path`
// and gives `failCode`. kExitOk when the step succeeds.
int ReportingFileErrors(CommandIo& io, const std::string& path, int failCode,
                        const std::function<void()>& step);

}  // namespace recaster::cli
