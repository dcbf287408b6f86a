// The entry rules, object by object, in the order of the configuration.
#include "lint/entry_rules.h"

#include <algorithm>
#include <set>

#include "base/cp1252.h"
#include "config/entry_limits.h"
#include "config/lists.h"
#include "config/pattern_checks.h"
#include "lint/rule_reporter.h"

namespace recaster::lint {
namespace {

using namespace config;

constexpr const char* kFieldIdentification = "Field Identification";
constexpr const char* kFieldInformation = "Field Information";
constexpr const char* kFormatEditor = "the parsed field format editor";
constexpr const char* kTargetIndexes =
    "a field index 0 to 44 (fields 1 to 45) or 255 (* Do Not Transfer)";

void CheckTagFormat(Reporter& r, const CCfgDFSInfo& dfs) {
    // An empty tag format is what a new file holds: a warning of the lint.
    if (dfs.tagFormat.empty()) return;
    const Location where = Location::InStructure("tagFormat");
    const std::string subject = "file structure";
    const TagFormatCheckResult check = config::CheckTagFormat(dfs.tagFormat, dfs.crFollowsTag);
    switch (check.problem) {
        case TagFormatProblem::None:
        case TagFormatProblem::Empty:
            return;
        case TagFormatProblem::TooLong:
            r.Length(where, subject, dfs.tagFormat, kMaxTagFormatLength, "tag format",
                     kFieldIdentification);
            return;
        case TagFormatProblem::SecondTagPosition:
            r.Error("tag-format", where, subject,
                    "The tag format " + Quote(dfs.tagFormat) +
                        " has more than one tag position '$'; only one is allowed (put a "
                        "backslash before a '$' that stands for itself).");
            return;
        case TagFormatProblem::NoTagPosition:
            r.Error("tag-format", where, subject,
                    "The tag format " + Quote(dfs.tagFormat) +
                        " has no tag position '$'; it needs exactly one.");
            return;
        case TagFormatProblem::DoubledCharacter:
            r.Error("doubled-character", where, subject,
                    DoubledMessage("tag format", check.doubled));
            return;
    }
}

void CheckStructure(Reporter& r, const CCfgDFSInfo& dfs) {
    const std::string s = "file structure";
    using L = Location;
    r.Range(L::InStructure("tagLength"), s, dfs.tagLength, 0, kMaxFixedTagLength,
            "fixed tag length", "0 (variable) to 32");
    r.Range(L::InStructure("lineContinuation"), s, dfs.lineContinuation, 0, kMaxLineContinuation,
            "line continuation", "0 (indented), 1 (left margin) or 2 (special character)");
    r.Range(L::InStructure("defaultCaseConversion"), s, dfs.defaultCaseConversion, 0,
            kMaxCaseConversion, "default case conversion", "0 to 5");
    r.Range(L::InStructure("recordEndMode"), s, dfs.recordEndMode, 0, kMaxRecordEndMode,
            "record end mode", "0 to 3");
    CheckTagFormat(r, dfs);
    r.Length(L::InStructure("fieldTerminator"), s, dfs.fieldTerminator, kMaxFieldTerminatorLength,
             "field terminator", kFieldIdentification);
    r.Length(L::InStructure("emptyFieldFiller"), s, dfs.emptyFieldFiller,
             kMaxEmptyFieldFillerLength, "empty field filler", kFieldIdentification);
    r.Length(L::InStructure("subfieldIndicator"), s, dfs.subfieldIndicator,
             kMaxSubfieldIndicatorLength, "subfield indicator", kFieldIdentification);
    r.Pattern(L::InStructure("recordHeaderFormat"), s, dfs.recordHeaderFormat,
              kRecordPatternSpecials, "record header format");
    r.Pattern(L::InStructure("recordEndString"), s, dfs.recordEndString, kRecordPatternSpecials,
              "record end string");
}

void CheckIdentifiersAndIgnoredLines(Reporter& r, const CCfgStringPairList& pairs,
                                     const CCfgStringList& ignored) {
    for (size_t i = 0; i < pairs.pairs.size(); ++i) {
        const std::string subject = "database identification " + std::to_string(i + 1);
        Location where =
            Location::OfItem(Location::Part::Identifier, static_cast<int>(i), "prefix");
        r.Pattern(where, subject, pairs.pairs[i].prefix, kIdentifierSpecials,
                  "database identification prefix");
        where.member = "suffix";
        r.Pattern(where, subject, pairs.pairs[i].suffix, kIdentifierSpecials,
                  "database identification suffix");
    }
    for (size_t i = 0; i < ignored.strings.size(); ++i) {
        r.Pattern(Location::OfItem(Location::Part::IgnoredLine, static_cast<int>(i)),
                  "ignored line " + std::to_string(i + 1), ignored.strings[i], kIgnoredLineSpecials,
                  "ignored line format");
    }
}

// One row of a database's parsing format or of a field's parse format.
void CheckRowTexts(Reporter& r, Location where, const std::string& subject,
                   const ParseComponentRow& row) {
    where.member = "precededBy";
    r.Length(where, subject, row.PrecededBy(), kMaxParseTextLength, "preceded-by text",
             kFormatEditor);
    where.member = "followedBy";
    r.Length(where, subject, row.FollowedBy(), kMaxParseTextLength, "followed-by text",
             kFormatEditor);
    where.member = "optional";
    r.Range(where, subject, row.optional, 0, 1, "optional flag", "0 or 1");
}

void CheckParseInfo(Reporter& r, int d, const CCfgDatabase& db, const CCfgAutoParseInfo& info) {
    for (size_t i = 0; i < kParseRows; ++i) {
        Location where = Location::OfDatabase(d, "kind");
        where.parseInfo = true;
        where.row = static_cast<int>(i);
        const std::string subject =
            DatabaseSubject(db) + " parsing format row " + std::to_string(i + 1);
        r.Range(where, subject, info.rows[i].component, 0, kMaxParseKind, "component kind",
                "0 (title) to 6 (CODEN), or 7 (row not used)");
        CheckRowTexts(r, where, subject, info.rows[i]);
    }
}

void CheckDocTypes(Reporter& r, int d, const CCfgDatabase& db, const CCfgDocTypeList& types) {
    for (int p = 1; p < types.GetCount(); ++p) {
        if (types.Compare(p, types.GetAt(p + 1)) <= 0) continue;
        Location where = Location::OfDatabase(d, "name");
        where.docType = p;
        r.Error("out-of-order", where,
                DatabaseSubject(db) + " document type " + Quote(types.DocType(p + 1)->name),
                "Document type " + Quote(types.DocType(p + 1)->name) + " must come before " +
                    Quote(types.DocType(p)->name) +
                    ": the editor keeps document types sorted by name (letter case matters).");
    }
}

void CheckFormats(Reporter& r, int d, int p, const std::string& fieldSubject, const CCfgField& f) {
    auto formats = f.parseFormats.Entries();
    std::sort(formats.begin(), formats.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, format] : formats) {
        Location where = Location::OfField(d, p, "useDefault");
        where.parseFormat = name;
        const std::string subject = fieldSubject + ", " + FormatSubject(name);
        r.Range(where, subject, format.useDefault, 0, 1, "use-default flag", "0 or 1");
        for (size_t i = 0; i < kParseRows; ++i) {
            const ParseComponentRow& row = format.rows[i];
            where.row = static_cast<int>(i);
            where.member = "component";
            const std::string rowSubject = subject + " row " + std::to_string(i + 1);
            if (row.component > kLastFieldNumber && row.component < kRowNotUsed) {
                r.Error("out-of-range", where, rowSubject,
                        "The component is " + std::to_string(row.component) +
                            "; it must be a field number 1 to 45, 0 or 255 (* Do Not Transfer), "
                            "or 254 (row not used).");
            }
            CheckRowTexts(r, where, rowSubject, row);
        }
    }
}

void CheckField(Reporter& r, int d, int p, const CCfgDatabase& db, const CCfgField& f,
                const CCfgField* parent) {
    const std::string s = FieldSubject(db, f, parent);
    auto at = [&](const char* member) { return Location::OfField(d, p, member); };
    if (parent == nullptr && f.tag.empty())
        r.Error("empty-tag", at("tag"), s,
                "The field has no tag; a field tag must contain at least one character (only "
                "subfields may have an empty tag).");
    r.Range(at("type"), s, f.type, 0, kMaxFieldType, "field type", "0 (Normal Text) to 7 (Author)");
    r.Range(at("caseConversion"), s, f.caseConversion, kCaseDefault, kMaxCaseConversion,
            "case conversion", "-1 (Default) to 5 (Smart Conversion)");
    if (f.defaultTarget > kLastTargetIndex && f.defaultTarget != kNoTarget)
        r.Error("out-of-range", at("defaultTarget"), s,
                "The default target is " + std::to_string(f.defaultTarget) + "; it must be " +
                    kTargetIndexes + ".");
    r.Range(at("crOptions"), s, f.crOptions >> 4, 0, kMaxCrReplacement,
            "CR replacement (the high four bits of the CR options)",
            "0 (space), 1 (new line) or 2 (the replacement character text)");
    r.Range(at("crOptions"), s, f.crOptions & 0x0F, 0, kMaxCrRepresentation,
            "CR representation (the low four bits of the CR options)",
            "0 (carriage return) or 1 (the representation character text)");
    r.Range(at("separateMode"), s, f.separateMode, 0, kMaxSeparateMode, "separate mode",
            "0 (automatic), 1 (text) or 2 (replace existing field)");
    r.Length(at("separatorText"), s, f.separatorText, kMaxSeparatorTextLength, "separator text",
             kFieldInformation);
    r.Range(at("replaceMatching"), s, f.replaceMatching, 0, 1, "replace-matching flag", "0 or 1");
    if (parent != nullptr && f.type == kFieldParsedWithSubfields)
        r.Error("subfield-type", at("type"), s,
                "A subfield cannot have field type 'Parsed with Subfields'. Select a different "
                "field type.");
    if (parent != nullptr && parent->type != kFieldParsedWithSubfields)
        r.Error("subfield-parent", at(""), s,
                "This subfield belongs to " + Quote(parent->tag) +
                    ", which is not of type 'Parsed with Subfields'; only such a field has "
                    "subfields. Change that field's type or make this a field of its own.");
    auto targets = f.alternateTargets.Entries();
    std::sort(targets.begin(), targets.end());
    for (const auto& [w, index] : targets) {
        if (index <= kLastTargetIndex || index == kNoTarget) continue;
        Location where = at("");
        where.alternate = w;
        r.Error("out-of-range", where, s,
                "The alternate target for workform " + std::to_string(w) + " is " +
                    std::to_string(index) + "; it must be " + kTargetIndexes + ".");
    }
    CheckFormats(r, d, p, s, f);
}

void CheckFields(Reporter& r, int d, const CCfgDatabase& db, const CCfgFieldList& fields) {
    std::set<std::string> topTags;
    std::set<std::string> subTags;  // of the current top-level field
    for (int p = 1; p <= fields.GetCount(); ++p) {
        CCfgField* f = fields.Field(p);
        const CCfgField* parent = f->Parent();
        CheckField(r, d, p - 1, db, *f, parent);
        if (parent == nullptr) subTags.clear();
        if (!(parent == nullptr ? topTags : subTags).insert(f->tag).second) {
            r.Error(
                "duplicate-tag", Location::OfField(d, p - 1, "tag"), FieldSubject(db, *f, parent),
                parent == nullptr
                    ? "Another field of this database already has the tag " + Quote(f->tag) + "."
                    : "Another subfield of " + Quote(parent->tag) + " already has the tag " +
                          Quote(f->tag) + ".");
        } else if (p > 1 && fields.Compare(p - 1, f) > 0) {
            CCfgField* before = fields.Field(p - 1);
            r.Error("out-of-order", Location::OfField(d, p - 1, "tag"),
                    FieldSubject(db, *f, parent),
                    "Field " + Quote(FieldKey(*f, parent)) + " must come before " +
                        Quote(FieldKey(*before, before->Parent())) +
                        ": the editor keeps fields sorted by tag (letter case matters), each "
                        "field's subfields right after it, sorted by tag.");
        }
    }
}

void CheckDatabases(Reporter& r, CCfgDBList& list) {
    if (list.GetCount() == 0) {
        r.Error("no-default-database", Location::OfDatabase(-1), "database list",
                "The configuration has no database; the list needs the default database first.");
        return;
    }
    std::set<std::string> names;
    for (int p = 1; p <= list.GetCount(); ++p) {
        CCfgDatabase& db = *list.Database(p);
        const int d = p - 1;
        const std::string s = DatabaseSubject(db);
        auto at = [&](const char* member) { return Location::OfDatabase(d, member); };
        if (p > 1)
            r.Length(at("name"), s, db.name, kMaxDatabaseNameLength, "database name",
                     "Database Information");
        if (!names.insert(DatabaseNameKey(db.name)).second) {
            r.Error("duplicate-name", at("name"), s,
                    "Another database is already named " + Quote(db.name) +
                        " (names are compared ignoring letter case, all-digit names by value).");
        } else if (p > 2 && list.Compare(p - 1, &db) > 0) {
            r.Error("out-of-order", at("name"), s,
                    "Database " + Quote(db.name) + " must come before " +
                        Quote(list.Database(p - 1)->name) +
                        ": after the default database the editor keeps databases sorted by "
                        "name, ignoring letter case, all-digit names by value.");
        }
        r.Length(at("description"), s, db.description, kMaxDatabaseDescriptionLength, "description",
                 "Database Information");
        r.Range(at("authorFormat"), s, db.authorFormat, 0, kMaxAuthorFormat, "author format",
                "0 to 7");
        r.Length(at("authorSeparator"), s, db.authorSeparator, kMaxAuthorSeparatorLength,
                 "author separator", "Author Format");
        CheckParseInfo(r, d, db, *db.GetParseInfo());
        CheckDocTypes(r, d, db, *db.GetDocTypeList());
        CheckFields(r, d, db, *db.GetFieldList());
        db.ReleaseStoredChildren();
    }
}

}  // namespace

std::string DatabaseNameKey(const std::string& name) {
    const bool numeric =
        !name.empty() && name.size() <= 5 &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (numeric) return "#" + std::to_string(std::stoul(name));
    return "=" + ToLowerCp1252(name);
}

Findings CheckEntries(ConfigParts& config) {
    Findings out;
    Reporter r(out);
    CheckStructure(r, config.structure);
    CheckIdentifiersAndIgnoredLines(r, config.identifiers, config.ignoredLines);
    CheckDatabases(r, config.databases);
    return out;
}

}  // namespace recaster::lint
