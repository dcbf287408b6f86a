#include "cli/tool.h"

#include <algorithm>

#include "base/version.h"

namespace recaster::cli {
namespace {

void PrintUsage(std::ostream& os) {
    os << "usage: recaster-cfg <command> [options] FILE\n"
          "       recaster-cfg --help | --version\n"
          "\n"
          "Commands:\n";
    for (const Command& c : Commands()) {
        std::string name = c.name;
        name.resize(std::max<size_t>(name.size(), 10), ' ');
        os << "  " << name << c.summary << "\n";
    }
    os << "\n"
          "'recaster-cfg <command> --help' describes a command.\n"
          "\n"
          "Exit status, the same for every command:\n";
    for (const ExitStatus& s : ExitStatuses()) {
        std::string meaning = s.meaning;
        for (size_t at = meaning.find('\n'); at != std::string::npos; at = meaning.find('\n', at))
            meaning.insert(++at, "     ");
        os << "  " << s.code << "  " << meaning << "\n";
    }
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty()) {
        PrintUsage(io.err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(io.out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        io.out << "recaster-cfg (Recaster II) " << ProgramVersion() << "\n";
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (!command) {
        io.err << "recaster-cfg: unknown command '" << args[0] << "'\n";
        PrintUsage(io.err);
        return kExitUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) {
        io.out << command->usage;
        return kExitOk;
    }
    return command->run(rest, io);
}

}  // namespace recaster::cli
