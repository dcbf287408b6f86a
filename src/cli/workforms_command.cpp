// recaster-cfg workforms: the workform catalog as the editor builds it, with
// the folders searched and the file each workform was read from.
#include <ostream>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/paths.h"
#include "cli/command.h"
#include "workforms/workform_loader.h"
#include "workforms/workform_locator.h"

namespace recaster::cli {
namespace {

int RunWorkforms(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kWorkformsCommand;
const Command kWorkformsCommand{
    "workforms",
    "list the workforms and where they were read from",
    "usage: recaster-cfg workforms\n"
    "\n"
    "Lists the folders searched for workform files (Forms/ beside the program and\n"
    "in its installed data folder, then the reference manager's \"Workform File\n"
    "Path\" setting), then every workform in catalog order: identifier, letter,\n"
    "name, number of fields in use and the file it came from. Files that were\n"
    "passed over are listed last; when two files claim one letter the first one\n"
    "found wins.\n"
    "Exit status: 0 done, 2 bad arguments.\n",
    RunWorkforms,
};

namespace {

std::string Pad(std::string s, size_t width) {
    if (s.size() < width) s.resize(width, ' ');
    return s + " ";
}

std::string LetterOf(workforms::WorkformId id) {
    return id < 20 ? std::string(1, static_cast<char>('A' + id)) : std::string("-");
}

int RunWorkforms(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kWorkformsCommand, args, {}, 0, parsed, io)) return kExitUsage;
    const std::string tomebase = workforms::WorkformLocator::TomebaseWorkformPath();
    const auto locator = workforms::WorkformLocator::ForThisProgram();

    // The program's own folders first (beside it, then where it is
    // installed); the reference manager's path, when set, is the last one.
    io.out << "Searched:\n";
    const std::vector<std::string>& dirs = locator.directories();
    const size_t own = dirs.size() - (!tomebase.empty() && dirs.back() == tomebase ? 1 : 0);
    for (size_t i = 0; i < own; ++i) {
        io.out << "  " << Pad(dirs[i], 40)
               << (i == 0 ? "(Forms beside the program)\n" : "(the program's installed Forms)\n");
    }
    io.out << "  " << Pad(tomebase.empty() ? "(not set)" : tomebase, 40)
           << "(reference manager's workform path)\n";

    // Loaded one candidate at a time, in the editor's order, to learn which
    // file each workform came from.
    workforms::WorkformCatalog catalog;
    std::vector<std::string> sources;
    std::vector<std::string> skipped;
    for (const std::string& path : locator.Candidates()) {
        std::string failure;
        const int added = workforms::LoadWorkforms(
            catalog, {path},
            [&](const std::string&, const std::string& message) { failure = message; });
        if (added > 0) {
            sources.push_back(path);
        } else if (!failure.empty()) {
            skipped.push_back(path + ": cannot load workform: " + failure);
        } else {
            skipped.push_back(path + ": its letter was already read from an earlier file");
        }
    }

    io.out << "\nWorkforms (" << catalog.Count() << ")\n"
           << "  " << Pad("Id", 5) << Pad("Letter", 6) << Pad("Name", 31) << Pad("Used", 4)
           << "File\n";
    for (int i = 0; i < catalog.Count(); ++i) {
        const workforms::WorkformRecord& r = catalog.RecordAt(i);
        const size_t used = r.UsedFieldNumbers().size() - 1;  // minus the terminating 0
        io.out << "  " << Pad(std::to_string(r.id()), 5) << Pad(LetterOf(r.id()), 6)
               << Pad(Cp1252ToUtf8(r.name()), 31) << Pad(std::to_string(used), 4)
               << sources[static_cast<size_t>(i)] << "\n";
    }
    if (!skipped.empty()) {
        io.out << "\nPassed over (" << skipped.size() << ")\n";
        for (const std::string& s : skipped) io.out << "  " << s << "\n";
    }
    return kExitOk;
}

}  // namespace
}  // namespace recaster::cli
