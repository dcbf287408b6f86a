// Writing the text form (layout in config_export.h).
#include "textform/config_export.h"

#include <algorithm>

#include "base/cp1252.h"
#include "config/lists.h"

namespace recaster::textform {
namespace {

using Json = nlohmann::ordered_json;
using namespace config;

std::string U(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// The field up to its last byte that is not NUL.
std::string RowText(const std::array<uint8_t, kParseTextBytes>& field) {
    size_t end = field.size();
    while (end > 0 && field[end - 1] == 0) --end;
    return U(std::string(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(end)));
}

}  // namespace

Json RowsJson(const std::array<ParseComponentRow, kParseRows>& rows, const char* first) {
    Json out = Json::array();
    for (const ParseComponentRow& r : rows) {
        out.push_back(Json{{first, r.component},
                           {"optional", r.optional},
                           {"precededBy", RowText(r.precededBy)},
                           {"followedBy", RowText(r.followedBy)}});
    }
    return out;
}

Json GeneralJson(const CCfgGenlInfo& g) {
    return Json{{"title", U(g.title)}, {"comments", U(g.comments)}, {"flag", g.flag}};
}

Json StructureJson(const CCfgDFSInfo& d) {
    return Json{
        {"tagLength", d.tagLength},
        {"reserved", d.reserved},
        {"fixedWidthTagArea", d.fixedWidthTagArea},
        {"tagAreaWidth", d.tagAreaWidth},
        {"crFollowsTag", d.crFollowsTag},
        {"lineContinuation", d.lineContinuation},
        {"continuationChar", d.continuationChar},
        {"defaultCaseConversion", d.defaultCaseConversion},
        {"recordEndMode", d.recordEndMode},
        {"recordEndStringOn", d.recordEndStringOn},
        {"tagFormat", U(d.tagFormat)},
        {"fieldTerminator", U(d.fieldTerminator)},
        {"emptyFieldFiller", U(d.emptyFieldFiller)},
        {"recordEndString", U(d.recordEndString)},
        {"recordHeaderFormat", U(d.recordHeaderFormat)},
        {"fallbackDatabase", U(d.fallbackDatabase)},
        {"processMarcSubfields", d.processMarcSubfields},
        {"subfieldIndicator", U(d.subfieldIndicator)},
    };
}

Json FieldJson(const CCfgField& f) {
    // Map order carries no meaning: sorted, equal maps give equal text.
    auto targets = f.alternateTargets.Entries();
    std::sort(targets.begin(), targets.end());
    Json alternates = Json::object();
    for (const auto& [w, index] : targets) alternates[std::to_string(w)] = index;
    auto formats = f.parseFormats.Entries();
    std::sort(formats.begin(), formats.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    Json parseFormats = Json::object();
    for (const auto& [name, format] : formats) {
        parseFormats[U(name)] =
            Json{{"useDefault", format.useDefault}, {"rows", RowsJson(format.rows, "component")}};
    }
    return Json{
        {"tag", U(f.tag)},
        {"description", U(f.description)},
        {"type", f.type},
        {"defaultTarget", f.defaultTarget},
        {"caseConversion", f.caseConversion},
        {"compressSpaces", f.compressSpaces},
        {"corporateAuthor", f.corporateAuthor},
        {"spaceChar", f.spaceChar},
        {"crOptions", f.crOptions},
        {"beginsWith", U(f.beginsWith)},
        {"endsWith", U(f.endsWith)},
        {"subfieldPrecededBy", U(f.subfieldPrecededBy)},
        {"subfieldFollowedBy", U(f.subfieldFollowedBy)},
        {"separator", U(f.separator)},
        {"crReplacementChar", U(f.crReplacementChar)},
        {"crRepresentationChar", U(f.crRepresentationChar)},
        {"alternateTargets", alternates},
        {"parseFormats", parseFormats},
        {"separateMode", f.separateMode},
        {"separatorText", U(f.separatorText)},
        {"replaceMatching", f.replaceMatching},
        {"find", U(f.findText)},
        {"replace", U(f.replaceText)},
    };
}

namespace {

// Top-level fields, each with its subfields nested under it.
Json Fields(CCfgFieldList& list) {
    Json out = Json::array();
    for (int p = 1; p <= list.GetCount(); ++p) {
        CCfgField& f = *list.Field(p);
        // A loaded list gives every subfield the top-level field before it.
        if (f.Parent() != nullptr && !out.empty()) {
            Json& parent = out.back();
            if (!parent.contains("subfields")) parent["subfields"] = Json::array();
            parent["subfields"].push_back(FieldJson(f));
        } else {
            out.push_back(FieldJson(f));
        }
    }
    return out;
}

Json Database(CCfgDatabase& db) {
    Json docTypes = Json::array();
    const CCfgDocTypeList& types = *db.GetDocTypeList();
    for (int p = 1; p <= types.GetCount(); ++p) {
        const CCfgDocType& dt = *types.DocType(p);
        docTypes.push_back(Json{{"name", U(dt.name)}, {"workform", dt.workform}});
    }
    Json out{
        {"name", U(db.name)},
        {"description", U(db.description)},
        {"workform", db.workform},
        {"useDefaultParseFormat", db.useDefaultParseFormat},
        {"useDefaultAuthorFormat", db.useDefaultAuthorFormat},
        {"authorFormat", db.authorFormat},
        {"hyphens", db.hyphens},
        {"authorSeparator", U(db.authorSeparator)},
        {"parseInfo", RowsJson(db.GetParseInfo()->rows, "kind")},
        {"docTypes", docTypes},
        {"fields", Fields(*db.GetFieldList())},
    };
    db.ReleaseStoredChildren();
    return out;
}

}  // namespace

Json ExportConfig(ConfigParts& config) {
    Json identifiers = Json::array();
    for (const CCfgStringPair& p : config.identifiers.pairs)
        identifiers.push_back(Json{{"prefix", U(p.prefix)}, {"suffix", U(p.suffix)}});
    Json ignored = Json::array();
    for (const std::string& s : config.ignoredLines.strings) ignored.push_back(U(s));
    Json databases = Json::array();
    for (int p = 1; p <= config.databases.GetCount(); ++p)
        databases.push_back(Database(*config.databases.Database(p)));
    return Json{
        {"textForm", kTextFormVersion},
        {"general", GeneralJson(config.general)},
        {"structure", StructureJson(config.structure)},
        {"identifiers", identifiers},
        {"ignoredLines", ignored},
        {"databases", databases},
    };
}

std::string ExportText(ConfigParts& config) {
    return ExportConfig(config).dump(2) + "\n";
}

}  // namespace recaster::textform
