// The recaster-cfg command line: picks the command named by the first argument
// and runs it, or prints the usage.
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace recaster::cli {

// args without the program name. Returns the process exit code (ExitStatuses()
// in command.h).
int RunTool(const std::vector<std::string>& args, CommandIo& io);

}  // namespace recaster::cli
