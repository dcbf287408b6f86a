// Steps 1, 2, 3 and 6 of the report: header, download file structure,
// database definitions, end of report. TAB and NL below stand for a tab
// character and a line end; texts in quotes are string-table texts.
#include <cstdio>

#include "base/cp1252.h"
#include "base/paths.h"
#include "config/lists.h"
#include "report/cfg_report.h"
#include "report/report_date.h"
#include "report/report_text.h"
#include "resources/strings.h"

namespace recaster::report {
namespace {

using resources::FormatString;
using resources::LoadString;

// A fixed tag length as "(%02d) ": 5 gives "(05) ".
std::string TagLengthText(int length) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "(%02d) ", length);
    return buffer;
}

// A count as "(%d) ": 3 gives "(3) ".
std::string CountText(int count) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "(%d) ", count);
    return buffer;
}

}  // namespace

// "Recaster II Configuration Report" NL NL, then "Configuration File: ",
// "File Name: ", "Description:" and "Report Generated: " lines, NL.
void CCfgReport::Header() {
    const config::CCfgGenlInfo* genl = root_.GetGenlInfo();
    PutString(kStrReportTitle);
    NL();
    NL();
    PutString(4004);
    Tab();
    if (genl) Put(genl->title);
    NL();
    PutString(4005);
    for (int i = 0; i < 4; ++i) Tab();
    // The file system's name, in the report's code page.
    Put(ToCp1252Lossy(FilePart(root_.path())));
    NL();
    PutString(4006);
    for (int i = 0; i < 3; ++i) Tab();
    if (genl) Put(genl->comments);
    NL();
    PutString(4007);
    Tab();
    Tab();
    Put(FormatReportDate(generated_));
    NL();
    NL();
}

// NL "Download File Structure" NL NL, four blocks, NL.
void CCfgReport::DownloadFileStructure() {
    if (!On(options_.dlFileStructure)) return;
    NL();
    PutString(4055);
    NL();
    NL();
    IdentificationBlock();
    RecordBlock();
    FieldIdentificationBlock();
    IgnoredLinesBlock();
    NL();
}

void CCfgReport::IdentificationBlock() {
    const config::CCfgStringPairList* pairs = root_.GetIdentPairs();
    if (!pairs) return;
    PutString(4056);
    NL();
    NL();
    if (pairs->pairs.empty()) {
        Tab();
        PutString(kStrNone);
        NL();
    } else {
        Tab();
        PutString(4057);
        Tab();
        Tab();
        PutString(4058);
        NL();
        for (const config::CCfgStringPair& pair : pairs->pairs) {
            Tab();
            Put(pair.prefix);
            Tab();
            Put(pair.suffix);
            NL();
        }
    }
    NL();
}

void CCfgReport::RecordBlock() {
    const config::CCfgDFSInfo* dfs = root_.GetDFSInfo();
    if (!dfs) return;
    std::string_view end = PrintedText(dfs->recordEndString);
    std::string terminator;
    if (dfs->recordEndMode == config::kRecordEndOneBlank) {
        terminator = dfs->recordEndStringOn ? FormatString(4064, end) : LoadString(4063);
    } else if (dfs->recordEndMode == config::kRecordEndTwoBlanks) {
        terminator = dfs->recordEndStringOn ? FormatString(4116, end) : LoadString(4117);
    } else {
        terminator = dfs->recordEndStringOn ? FormatString(4065, end) : LoadString(4066);
    }
    PutString(4060);
    NL();
    NL();
    Tab();
    PutString(4061);
    Tab();
    Tab();
    Put(Quoted(dfs->recordHeaderFormat));
    NL();
    Tab();
    PutString(4062);
    Tab();
    Put(terminator);
    NL();
    NL();
}

void CCfgReport::FieldIdentificationBlock() {
    const config::CCfgDFSInfo* dfs = root_.GetDFSInfo();
    if (!dfs) return;
    std::string length =
        dfs->tagLength == 0 ? LoadString(4075) : FormatString(4076, TagLengthText(dfs->tagLength));
    std::string continuation;
    switch (dfs->lineContinuation) {
        case config::kContinuationIndented:
            continuation = LoadString(4077);
            break;
        case config::kContinuationLeftMargin:
            continuation = LoadString(4078);
            break;
        case config::kContinuationSpecialChar: {
            // "%c" with the character; none at all when it is 0.
            continuation = LoadString(4079);
            const std::string c = dfs->continuationChar == 0
                                      ? std::string()
                                      : std::string(1, static_cast<char>(dfs->continuationChar));
            continuation.replace(continuation.find("%c"), 2, c);
            break;
        }
        default:
            break;
    }
    PutString(4067);
    NL();
    NL();
    Row(4068, Quoted(dfs->tagFormat));
    Row(4069, length);
    Row(4070, YesNo(dfs->crFollowsTag));
    Row(4071, Quoted(dfs->fieldTerminator));
    Row(4072, Quoted(dfs->emptyFieldFiller));
    Row(4073, continuation);
    Row(4074, CaseConversionName(dfs->defaultCaseConversion, /*allowDefault=*/false));
    NL();
}

void CCfgReport::IgnoredLinesBlock() {
    const config::CCfgStringList* ignored = root_.GetIgnoredLines();
    if (!ignored) return;
    PutString(4059);
    NL();
    NL();
    if (ignored->strings.empty()) {
        Tab();
        PutString(kStrNone);
        NL();
    }
    for (const std::string& line : ignored->strings) {
        Tab();
        Put(line);
        NL();
    }
    NL();
}

// "Database Definitions" NL NL, the count line ("(3)  database(s) ...") NL
// NL, the column line, one line per database, NL.
void CCfgReport::DatabaseDefinitions() {
    if (!On(options_.dbList)) return;
    const config::CCfgDBList* list = root_.GetDBList();
    if (!list) return;
    PutString(4008);
    NL();
    NL();
    Put(FormatString(4009, CountText(list->GetCount())));
    NL();
    NL();
    Tab();
    PutString(4090);
    Tab();
    PutString(4091);
    Tab();
    PutString(4092);
    NL();
    for (int i = 1; i <= list->GetCount(); ++i) {
        const config::CCfgDatabase& db = *list->Database(i);
        Tab();
        Put(db.name);
        Tab();
        Put(db.description);
        Tab();
        Put(catalog_.NameOf(db.workform));
        NL();
    }
    NL();
}

// NL "-- End of Report --" NL NL.
void CCfgReport::EndOfReport() {
    NL();
    PutString(4003);
    NL();
    NL();
}

}  // namespace recaster::report
