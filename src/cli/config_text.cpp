#include "cli/config_text.h"

#include <algorithm>
#include <string>

#include "base/cp1252.h"
#include "config/database.h"
#include "config/lists.h"
#include "config/target_in_workform.h"
#include "resources/strings.h"

namespace recaster::cli {
namespace {

using namespace config;
using workforms::WorkformCatalog;

// String table numbers of the texts used here.
constexpr int kDoNotTransfer = 82;
constexpr int kFieldTypeBase = 96;
constexpr int kComponentNameBase = 119;
constexpr int kDefaultDocType = 126;
constexpr int kCaseDefaultText = 4093;
constexpr int kCaseBase = 4094;
constexpr int kAuthorBase = 4100;
constexpr int kAuthorHyphensBase = 4108;

std::string U(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}
std::string S(int id) {
    return U(resources::LoadString(id));
}
std::string Quoted(const std::string& cp1252) {
    return "\"" + U(cp1252) + "\"";
}
const char* YesNo(bool b) {
    return b ? "yes" : "no";
}

// Pads a UTF-8 text to `width` characters.
std::string Pad(const std::string& utf8, size_t width) {
    const size_t chars = static_cast<size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    return chars >= width ? utf8 + " " : utf8 + std::string(width - chars, ' ');
}

std::string Enumerated(int base, int value, int count) {
    if (value < 0 || value >= count) return "(" + std::to_string(value) + ")";
    return S(base + value);
}

std::string WorkformLabel(uint16_t w, const WorkformCatalog& catalog) {
    std::string letter = w < 20 ? std::string(1, static_cast<char>('A' + w)) + " " : std::string();
    return letter + U(catalog.NameOf(w));
}

// "(10) Journal Title" for a 0-based index in workform w, or "* Do Not
// Transfer".
std::string TargetLabel(int index, uint16_t w, const WorkformCatalog& catalog) {
    if (index < 0) return S(kDoNotTransfer);
    const int number = index + 1;
    return "(" + std::to_string(number) + ") " + U(catalog.FieldName(w, number));
}

std::string CaseText(int value) {
    return value == kCaseDefault ? S(kCaseDefaultText) : Enumerated(kCaseBase, value, 6);
}

void WriteStructure(std::ostream& os, const CCfgDFSInfo& d) {
    os << "Download file structure\n";
    os << "  " << Pad("Tag length:", 24)
       << (d.tagLength == 0 ? std::string("variable") : std::to_string(d.tagLength)) << "\n";
    os << "  " << Pad("Tag format:", 24) << Quoted(d.tagFormat) << "\n";
    os << "  " << Pad("Tag area:", 24)
       << (d.fixedWidthTagArea ? "fixed width " + std::to_string(d.tagAreaWidth) : "not fixed")
       << "\n";
    os << "  " << Pad("CR follows tag:", 24) << YesNo(d.crFollowsTag) << "\n";
    os << "  " << Pad("Line continuation:", 24);
    switch (d.lineContinuation) {
        case kContinuationIndented:
            os << "Indented\n";
            break;
        case kContinuationLeftMargin:
            os << "Left Margin\n";
            break;
        case kContinuationSpecialChar:
            os << "Special Character: '" << U(std::string(1, static_cast<char>(d.continuationChar)))
               << "'\n";
            break;
        default:
            os << "(" << d.lineContinuation << ")\n";
    }
    os << "  " << Pad("Default case:", 24) << CaseText(d.defaultCaseConversion) << "\n";
    os << "  " << Pad("Record begins with:", 24) << Quoted(d.recordHeaderFormat) << "\n";
    os << "  " << Pad("Record ends with:", 24);
    switch (d.recordEndMode) {
        case kRecordEndOneBlank:
            os << "one blank line";
            break;
        case kRecordEndTwoBlanks:
            os << "two or more blank lines";
            break;
        default:
            os << "no blank line";
            break;
    }
    if (d.recordEndStringOn) os << ", or the string " << Quoted(d.recordEndString);
    os << "\n";
    os << "  " << Pad("Fields terminated by:", 24) << Quoted(d.fieldTerminator) << "\n";
    os << "  " << Pad("Empty field filler:", 24) << Quoted(d.emptyFieldFiller) << "\n";
    os << "  " << Pad("Fallback database:", 24)
       << (d.fallbackDatabase.empty() ? std::string("none") : U(d.fallbackDatabase)) << "\n";
    os << "  " << Pad("MARC subfields:", 24) << (d.processMarcSubfields ? "on" : "off")
       << ", indicator " << Quoted(d.subfieldIndicator) << "\n";
}

void WriteParseRows(std::ostream& os, const CCfgParseFormat& format, uint16_t w,
                    const WorkformCatalog& catalog, const std::string& indent) {
    for (size_t kind = 0; kind < kParseRows; ++kind) {
        const ParseComponentRow& r = format.rows[kind];
        if (r.component == kRowNotUsed) continue;
        const int index = r.component == 0 || r.component == kNoTarget ? -1 : r.component - 1;
        os << indent << Pad(S(kComponentNameBase + static_cast<int>(kind)), 8)
           << Pad(TargetLabel(index, w, catalog), 28) << "preceded by " << Quoted(r.PrecededBy())
           << ", followed by " << Quoted(r.FollowedBy()) << (r.optional ? ", optional" : "")
           << "\n";
    }
}

void WriteField(std::ostream& os, const CCfgField& f, const CCfgDatabase& db,
                const CCfgDocTypeList& docTypes, const WorkformCatalog& catalog) {
    const std::string indent = f.IsSubfield() ? "      " : "    ";
    os << indent << Pad(U(f.tag), f.IsSubfield() ? 4 : 6) << Pad(U(f.description), 32)
       << Pad(Enumerated(kFieldTypeBase, f.type, 8), 22) << "-> "
       << TargetLabel(TargetInWorkform(f, kDefaultWorkform, catalog), db.workform, catalog) << "\n";
    auto alternates = f.alternateTargets.Entries();
    std::sort(alternates.begin(), alternates.end());
    for (const auto& [w, index] : alternates) {
        os << indent << "      in " << WorkformLabel(w, catalog) << " -> "
           << TargetLabel(TargetInWorkform(f, w, catalog), w, catalog) << "\n";
    }
    if (f.caseConversion != kCaseDefault)
        os << indent << "      case: " << CaseText(f.caseConversion) << "\n";
    if (!f.subfieldPrecededBy.empty() || !f.subfieldFollowedBy.empty())
        os << indent << "      subfield tags between " << Quoted(f.subfieldPrecededBy) << " and "
           << Quoted(f.subfieldFollowedBy) << "\n";
    auto formats = f.parseFormats.Entries();
    std::sort(formats.begin(), formats.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, format] : formats) {
        // The format's targets are in the document type's workform.
        uint16_t w = db.workform;
        for (int p = 1; p <= docTypes.GetCount(); ++p)
            if (docTypes.DocType(p)->name == name) w = docTypes.DocType(p)->workform;
        os << indent << "      format " << (name.empty() ? S(kDefaultDocType) : U(name))
           << (format.useDefault ? " (use default format)" : "") << ":\n";
        WriteParseRows(os, format, w, catalog, indent + "        ");
    }
}

void WriteDatabase(std::ostream& os, CCfgDatabase& db, int position, int count,
                   const WorkformCatalog& catalog) {
    os << "Database " << position << " of " << count << ": " << U(db.name) << "\n";
    os << "  " << Pad("Description:", 16) << U(db.description) << "\n";
    os << "  " << Pad("Workform:", 16) << WorkformLabel(db.workform, catalog) << "\n";
    os << "  " << Pad("Author format:", 16);
    if (db.useDefaultAuthorFormat) {
        os << "the default database's\n";
    } else {
        os << Enumerated(db.hyphens ? kAuthorHyphensBase : kAuthorBase, db.authorFormat, 8)
           << ", separated by " << Quoted(db.authorSeparator) << "\n";
    }
    os << "  " << Pad("Parse format:", 16);
    if (db.useDefaultParseFormat && position != 1) {
        os << "the default database's\n";
    } else {
        os << "\n";
        for (const ParseComponentRow& r : db.GetParseInfo()->rows) {
            os << "    " << Pad(Enumerated(kComponentNameBase, r.component, 7), 8) << "preceded by "
               << Quoted(r.PrecededBy()) << ", followed by " << Quoted(r.FollowedBy())
               << (r.optional ? ", optional" : "") << "\n";
        }
    }
    const CCfgDocTypeList& docTypes = *db.GetDocTypeList();
    os << "  Document types (" << docTypes.GetCount() << ")\n";
    for (int p = 1; p <= docTypes.GetCount(); ++p) {
        const CCfgDocType& dt = *docTypes.DocType(p);
        os << "    " << Pad(U(dt.name), 30) << "-> " << WorkformLabel(dt.workform, catalog) << "\n";
    }
    const CCfgFieldList& fields = *db.GetFieldList();
    os << "  Fields (" << fields.GetCount() << ")\n";
    for (int p = 1; p <= fields.GetCount(); ++p)
        WriteField(os, *fields.Field(p), db, docTypes, catalog);
    db.ReleaseChildren();
}

}  // namespace

void WriteConfigText(std::ostream& os, CCfgFile& file, const WorkformCatalog& catalog) {
    const CCfgGenlInfo& genl = *file.GetGenlInfo();
    os << "Configuration " << file.path() << " (format version " << file.link().Version() << ")\n";
    os << Pad("Title:", 10) << U(genl.title) << "\n";
    os << Pad("Comments:", 10) << U(genl.comments) << "\n\n";
    WriteStructure(os, *file.GetDFSInfo());

    const auto& pairs = file.GetIdentPairs()->pairs;
    os << "\nDatabase identification (" << pairs.size() << ")\n";
    for (const CCfgStringPair& p : pairs)
        os << "  " << Quoted(p.prefix) << " ... " << Quoted(p.suffix) << "\n";
    const auto& ignored = file.GetIgnoredLines()->strings;
    os << "\nIgnored lines (" << ignored.size() << ")\n";
    for (const std::string& s : ignored) os << "  " << Quoted(s) << "\n";

    const CCfgDBList& dbs = *file.GetDBList();
    for (int p = 1; p <= dbs.GetCount(); ++p) {
        os << "\n";
        WriteDatabase(os, *dbs.Database(p), p, dbs.GetCount(), catalog);
    }
}

}  // namespace recaster::cli
