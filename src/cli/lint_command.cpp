// recaster-cfg lint FILE [--json]: what is likely wrong in a configuration,
// one finding per line (lint/entry_rules.h, lint/mistake_rules.h).
#include <nlohmann/json.hpp>
#include <ostream>

#include "base/errors.h"
#include "cli/command.h"
#include "cli/process_workforms.h"
#include "config/cfg_file.h"
#include "lint/mistake_rules.h"
#include "textform/text_form_paths.h"

namespace recaster::cli {
namespace {

int RunLint(const std::vector<std::string>& args, CommandIo& io);

}  // namespace

extern const Command kLintCommand;
const Command kLintCommand{
    "lint",
    "report what is likely wrong in a configuration",
    "usage: recaster-cfg lint FILE [--json]\n"
    "\n"
    "Reports what is likely wrong in the configuration in FILE, one finding per\n"
    "line: its severity, the object (database name, field tag), what to do, and\n"
    "the rule in brackets. Errors are what the editor's dialogs refuse or its\n"
    "lists do not allow: patterns with doubled special characters or a tag\n"
    "format without exactly one '$', texts too long, values out of range,\n"
    "duplicate database names or field tags, lists out of order, subfields\n"
    "under a field that is not Parsed with Subfields. Warnings are allowed but\n"
    "likely wrong: targets and parse format components the workform does not\n"
    "use, workforms not found, a missing fallback database, empty\n"
    "identification pairs, tags that do not fit a fixed tag length, Parsed\n"
    "fields without formats, formats of unknown document types, a followed-by\n"
    "text holding backslash r. Workforms are found as for 'show'; without any,\n"
    "the checks that need them are skipped.\n"
    "  --json   print one JSON document instead: the file, the counts and the\n"
    "           findings, each with the JSON path of its value in 'export'\n"
    "Exit status: 0 no findings, 1 findings, or FILE is damaged or not a\n"
    "configuration file, 2 bad arguments or FILE cannot be read.\n",
    RunLint,
};

namespace {

using Json = nlohmann::ordered_json;

void PrintText(std::ostream& os, const std::string& path, const lint::Findings& findings) {
    size_t errors = 0;
    for (const lint::Finding& f : findings) {
        if (f.severity == lint::Severity::Error) ++errors;
        os << lint::SeverityName(f.severity) << ": " << f.subject << ": " << f.message << " ["
           << f.rule << "]\n";
    }
    const size_t warnings = findings.size() - errors;
    os << path << ": ";
    if (findings.empty()) {
        os << "no findings\n";
        return;
    }
    os << errors << (errors == 1 ? " error, " : " errors, ") << warnings
       << (warnings == 1 ? " warning\n" : " warnings\n");
}

Json FindingsJson(const std::string& path, const lint::Findings& findings,
                  const textform::TextFormPaths& paths) {
    Json list = Json::array();
    int errors = 0;
    for (const lint::Finding& f : findings) {
        if (f.severity == lint::Severity::Error) ++errors;
        list.push_back(Json{{"severity", lint::SeverityName(f.severity)},
                            {"rule", f.rule},
                            {"subject", f.subject},
                            {"path", paths.Of(f.where)},
                            {"message", f.message}});
    }
    return Json{{"file", path},
                {"errors", errors},
                {"warnings", static_cast<int>(findings.size()) - errors},
                {"findings", list}};
}

int RunLint(const std::vector<std::string>& args, CommandIo& io) {
    Arguments parsed;
    if (!ParseArguments(kLintCommand, args, {"--json"}, 1, parsed, io)) return kExitUsage;
    const std::string& path = parsed.operands[0];
    const workforms::WorkformCatalog& catalog = LoadedWorkforms(io);
    if (catalog.Count() == 0)
        io.err << "recaster-cfg: no workforms found; the checks of workforms and targets are "
                  "skipped\n";
    config::CCfgFile file(io.fs);
    lint::Findings findings;
    std::string output;
    if (int rc = ReportingFileErrors(io, path, [&] {
            file.Open(path, store::OpenMode::ReadOnly);
            config::ConfigParts parts = config::PartsOf(file);
            findings = lint::Lint(parts, catalog, file.link().Version());
            if (parsed.options.count("--json"))
                output =
                    FindingsJson(path, findings, textform::TextFormPaths(parts)).dump(2) + "\n";
        }))
        return rc;
    if (parsed.options.count("--json"))
        io.out << output;
    else
        PrintText(io.out, path, findings);
    return findings.empty() ? kExitOk : kExitProblems;
}

}  // namespace
}  // namespace recaster::cli
