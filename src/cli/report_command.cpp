// recaster-cfg report FILE --database NAME [--sections LIST | --all]
// [-o OUT] [--force]: the configuration report of one database, byte for
// byte as the desktop program's Print Report writes it.
#include <optional>
#include <ostream>
#include <sstream>

#include "base/cp1252.h"
#include "base/errors.h"
#include "cli/command.h"
#include "cli/process_workforms.h"
#include "config/cfg_file.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_stream_writer.h"
#include "report/report_text_writer.h"

namespace recaster::cli {
namespace {

int RunReport(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kReportCommand;
const Command kReportCommand{
    "report",
    "write the configuration report of one database",
    "usage: recaster-cfg report FILE --database NAME [--sections LIST | --all]\n"
    "                           [-o OUT] [--force]\n"
    "\n"
    "Writes the configuration report of database NAME in FILE, the same bytes as\n"
    "the desktop program's Print Report: Windows-1252 text, lines ended by CR LF.\n"
    "  --database NAME  the database: its exact name, else its name in any\n"
    "                   letter case\n"
    "  --sections LIST  the parts to print, a comma-separated subset of\n"
    "                   structure,databases,details,fields,parsing,field-details\n"
    "                   (the report options' six boxes); an empty LIST prints\n"
    "                   only the header and the end lines\n"
    "  --all            every part (also without --sections)\n"
    "  -o OUT           write to OUT instead of standard output; an existing OUT\n"
    "                   is left alone unless --force is given\n"
    "The date line is the current time, or SOURCE_DATE_EPOCH (seconds since\n"
    "1970, shown in UTC) when that is set. Targets are named from the workforms\n"
    "in Forms/ beside the program and the reference manager's workform path.\n"
    "Exit status: 0 written, 1 FILE is damaged, not a configuration file, or has no\n"
    "database NAME, 2 bad arguments, FILE cannot be read, or OUT is a folder,\n"
    "exists (without --force) or cannot be written.\n",
    RunReport,
};

namespace {

// The --sections words, in the order of the options dialog's boxes.
struct Section {
    const char* word;
    int32_t report::CCfgRptOptions::*option;
};
constexpr Section kSections[] = {
    {"structure", &report::CCfgRptOptions::dlFileStructure},
    {"databases", &report::CCfgRptOptions::dbList},
    {"details", &report::CCfgRptOptions::dbDetails},
    {"fields", &report::CCfgRptOptions::dbFields},
    {"parsing", &report::CCfgRptOptions::autoParseFmts},
    {"field-details", &report::CCfgRptOptions::fieldDetails},
};

struct ReportArguments {
    std::string file;
    std::optional<std::string> database;
    std::optional<std::string> sections;
    bool all = false;
    std::optional<std::string> output;
    bool force = false;
};

bool UsageError(CommandIo& io, const std::string& message) {
    io.err << "recaster-cfg report: " << message << "\n" << kReportCommand.usage;
    return false;
}

// Options take their value as the next argument or after "=".
bool Parse(const std::vector<std::string>& args, ReportArguments& out, CommandIo& io) {
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            operands.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (size_t eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = a.substr(eq + 1);
            a.resize(eq);
        }
        auto value = [&](std::optional<std::string>& into) {
            if (inlineValue) {
                into = *inlineValue;
            } else if (i + 1 < args.size()) {
                into = args[++i];
            } else {
                return UsageError(io, "option '" + a + "' needs a value");
            }
            return true;
        };
        if (a == "--database") {
            if (!value(out.database)) return false;
        } else if (a == "--sections") {
            if (!value(out.sections)) return false;
        } else if (a == "-o") {
            if (!value(out.output)) return false;
        } else if ((a == "--all" || a == "--force") && !inlineValue) {
            (a == "--all" ? out.all : out.force) = true;
        } else {
            return UsageError(io, "unknown option '" + args[i] + "'");
        }
    }
    if (operands.size() != 1) {
        return UsageError(io, "expected 1 file name, got " + std::to_string(operands.size()));
    }
    if (!out.database) return UsageError(io, "--database NAME is required");
    if (out.sections && out.all) return UsageError(io, "--sections and --all exclude each other");
    out.file = operands[0];
    return true;
}

// The options the LIST of --sections turns on; nothing for an unknown word.
std::optional<report::CCfgRptOptions> OptionsFor(const ReportArguments& a, CommandIo& io) {
    if (!a.sections) return report::CCfgRptOptions::All();
    report::CCfgRptOptions options = report::CCfgRptOptions::All(false);
    std::stringstream list(*a.sections);
    std::string word;
    while (std::getline(list, word, ',')) {
        const Section* found = nullptr;
        for (const Section& s : kSections) {
            if (word == s.word) found = &s;
        }
        if (!found) {
            UsageError(io, "unknown section '" + word + "'");
            return std::nullopt;
        }
        options.*found->option = 1;
    }
    return options;
}

// The database named `name` (UTF-8): equal, else equal ignoring case.
config::CCfgDatabase* FindDatabase(const config::CCfgDBList& list, const std::string& name) {
    std::string wanted;
    if (!ToCp1252(name, wanted)) return nullptr;  // no name in the file can equal it
    for (int i = 1; i <= list.GetCount(); ++i) {
        if (list.Database(i)->name == wanted) return list.Database(i);
    }
    for (int i = 1; i <= list.GetCount(); ++i) {
        if (EqualsNoCaseCp1252(list.Database(i)->name, wanted)) return list.Database(i);
    }
    return nullptr;
}

std::string DatabaseNames(const config::CCfgDBList& list) {
    std::string names;
    for (int i = 1; i <= list.GetCount(); ++i) {
        if (i > 1) names += ", ";
        names += Cp1252ToUtf8(list.Database(i)->name);
    }
    return names;
}

int RunReport(const std::vector<std::string>& args, CommandIo& io) {
    ReportArguments a;
    if (!Parse(args, a, io)) return kExitUsage;
    std::optional<report::CCfgRptOptions> options = OptionsFor(a, io);
    if (!options) return kExitUsage;
    if (a.output) {
        if (int rc = CheckOutputFile(io, *a.output, a.force)) return rc;
    }
    std::tm generated{};
    try {
        generated = report::ReportTimeNow();
    } catch (const report::BadReportDate& e) {
        io.err << "recaster-cfg report: " << e.what() << "\n";
        return kExitUsage;
    }

    const workforms::WorkformCatalog& catalog = LoadedWorkforms(io);
    config::CCfgFile file(io.fs);
    if (int rc =
            ReportingFileErrors(io, a.file, [&] { file.Open(a.file, store::OpenMode::ReadOnly); }))
        return rc;
    config::CCfgDatabase* db = FindDatabase(*file.GetDBList(), *a.database);
    if (!db) {
        ReportError(io, a.file,
                    "no database named '" + *a.database +
                        "'; its databases are: " + DatabaseNames(*file.GetDBList()));
        return kExitProblems;
    }

    const std::string outputName = a.output ? *a.output : "standard output";
    report::CCfgRptStreamWriter toStdout(io.out, outputName);
    report::CCfgRptTextWriter toFile(io.fs);
    report::CCfgRptWriter* writer = &toStdout;
    if (a.output) {
        if (int rc = ReportingFileErrors(io, *a.output, [&] { toFile.SetOutputPath(*a.output); }))
            return rc;
        writer = &toFile;
    }
    report::CCfgReport run(file, db, catalog, *options, *writer, generated);
    report::RunToEnd noStop;
    try {
        run.Run(noStop);
    } catch (const FileError& e) {
        return ReportFailure(io, e.path().empty() ? a.file : e.path(), e);
    } catch (const ArchiveError& e) {
        return ReportFailure(io, e.path().empty() ? a.file : e.path(), e);
    }
    return kExitOk;
}

}  // namespace
}  // namespace recaster::cli
