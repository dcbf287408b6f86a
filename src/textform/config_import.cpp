// Reading the text form into objects built in memory, then the entry rules.
#include "textform/config_import.h"

#include <algorithm>
#include <cstring>

#include "base/cp1252.h"
#include "config/entry_limits.h"
#include "lint/entry_rules.h"
#include "textform/text_form_paths.h"

namespace recaster::textform {
namespace {

using namespace config;

class Importer {
  public:
    ImportResult Run(const Json& document) {
        ImportResult result;
        auto config = std::make_unique<ImportedConfig>();
        c_ = config.get();
        ObjectReader root(document, "", problems_);
        if (document.is_object() && ReadVersion(root)) {
            if (const Json* g = root.Object("general")) General(*g);
            if (const Json* s = root.Object("structure")) Structure(*s);
            if (const Json* a = root.Array("identifiers")) Identifiers(*a);
            if (const Json* a = root.Array("ignoredLines")) IgnoredLines(*a);
            if (const Json* a = root.Array("databases")) Databases(*a);
            root.Finish();
            ApplyEntryRules();
        }
        result.problems = std::move(problems_);
        if (result.problems.empty()) result.config = std::move(config);
        return result;
    }

  private:
    void Problem(const std::string& path, std::string message) {
        problems_.push_back({path, std::move(message)});
    }

    bool ReadVersion(ObjectReader& root) {
        long long version = -1;
        root.Number("textForm", version, 0, std::numeric_limits<int32_t>::max());
        if (version == kTextForm) return true;
        if (version < 0) {
            if (problems_.empty())
                Problem("textForm",
                        "Missing: this is not the text form of a configuration (recaster-cfg "
                        "export writes one).");
        } else {
            Problem("textForm", "Text form " + std::to_string(version) +
                                    " is not known; this program reads text form " +
                                    std::to_string(kTextForm) + ".");
        }
        return false;
    }

    void General(const Json& value) {
        ObjectReader r(value, "general", problems_);
        r.Text("title", c_->general.title);
        r.Text("comments", c_->general.comments);
        r.Number("flag", c_->general.flag);
        r.Finish();
    }

    void Structure(const Json& value) {
        CCfgDFSInfo& d = c_->structure;
        ObjectReader r(value, "structure", problems_);
        r.Number("tagLength", d.tagLength);
        r.Number("reserved", d.reserved);
        r.Bool("fixedWidthTagArea", d.fixedWidthTagArea);
        r.Number("tagAreaWidth", d.tagAreaWidth);
        r.Bool("crFollowsTag", d.crFollowsTag);
        r.Number("lineContinuation", d.lineContinuation);
        r.Number("continuationChar", d.continuationChar);
        r.Number("defaultCaseConversion", d.defaultCaseConversion);
        r.Number("recordEndMode", d.recordEndMode);
        r.Bool("recordEndStringOn", d.recordEndStringOn);
        r.Text("tagFormat", d.tagFormat);
        r.Text("fieldTerminator", d.fieldTerminator);
        r.Text("emptyFieldFiller", d.emptyFieldFiller);
        r.Text("recordEndString", d.recordEndString);
        r.Text("recordHeaderFormat", d.recordHeaderFormat);
        r.Text("fallbackDatabase", d.fallbackDatabase);
        r.Bool("processMarcSubfields", d.processMarcSubfields);
        r.Text("subfieldIndicator", d.subfieldIndicator);
        r.Finish();
    }

    void Identifiers(const Json& array) {
        for (size_t i = 0; i < array.size(); ++i) {
            CCfgStringPair pair;
            ObjectReader r(array[i], IndexPath("identifiers", i), problems_);
            r.Text("prefix", pair.prefix);
            r.Text("suffix", pair.suffix);
            r.Finish();
            c_->identifiers.pairs.push_back(std::move(pair));
        }
    }

    void IgnoredLines(const Json& array) {
        for (size_t i = 0; i < array.size(); ++i) {
            std::string text;
            ReadText(array[i], IndexPath("ignoredLines", i), problems_, text);
            c_->ignoredLines.strings.push_back(std::move(text));
        }
    }

    bool CheckCount(const Json& array, const std::string& path, const char* what) {
        if (array.size() <= kMaxListElements) return true;
        Problem(path, "There are " + std::to_string(array.size()) + " " + what +
                          "; a list holds at most " + std::to_string(kMaxListElements) + ".");
        return false;
    }

    // Seven rows; `first` names the first byte (kind or component).
    void Rows(const Json& array, const std::string& path, const char* first,
              std::array<ParseComponentRow, kParseRows>& rows) {
        if (array.size() != kParseRows) {
            Problem(path, "Expected " + std::to_string(kParseRows) + " rows, found " +
                              std::to_string(array.size()) + ".");
            return;
        }
        for (size_t i = 0; i < kParseRows; ++i) {
            ParseComponentRow& row = rows[i];
            const std::string rowPath = IndexPath(path, i);
            ObjectReader r(array[i], rowPath, problems_);
            r.Number(first, row.component);
            r.Number("optional", row.optional);
            RowText(r, "precededBy", rowPath, row.precededBy);
            RowText(r, "followedBy", rowPath, row.followedBy);
            r.Finish();
        }
    }

    void RowText(ObjectReader& r, const char* key, const std::string& rowPath,
                 std::array<uint8_t, kParseTextBytes>& field) {
        std::string text(field.begin(), field.end());
        text.erase(text.find_last_not_of('\0') + 1);
        r.Text(key, text);
        if (text.size() > kParseTextBytes) {
            Problem(MemberPath(rowPath, key), "The text has " + std::to_string(text.size()) +
                                                  " characters; a parse row " + "holds at most " +
                                                  std::to_string(kMaxParseTextLength) + ".");
            return;
        }
        field.fill(0);
        std::memcpy(field.data(), text.data(), text.size());
    }

    void Databases(const Json& array) {
        if (!CheckCount(array, "databases", "databases")) return;
        for (size_t i = 0; i < array.size(); ++i) {
            auto db = std::make_unique<CCfgDatabase>();
            Database(array[i], IndexPath("databases", i), *db);
            db->owner = &c_->databases;
            c_->databases.Append(std::move(db));
        }
    }

    void Database(const Json& value, const std::string& path, CCfgDatabase& db) {
        ObjectReader r(value, path, problems_);
        r.Text("name", db.name);
        r.Text("description", db.description);
        r.Number("workform", db.workform);
        r.Bool("useDefaultParseFormat", db.useDefaultParseFormat);
        r.Bool("useDefaultAuthorFormat", db.useDefaultAuthorFormat);
        r.Number("authorFormat", db.authorFormat);
        r.Bool("hyphens", db.hyphens);
        r.Text("authorSeparator", db.authorSeparator);
        if (const Json* rows = r.Array("parseInfo"))
            Rows(*rows, r.Path("parseInfo"), "kind", db.GetParseInfo()->rows);
        if (const Json* types = r.Array("docTypes")) DocTypes(*types, r.Path("docTypes"), db);
        if (const Json* fields = r.Array("fields")) Fields(*fields, r.Path("fields"), db);
        r.Finish();
    }

    void DocTypes(const Json& array, const std::string& path, CCfgDatabase& db) {
        if (!CheckCount(array, path, "document types")) return;
        for (size_t i = 0; i < array.size(); ++i) {
            auto type = std::make_unique<CCfgDocType>();
            ObjectReader r(array[i], IndexPath(path, i), problems_);
            r.Text("name", type->name);
            r.Number("workform", type->workform);
            r.Finish();
            db.GetDocTypeList()->Append(std::move(type));
        }
    }

    void Fields(const Json& array, const std::string& path, CCfgDatabase& db) {
        CCfgFieldList& list = *db.GetFieldList();
        for (size_t i = 0; i < array.size(); ++i) {
            const std::string topPath = IndexPath(path, i);
            std::vector<std::unique_ptr<CCfgField>> subfields;
            std::unique_ptr<CCfgField> top = Field(array[i], topPath, &subfields);
            top->owner = &list;
            CCfgField* parent = top.get();
            list.Append(std::move(top));
            for (auto& subfield : subfields) {
                subfield->owner = &list;
                subfield->parent = parent;
                list.Append(std::move(subfield));
            }
        }
        if (static_cast<size_t>(list.GetCount()) > kMaxListElements)
            Problem(path, "There are " + std::to_string(list.GetCount()) +
                              " fields and subfields; a list holds at most " +
                              std::to_string(kMaxListElements) + ".");
    }

    // A top-level field collects its subfields in `subfields`; a subfield
    // (subfields null) may not have any.
    std::unique_ptr<CCfgField> Field(const Json& value, const std::string& path,
                                     std::vector<std::unique_ptr<CCfgField>>* subfields) {
        auto f = std::make_unique<CCfgField>();
        ObjectReader r(value, path, problems_);
        r.Text("tag", f->tag);
        r.Text("description", f->description);
        r.Number("type", f->type);
        r.Number("defaultTarget", f->defaultTarget);
        r.Number("caseConversion", f->caseConversion);
        r.Bool("compressSpaces", f->compressSpaces);
        r.Bool("corporateAuthor", f->corporateAuthor);
        r.Number("spaceChar", f->spaceChar);
        r.Number("crOptions", f->crOptions);
        r.Text("beginsWith", f->beginsWith);
        r.Text("endsWith", f->endsWith);
        r.Text("subfieldPrecededBy", f->subfieldPrecededBy);
        r.Text("subfieldFollowedBy", f->subfieldFollowedBy);
        r.Text("separator", f->separator);
        r.Text("crReplacementChar", f->crReplacementChar);
        r.Text("crRepresentationChar", f->crRepresentationChar);
        if (const Json* map = r.Object("alternateTargets"))
            AlternateTargets(*map, r.Path("alternateTargets"), *f);
        if (const Json* map = r.Object("parseFormats"))
            ParseFormats(*map, r.Path("parseFormats"), *f);
        r.Number("separateMode", f->separateMode);
        r.Text("separatorText", f->separatorText);
        r.Number("replaceMatching", f->replaceMatching);
        r.Text("find", f->findText);
        r.Text("replace", f->replaceText);
        if (const Json* subs = r.Array("subfields")) {
            const std::string subsPath = r.Path("subfields");
            if (!subfields) {
                if (!subs->empty())
                    Problem(subsPath, "A subfield cannot have subfields of its own.");
            } else {
                for (size_t i = 0; i < subs->size(); ++i)
                    subfields->push_back(Field((*subs)[i], IndexPath(subsPath, i), nullptr));
            }
        }
        r.Finish();
        return f;
    }

    void AlternateTargets(const Json& map, const std::string& path, CCfgField& f) {
        for (const auto& [key, value] : map.items()) {
            const std::string entryPath = MemberPath(path, key);
            const bool canonical =
                !key.empty() && key.size() <= 5 &&
                std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                (key == "0" || key[0] != '0') && std::stoul(key) <= 0xFFFF;
            if (!canonical) {
                Problem(entryPath,
                        "The key must be a workform number 0 to 65535 in decimal (0 is "
                        "workform A).");
                continue;
            }
            long long index = 0;
            if (!ReadNumber(value, entryPath, problems_, 0, 255, index)) continue;
            if (index == kNoAlternate) {
                Problem(entryPath,
                        "254 means no alternate target; leave the workform out instead.");
                continue;
            }
            f.alternateTargets.Set(static_cast<uint16_t>(std::stoul(key)),
                                   static_cast<uint8_t>(index));
        }
    }

    void ParseFormats(const Json& map, const std::string& path, CCfgField& f) {
        for (const auto& [key, value] : map.items()) {
            const std::string entryPath = MemberPath(path, key);
            std::string name;
            if (!ConvertText(key, entryPath, problems_, name)) continue;
            CCfgParseFormat format;
            ObjectReader r(value, entryPath, problems_);
            r.Number("useDefault", format.useDefault);
            if (const Json* rows = r.Array("rows"))
                Rows(*rows, r.Path("rows"), "component", format.rows);
            r.Finish();
            f.parseFormats.Set(name, format);
        }
    }

    // Rule findings under a value that already has a problem repeat it.
    bool Covered(const std::string& path) const {
        for (const ImportProblem& p : jsonProblems_) {
            if (p.path.empty()) continue;
            if (path.compare(0, p.path.size(), p.path) == 0 &&
                (path.size() == p.path.size() || path[p.path.size()] == '.' ||
                 path[p.path.size()] == '['))
                return true;
        }
        return false;
    }

    void ApplyEntryRules() {
        jsonProblems_ = problems_;
        ConfigParts parts = c_->parts();
        const TextFormPaths paths(parts);
        for (const lint::Finding& f : lint::CheckEntries(parts)) {
            if (f.severity != lint::Severity::Error) continue;
            const std::string path = paths.Of(f.where);
            if (!Covered(path)) Problem(path, f.message);
        }
    }

    static constexpr long long kTextForm = 1;
    ImportedConfig* c_ = nullptr;
    ImportProblems problems_;
    ImportProblems jsonProblems_;
};

}  // namespace

ImportResult ImportConfig(const Json& document) {
    return Importer().Run(document);
}

std::optional<Json> ParseJson(std::string_view text, std::string& error) {
    try {
        return Json::parse(text);
    } catch (const Json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 2, column 3: ...", or a
        // number too large for a double ("out_of_range.406").
        error = e.what();
        if (size_t end = error.find("] "); end != std::string::npos) error.erase(0, end + 2);
        return std::nullopt;
    }
}

ImportResult ImportConfigText(std::string_view text) {
    std::string error;
    std::optional<Json> document = ParseJson(text, error);
    if (!document) return {nullptr, {{"", "Not JSON: " + error + "."}}};
    return ImportConfig(*document);
}

void WriteConfig(std::unique_ptr<ImportedConfig> c, const std::string& path,
                 store::FileSystem& fs) {
    CCfgFile file(fs);
    // Attaching stores each object with new ids, the list records after
    // their elements; the store makes the file appear only once committed.
    file.store().Create(path, [&](store::Store&) {
        CStoreLink* link = &file.link();
        c->general.Attach(link, 0);
        c->structure.Attach(link, 0);
        c->databases.Attach(link, 0);
        c->identifiers.Attach(link, 0);
        c->ignoredLines.Attach(link, 0);
    });
    // The objects now name a closed store: they go with it.
    c.reset();
}

}  // namespace recaster::textform
