// The lint's warnings, object by object.
#include "lint/mistake_rules.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "base/cp1252.h"
#include "config/entry_limits.h"
#include "config/lists.h"
#include "config/target_in_workform.h"
#include "lint/entry_rules.h"
#include "lint/rule_reporter.h"

namespace recaster::lint {
namespace {

using namespace config;
using workforms::WorkformCatalog;

const std::string kBackslashR = "\\r";

// "A (Journal Article)" for a workform the catalog holds, else its letter or
// number.
std::string WorkformText(uint16_t w, const WorkformCatalog& catalog) {
    std::string letter = w < 20 ? std::string(1, static_cast<char>('A' + w)) : std::to_string(w);
    if (!catalog.Exists(w)) return letter;
    return letter + " (" + Cp1252ToUtf8(catalog.NameOf(w)) + ")";
}

class MistakeChecker {
  public:
    MistakeChecker(Findings& out, const WorkformCatalog& catalog)
        : r_(out), catalog_(catalog), workforms_(catalog.Count() > 0) {}

    void Run(ConfigParts& config, uint16_t version) {
        if (version == 2)
            r_.Warning("version-2", {}, "file",
                       "This is a version-2 file, read without converting it; convert it (the "
                       "editor does so when it opens it) and lint the converted file.");
        const CCfgDFSInfo& dfs = config.structure;
        if (dfs.tagFormat.empty())
            r_.Warning("empty-tag-format", Location::InStructure("tagFormat"), "file structure",
                       "There is no tag format, so the importer cannot find field tags; set one "
                       "in Field Identification.");
        CheckFallback(dfs, config.databases);
        const auto& pairs = config.identifiers.pairs;
        for (size_t i = 0; i < pairs.size(); ++i) {
            if (!pairs[i].prefix.empty() || !pairs[i].suffix.empty()) continue;
            r_.Warning("empty-identifier",
                       Location::OfItem(Location::Part::Identifier, static_cast<int>(i)),
                       "database identification " + std::to_string(i + 1),
                       "This identification pair has neither a prefix nor a suffix, so it tells "
                       "no database apart; give it one or delete it.");
        }
        for (int p = 1; p <= config.databases.GetCount(); ++p) {
            CCfgDatabase& db = *config.databases.Database(p);
            CheckDatabase(p - 1, db, dfs);
            db.ReleaseStoredChildren();
        }
    }

  private:
    void CheckFallback(const CCfgDFSInfo& dfs, const CCfgDBList& list) {
        if (dfs.fallbackDatabase.empty()) return;
        std::string similar;
        for (int p = 1; p <= list.GetCount(); ++p) {
            const std::string& name = list.Database(p)->name;
            if (name == dfs.fallbackDatabase) return;
            if (similar.empty() && EqualsNoCaseCp1252(name, dfs.fallbackDatabase)) similar = name;
        }
        r_.Warning("missing-fallback", Location::InStructure("fallbackDatabase"), "file structure",
                   "The fallback database " + Quote(dfs.fallbackDatabase) +
                       " is not the name of a database" +
                       (similar.empty() ? "" : " (one is named " + Quote(similar) + ")") +
                       "; choose one in Database Identification.");
    }

    void CheckWorkform(const Location& where, const std::string& subject, uint16_t w,
                       const std::string& whose) {
        if (!workforms_ || catalog_.Exists(w)) return;
        if (w == kDefaultWorkform)
            r_.Warning("unknown-workform", where, subject, whose + " has no workform; choose one.");
        else
            r_.Warning("unknown-workform", where, subject,
                       whose + " uses workform " + WorkformText(w, catalog_) +
                           ", which is not among the workforms found (see 'recaster-cfg "
                           "workforms'); choose another.");
    }

    void CheckDatabase(int d, CCfgDatabase& db, const CCfgDFSInfo& dfs) {
        const std::string s = DatabaseSubject(db);
        CheckWorkform(Location::OfDatabase(d, "workform"), s, db.workform, "The database");
        const CCfgAutoParseInfo& info = *db.GetParseInfo();
        for (size_t i = 0; i < kParseRows; ++i) {
            const ParseComponentRow& row = info.rows[i];
            if (row.component == kParseNone ||
                row.FollowedBy().find(kBackslashR) == std::string::npos)
                continue;
            Location where = Location::OfDatabase(d, "followedBy");
            where.parseInfo = true;
            where.row = static_cast<int>(i);
            r_.Warning("backslash-r", where, s + " parsing format row " + std::to_string(i + 1),
                       "The followed-by text " + Quote(row.FollowedBy()) +
                           " contains a \\r which is no longer valid. Please replace it with a "
                           "space or remove it.");
        }
        const CCfgDocTypeList& types = *db.GetDocTypeList();
        std::set<std::string> names;
        for (int p = 1; p <= types.GetCount(); ++p) {
            const CCfgDocType& dt = *types.DocType(p);
            Location where = Location::OfDatabase(d, "workform");
            where.docType = p - 1;
            const std::string subject = s + " document type " + Quote(dt.name);
            CheckWorkform(where, subject, dt.workform, "The document type");
            if (!names.insert(dt.name).second) {
                where.member = "name";
                r_.Warning("duplicate-document-type", where, subject,
                           "Another document type of this database has the same name; records "
                           "of that type go to one of them only. Delete or rename one.");
            }
        }
        CheckFields(d, db, dfs, types);
    }

    void CheckFields(int d, CCfgDatabase& db, const CCfgDFSInfo& dfs,
                     const CCfgDocTypeList& types) {
        const CCfgFieldList& fields = *db.GetFieldList();
        std::map<std::string, std::string> folded;  // top-level tags by their lower case
        for (int p = 1; p <= fields.GetCount(); ++p) {
            CCfgField& f = *fields.Field(p);
            const CCfgField* parent = f.Parent();
            const std::string s = FieldSubject(db, f, parent);
            auto at = [&](const char* member) { return Location::OfField(d, p - 1, member); };
            if (parent == nullptr) {
                auto [it, inserted] = folded.emplace(ToLowerCp1252(f.tag), f.tag);
                if (!inserted && it->second != f.tag)
                    r_.Warning("duplicate-tag", at("tag"), s,
                               "The tags " + Quote(it->second) + " and " + Quote(f.tag) +
                                   " differ only in letter case; the importer finds fields "
                                   "ignoring case, so one of them is never used.");
                if (dfs.tagLength != 0 && !f.tag.empty() && f.tag.size() != dfs.tagLength)
                    r_.Warning("tag-length", at("tag"), s,
                               "The tag " + Quote(f.tag) + " has " + std::to_string(f.tag.size()) +
                                   " characters, but the file structure fixes field tags at " +
                                   std::to_string(dfs.tagLength) + ".");
            }
            CheckTargets(d, p - 1, s, db, f);
            if (f.type == kFieldParsed) CheckParseFormats(d, p - 1, s, db, f, types);
        }
    }

    void CheckTargets(int d, int p, const std::string& s, const CCfgDatabase& db,
                      const CCfgField& f) {
        if (!workforms_) return;
        if (catalog_.Exists(db.workform)) {
            const int t = TargetInWorkform(f, kDefaultWorkform, catalog_);
            if (t >= 0 && !catalog_.IsFieldUsed(db.workform, t + 1))
                r_.Warning("unused-target", Location::OfField(d, p, "defaultTarget"), s,
                           "The target field " + std::to_string(t + 1) +
                               " is not used by the database's workform " +
                               WorkformText(db.workform, catalog_) +
                               "; choose another target or '* Do Not Transfer'.");
        }
        auto targets = f.alternateTargets.Entries();
        std::sort(targets.begin(), targets.end());
        for (const auto& [w, index] : targets) {
            Location where = Location::OfField(d, p);
            where.alternate = w;
            if (!catalog_.Exists(w)) {
                CheckWorkform(where, s, w, "An alternate target");
                continue;
            }
            const int t = TargetInWorkform(f, w, catalog_);
            if (t >= 0 && !catalog_.IsFieldUsed(w, t + 1))
                r_.Warning("unused-target", where, s,
                           "The alternate target field " + std::to_string(t + 1) +
                               " is not used by workform " + WorkformText(w, catalog_) +
                               "; choose another target or '* Do Not Transfer'.");
        }
    }

    void CheckParseFormats(int d, int p, const std::string& s, const CCfgDatabase& db,
                           const CCfgField& f, const CCfgDocTypeList& types) {
        if (f.parseFormats.empty()) {
            r_.Warning("no-parse-formats", Location::OfField(d, p, "parseFormats"), s,
                       "This Parsed field has no parse format; give it one in the parsed field "
                       "format editor.");
            return;
        }
        auto formats = f.parseFormats.Entries();
        std::sort(formats.begin(), formats.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [name, format] : formats) {
            Location where = Location::OfField(d, p);
            where.parseFormat = name;
            const CCfgDocType* type = nullptr;
            for (int i = 1; i <= types.GetCount() && !type; ++i)
                if (types.DocType(i)->name == name) type = types.DocType(i);
            if (!name.empty() && type == nullptr) {
                r_.Warning("unknown-document-type", where, s,
                           "The parse format for " + Quote(name) +
                               " names no document type of this database, so it is never "
                               "used; rename the document type or the format.");
                continue;
            }
            // A document type's rows are only used when it has a format of its own.
            if (type != nullptr && format.useDefault != 0) continue;
            const uint16_t w = type != nullptr ? type->workform : db.workform;
            if (!workforms_ || !catalog_.Exists(w)) continue;
            for (size_t i = 0; i < kParseRows; ++i) {
                const uint8_t c = format.rows[i].component;
                if (c < 1 || c > kLastFieldNumber || catalog_.IsFieldUsed(w, c)) continue;
                where.row = static_cast<int>(i);
                where.member = "component";
                r_.Warning("unused-component", where,
                           s + ", " + FormatSubject(name) + " row " + std::to_string(i + 1),
                           "The component names field " + std::to_string(c) + ", which workform " +
                               WorkformText(w, catalog_) +
                               " does not use; the parsed field format editor would change it "
                               "to '* Do Not Transfer'.");
            }
        }
    }

    Reporter r_;
    const WorkformCatalog& catalog_;
    const bool workforms_;
};

auto OrderKey(const Finding& f) {
    const Location& w = f.where;
    return std::make_tuple(static_cast<int>(w.part), w.item, w.database, w.docType, w.field, w.row);
}

}  // namespace

Findings CheckLikelyMistakes(ConfigParts& config, const WorkformCatalog& catalog,
                             uint16_t version) {
    Findings out;
    MistakeChecker(out, catalog).Run(config, version);
    return out;
}

Findings Lint(ConfigParts& config, const WorkformCatalog& catalog, uint16_t version) {
    Findings all = CheckEntries(config);
    Findings warnings = CheckLikelyMistakes(config, catalog, version);
    all.insert(all.end(), std::make_move_iterator(warnings.begin()),
               std::make_move_iterator(warnings.end()));
    std::stable_sort(all.begin(), all.end(),
                     [](const Finding& a, const Finding& b) { return OrderKey(a) < OrderKey(b); });
    return all;
}

}  // namespace recaster::lint
