#include "cli/config_json.h"

#include <algorithm>

#include "base/cp1252.h"
#include "config/database.h"
#include "config/lists.h"
#include "config/target_in_workform.h"
#include "resources/strings.h"

namespace recaster::cli {
namespace {

using Json = nlohmann::ordered_json;
using namespace config;

constexpr int kDoNotTransfer = 82;

std::string U(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}
int64_t Id(uint32_t id) {
    return id == kNoId ? -1 : int64_t{id};
}

Json General(const CCfgGenlInfo& g) {
    return Json{{"title", U(g.title)}, {"comments", U(g.comments)}, {"flag", g.flag}};
}

Json Structure(const CCfgDFSInfo& d) {
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

// `first` names the row's first byte: the component kind of a database's
// format, the target field number of a field's.
Json Row(const ParseComponentRow& r, const char* first) {
    return Json{{first, r.component},
                {"optional", r.optional},
                {"precededBy", U(r.PrecededBy())},
                {"followedBy", U(r.FollowedBy())}};
}

template <typename RowArray>
Json Rows(const RowArray& rows, const char* first) {
    Json out = Json::array();
    for (const ParseComponentRow& r : rows) out.push_back(Row(r, first));
    return out;
}

std::string TargetName(const CCfgField& f, const CCfgDatabase& db,
                       const workforms::WorkformCatalog& catalog) {
    const int index = TargetInWorkform(f, kDefaultWorkform, catalog);
    if (index < 0) return U(resources::LoadString(kDoNotTransfer));
    return U(catalog.FieldName(db.workform, index + 1));
}

Json Field(const CCfgField& f, const CCfgDatabase& db, const workforms::WorkformCatalog& catalog) {
    // Map order carries no meaning; sorted output is easier to compare.
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
            Json{{"useDefault", format.useDefault}, {"rows", Rows(format.rows, "component")}};
    }
    return Json{
        {"id", Id(f.GetId())},
        {"parentId", Id(f.parentId)},
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
        {"targetName", TargetName(f, db, catalog)},
    };
}

Json Database(CCfgDatabase& db, const workforms::WorkformCatalog& catalog) {
    Json docTypes = Json::array();
    const CCfgDocTypeList& types = *db.GetDocTypeList();
    for (int p = 1; p <= types.GetCount(); ++p) {
        const CCfgDocType& dt = *types.DocType(p);
        docTypes.push_back(
            Json{{"id", Id(dt.GetId())}, {"name", U(dt.name)}, {"workform", dt.workform}});
    }
    Json fields = Json::array();
    const CCfgFieldList& list = *db.GetFieldList();
    for (int p = 1; p <= list.GetCount(); ++p) fields.push_back(Field(*list.Field(p), db, catalog));
    Json out{
        {"id", Id(db.GetId())},
        {"name", U(db.name)},
        {"description", U(db.description)},
        {"workform", db.workform},
        {"useDefaultParseFormat", db.useDefaultParseFormat},
        {"useDefaultAuthorFormat", db.useDefaultAuthorFormat},
        {"authorFormat", db.authorFormat},
        {"hyphens", db.hyphens},
        {"authorSeparator", U(db.authorSeparator)},
        {"parseInfo", Rows(db.GetParseInfo()->rows, "kind")},
        {"docTypes", docTypes},
        {"fields", fields},
    };
    db.ReleaseChildren();
    return out;
}

}  // namespace

Json ConfigToJson(CCfgFile& file, const workforms::WorkformCatalog& catalog) {
    Json identifiers = Json::array();
    for (const CCfgStringPair& p : file.GetIdentPairs()->pairs)
        identifiers.push_back(Json{{"prefix", U(p.prefix)}, {"suffix", U(p.suffix)}});
    Json ignored = Json::array();
    for (const std::string& s : file.GetIgnoredLines()->strings) ignored.push_back(U(s));
    Json databases = Json::array();
    const CCfgDBList& dbs = *file.GetDBList();
    for (int p = 1; p <= dbs.GetCount(); ++p)
        databases.push_back(Database(*dbs.Database(p), catalog));
    return Json{
        {"version", file.link().Version()},
        {"general", General(*file.GetGenlInfo())},
        {"structure", Structure(*file.GetDFSInfo())},
        {"identifiers", identifiers},
        {"ignoredLines", ignored},
        {"databases", databases},
    };
}

}  // namespace recaster::cli
