#include "cli/config_json.h"

#include "base/cp1252.h"
#include "config/database.h"
#include "config/lists.h"
#include "config/target_in_workform.h"
#include "resources/strings.h"
#include "textform/config_export.h"

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

std::string TargetName(const CCfgField& f, const CCfgDatabase& db,
                       const workforms::WorkformCatalog& catalog) {
    const int index = TargetInWorkform(f, kDefaultWorkform, catalog);
    if (index < 0) return U(resources::LoadString(kDoNotTransfer));
    return U(catalog.FieldName(db.workform, index + 1));
}

// The field as the text form writes it, between its ids and its target's name.
Json Field(const CCfgField& f, const CCfgDatabase& db, const workforms::WorkformCatalog& catalog) {
    Json out{{"id", Id(f.GetId())}, {"parentId", Id(f.parentId)}};
    out.update(textform::FieldJson(f));
    out["targetName"] = TargetName(f, db, catalog);
    return out;
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
        {"parseInfo", textform::RowsJson(db.GetParseInfo()->rows, "kind")},
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
        {"general", textform::GeneralJson(*file.GetGenlInfo())},
        {"structure", textform::StructureJson(*file.GetDFSInfo())},
        {"identifiers", identifiers},
        {"ignoredLines", ignored},
        {"databases", databases},
    };
}

}  // namespace recaster::cli
