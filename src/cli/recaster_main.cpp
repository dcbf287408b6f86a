// recaster-cfg: command-line tool for configuration files.
#include <iostream>

#include "cli/tool.h"
#include "store/file_system.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    recaster::cli::CommandIo io{std::cout, std::cerr, recaster::store::PosixFileSystem()};
    int code = recaster::cli::RunTool(args, io);
    std::cout.flush();
    return std::cout ? code : recaster::cli::kExitUsage;
}
