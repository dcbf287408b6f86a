// Steps 4 and 5 of the report: the selected database in detail, and the full
// definition of each of its fields. TAB and NL below stand for a tab
// character and a line end; texts in quotes are string-table texts.
#include <string>

#include "config/lists.h"
#include "config/target_in_workform.h"
#include "report/cfg_report.h"
#include "report/report_text.h"
#include "resources/strings.h"

namespace recaster::report {
namespace {

using resources::FormatString;
using resources::LoadString;

constexpr std::string_view kFieldSeparator = "-------------------------";  // 25
constexpr std::string_view kSubfieldIndent = "  ";
constexpr uint8_t kParseRowUnused = config::kParseNone;  // kind 7: not printed
constexpr uint8_t kParseKindNone = 255;                  // printed, never optional

// The count lines: none, one, or "%1 ..." with the count.
std::string CountLine(int count, int none, int one, int many) {
    if (count == 0) return LoadString(none);
    if (count == 1) return LoadString(one);
    return FormatString(many, std::to_string(count));
}

}  // namespace

// "Database ID:" TAB name NL, "Description:" TAB ... NL, "Target Workform:"
// TAB ... NL, the fields summary, parsing format, author format and
// document types, NL.
void CCfgReport::DatabaseDetails() {
    if (!On(options_.dbDetails) || !selected_) return;
    config::CCfgDatabase& db = *selected_;
    PutString(4010);
    Tab();
    Put(db.name);
    NL();
    PutString(4006);
    Tab();
    Put(db.description);
    NL();
    PutString(4018);
    Tab();
    Put(catalog_.NameOf(db.workform));
    NL();
    FieldsSummary(db);
    ParsingFormat(db);
    AuthorFormat(db);
    DocumentTypes(db);
    NL();
}

// NL count line NL; with "DBFields": NL, the column line, one line per field
// (a subfield's tag indented by two blanks), NL.
void CCfgReport::FieldsSummary(config::CCfgDatabase& db) {
    const config::CCfgFieldList& fields = *db.GetFieldList();
    const int count = fields.GetCount();
    NL();
    Put(CountLine(count, 4011, 4012, 4013));
    NL();
    if (!On(options_.dbFields) || count == 0) return;
    NL();
    Tab();
    PutString(4015);
    Tab();
    PutString(4016);
    Tab();
    PutString(4017);
    NL();
    for (int i = 1; i <= count; ++i) {
        const config::CCfgField& field = *fields.Field(i);
        Tab();
        if (field.IsSubfield()) Put(kSubfieldIndent);
        Put(field.tag);
        Tab();
        Put(field.description);
        Tab();
        Put(TargetText(config::TargetInWorkform(field, config::kDefaultWorkform, catalog_),
                       db.workform, catalog_));
        NL();
    }
    NL();
}

// With "AutoParseFmts" and the database's own format: NL, the heading NL
// NL, the column line, one line per row in use (and the warning line after
// a "Followed By" text holding the two characters \r), NL, TAB the example
// NL, "Optional Components: " list NL, NL.
void CCfgReport::ParsingFormat(config::CCfgDatabase& db) {
    if (!On(options_.autoParseFmts) || db.useDefaultParseFormat) return;
    const config::CCfgAutoParseInfo& info = *db.GetParseInfo();
    NL();
    Put(FormatString(4081, PrintedText(db.name)));
    NL();
    NL();
    Tab();
    PutString(7);
    Tab();
    PutString(9);
    Tab();
    PutString(8);
    NL();
    std::string example;
    for (const config::ParseComponentRow& row : info.rows) {
        if (row.component == kParseRowUnused) continue;
        const std::string precededBy = row.PrecededBy();
        const std::string followedBy = row.FollowedBy();
        const std::string label = ComponentLabel(row.component);
        Tab();
        Put(Quoted(precededBy));
        Tab();
        Tab();
        Put(label);
        Tab();
        Tab();
        Put(Quoted(followedBy));
        NL();
        if (followedBy.find("\\r") != std::string::npos) {
            PutString(4126);
            NL();
        }
        example += precededBy + label + followedBy;
    }
    std::string optional;
    for (const config::ParseComponentRow& row : info.rows) {
        if (row.component == kParseKindNone || row.optional == 0) continue;
        if (!optional.empty()) optional += LoadString(kStrListSeparator);
        optional += ComponentName(row.component);
    }
    if (optional.empty()) optional = LoadString(kStrNone);
    NL();
    Tab();
    Put(example);
    NL();
    PutString(4082);
    Put(optional);
    NL();
    NL();
}

// With the database's own author format: NL, "Author Field Format Example: "
// example NL, "Authors are separated by: "..."" NL, NL.
void CCfgReport::AuthorFormat(const config::CCfgDatabase& db) {
    if (db.useDefaultAuthorFormat) return;
    NL();
    PutString(4088);
    Put(AuthorExample(db.authorFormat, db.hyphens));
    NL();
    Put(FormatString(4089, PrintedText(db.authorSeparator)));
    NL();
    NL();
}

// NL count line NL; when there are any: NL, the column line (ending in a
// TAB), one line per document type, NL.
void CCfgReport::DocumentTypes(config::CCfgDatabase& db) {
    const config::CCfgDocTypeList& types = *db.GetDocTypeList();
    const int count = types.GetCount();
    NL();
    Put(CountLine(count, 4083, 4084, 4085));
    NL();
    if (count == 0) return;
    NL();
    Tab();
    PutString(4086);
    Tab();
    PutString(4087);
    Tab();
    NL();
    for (int i = 1; i <= count; ++i) {
        const config::CCfgDocType& type = *types.DocType(i);
        Tab();
        Put(type.name);
        Tab();
        Put(catalog_.NameOf(type.workform));
        NL();
    }
    NL();
}

// With "DBDetails", "FieldDetails" and at least one field: NL, the heading
// NL NL, then every field, fields after the first preceded by 25 hyphens NL
// NL.
void CCfgReport::FieldDefinitions() {
    if (!On(options_.dbDetails) || !On(options_.fieldDetails) || !selected_) return;
    config::CCfgDatabase& db = *selected_;
    const config::CCfgFieldList& fields = *db.GetFieldList();
    if (fields.GetCount() == 0) return;
    NL();
    Put(FormatString(4019, PrintedText(db.name)));
    NL();
    NL();
    for (int i = 1; i <= fields.GetCount(); ++i) {
        if (i > 1) {
            Put(kFieldSeparator);
            NL();
            NL();
        }
        FieldDefinition(db, *fields.Field(i));
    }
}

// Nine lines label TAB value NL, NL, the options of its type, its alternate
// targets.
void CCfgReport::FieldDefinition(const config::CCfgDatabase& db, const config::CCfgField& field) {
    const auto line = [this](int label, std::string_view value) {
        PutString(label);
        Tab();
        Put(value);
        NL();
    };
    const std::string space =
        field.spaceChar == 0 ? std::string() : std::string(1, static_cast<char>(field.spaceChar));
    line(4033, field.tag);
    line(4034, field.description);
    line(4035, FieldTypeName(field.type));
    line(4036, TargetText(config::TargetInWorkform(field, config::kDefaultWorkform, catalog_),
                          db.workform, catalog_));
    line(4037, Quoted(space));
    line(4038, YesNo(field.compressSpaces));
    line(4039, CaseConversionName(field.caseConversion, /*allowDefault=*/true));
    line(4040, field.beginsWith);
    line(4041, field.endsWith);
    NL();
    TypeOptions(field);
    AlternateTargets(db, field);
}

// Normal Text, Multi Text and Parsed with Subfields: heading NL NL, their
// lines, NL. Parsed: NL alone. Other types: nothing.
void CCfgReport::TypeOptions(const config::CCfgField& field) {
    switch (field.type) {
        case config::kFieldNormalText: {
            std::string replaced;
            switch (field.crOptions >> 4) {
                case 0:
                    replaced = LoadString(4046);
                    break;
                case 1:
                    replaced = LoadString(4047);
                    break;
                case 2:
                    replaced = FormatString(4048, PrintedText(field.crReplacementChar));
                    break;
                default:
                    break;
            }
            std::string represented;
            switch (field.crOptions & 0x0F) {
                case 0:
                    represented = LoadString(4050);
                    break;
                case 1:
                    represented = FormatString(4051, PrintedText(field.crRepresentationChar));
                    break;
                default:
                    break;
            }
            PutString(4020);
            NL();
            NL();
            Row(4045, replaced);
            Row(4049, represented);
            NL();
            break;
        }
        case config::kFieldMultiText:
            PutString(4021);
            NL();
            NL();
            Row(4052, Quoted(field.separator));
            NL();
            break;
        case config::kFieldParsedWithSubfields:
            PutString(4023);
            NL();
            NL();
            Row(4043, Quoted(field.subfieldPrecededBy));
            Row(4044, Quoted(field.subfieldFollowedBy));
            NL();
            break;
        case config::kFieldParsed:
            NL();
            break;
        default:
            break;
    }
}

// "Alternate Target Fields by Workform:" NL NL; every workform of the
// catalog, in its order and other than the database's own, in which the
// field lands elsewhere than in its default target: TAB name TAB target NL
// (the column line before the first); TAB "< None >" NL when there is none;
// NL. The target's name comes from the workform listed.
void CCfgReport::AlternateTargets(const config::CCfgDatabase& db, const config::CCfgField& field) {
    PutString(4025);
    NL();
    NL();
    const int defaultTarget = config::TargetInWorkform(field, config::kDefaultWorkform, catalog_);
    bool listed = false;
    for (int i = 0; i < catalog_.Count(); ++i) {
        const workforms::WorkformId w = catalog_.IdAt(i);
        if (w == db.workform) continue;
        const int target = config::TargetInWorkform(field, w, catalog_);
        if (target == defaultTarget) continue;
        if (!listed) {
            Row(4026, LoadString(4027));
            listed = true;
        }
        Tab();
        Put(catalog_.NameAt(i));
        Tab();
        Put(TargetText(target, w, catalog_));
        NL();
    }
    if (!listed) {
        Tab();
        PutString(kStrNone);
        NL();
    }
    NL();
}

}  // namespace recaster::report
