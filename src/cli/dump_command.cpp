// recaster-cfg dump FILE [--hex]: every record in key order as "TAG id length",
// with --hex followed by its value in hex, 16 bytes a line.
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "store/store.h"

namespace recaster::cli {
namespace {

void PrintHex(std::ostream& os, std::span<const uint8_t> value) {
    static const char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < value.size(); ++i) {
        os << (i % 16 == 0 ? "  " : " ") << kDigits[value[i] >> 4] << kDigits[value[i] & 15];
        if (i % 16 == 15 || i + 1 == value.size()) os << "\n";
    }
}

int RunDump(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kDumpCommand;
const Command kDumpCommand{
    "dump",
    "list every record of a configuration file",
    "usage: recaster-cfg dump FILE [--hex]\n"
    "\n"
    "Prints every record of FILE in key order as 'TAG id length', e.g. 'CGNL 0 37'.\n"
    "  --hex   also print each value in hex on the lines after its record\n"
    "Exit status: 0 done, 1 FILE is damaged or not a configuration file (records\n"
    "up to the damage are printed), 2 bad arguments or FILE cannot be read.\n",
    RunDump,
};

namespace {

int RunDump(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kDumpCommand, args, {"--hex"}, 1, parsed, io)) return kExitUsage;
    const std::string& path = parsed.operands[0];
    const bool hex = parsed.options.count("--hex") > 0;
    store::Store s(store::DefaultKeyOrder(), io.fs);
    return ReportingFileErrors(io, path, [&] {
        s.Open(path, store::OpenMode::ReadOnly);
        s.Scan([&](const store::Key& key, std::span<const uint8_t> value) {
            io.out << store::TagText(key.tag) << " " << key.id << " " << value.size() << "\n";
            if (hex) PrintHex(io.out, value);
            return true;
        });
    });
}

}  // namespace
}  // namespace recaster::cli
