// The recaster-cfg command line: picks the command named by the first argument
// and runs it, or prints the usage.
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace recaster::cli {

// args without the program name. Returns the process exit code: 0 done,
// 1 problems found, 2 usage error or a file that cannot be opened.
int RunTool(const std::vector<std::string>& args, CommandIo& io);

}  // namespace recaster::cli
