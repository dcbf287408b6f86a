// A configuration written in the version-2 record formats (layouts in the
// header). The records are put into a new store as raw payloads, children
// before the record that names them, as attaching would; the store is
// committed (which writes version 3 into the header) and the version is then
// set to 2 in the file's first two bytes.
#include "convert/version2_writer.h"

#include <array>
#include <set>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "base/archive.h"
#include "base/coding.h"
#include "config/auto_parse_targets.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "store/key.h"
#include "workforms/workform_ids.h"

namespace recaster::convert {
namespace {

using Bytes = std::vector<uint8_t>;
using config::CCfgDatabase;
using config::CCfgField;
using config::ParseComponentRow;
using Rows = std::array<ParseComponentRow, config::kParseRows>;

constexpr size_t kOldRows = 5;
constexpr size_t kOldTextBytes = 18;
constexpr uint8_t kOldNoComponent = 5;
constexpr int kOldWorkforms = 26;
constexpr int kOldKinds = 5;
constexpr uint8_t kOldVersion = 2;

[[noreturn]] void Refuse(const std::string& what, const std::string& why) {
    throw std::invalid_argument(what + ": " + why + "; version 2 cannot hold it");
}

uint8_t OldAuthorFormat(const CCfgDatabase& db) {
    switch (db.authorFormat) {
        case config::kAuthorInitialsSpaced:
        case config::kAuthorNoCommaSpaced:
            Refuse("database " + db.name, "author format " + std::to_string(db.authorFormat));
        case config::kAuthorNoCommaFull:
        case config::kAuthorNoCommaDotted:
        case config::kAuthorNoCommaJoined:
            return static_cast<uint8_t>(db.authorFormat - 1);
        default:
            return db.authorFormat;
    }
}

void WriteOldText(Archive& ar, const std::string& text, const std::string& what) {
    if (text.size() >= kOldTextBytes) Refuse(what, "the text \"" + text + "\" is too long");
    std::array<uint8_t, kOldTextBytes> field{};
    std::copy(text.begin(), text.end(), field.begin());
    ar.WriteBytes(field);
}

Bytes OldParseInfo(const Rows& rows, const std::string& what) {
    Archive ar = Archive::ForStore();
    for (size_t i = 0; i < kOldRows; ++i) {
        const ParseComponentRow& row = rows[i];
        uint8_t kind = row.component;
        if (kind == config::kParseIssn || kind == config::kParseCoden)
            Refuse(what, "parse row " + std::to_string(i) + " of kind " + std::to_string(kind));
        if (kind == config::kParseNone) kind = kOldNoComponent;
        ar.WriteU8(kind);
        ar.WriteU8(row.optional);
        WriteOldText(ar, row.PrecededBy(), what);
        WriteOldText(ar, row.FollowedBy(), what);
    }
    return ar.bytes();
}

Bytes ListOf(const std::vector<uint32_t>& ids) {
    Archive ar = Archive::ForStore();
    ar.WriteU16(static_cast<uint16_t>(ids.size()));
    for (uint32_t id : ids) ar.WriteU32(id);
    return ar.bytes();
}

Bytes RecordOf(config::CPersistentObject& object) {
    Archive ar = Archive::ForStore();
    object.PersistWrite(ar);
    return ar.bytes();
}

class Writer {
  public:
    Writer(store::Store& store, const Version2Options& options)
        : store_(store), options_(options) {}

    void Write(config::CCfgFile& source) {
        PutAt(FourCC("CGNL"), RecordOf(*source.GetGenlInfo()));
        PutAt(FourCC("CDFS"), RecordOf(*source.GetDFSInfo()));
        PutAt(FourCC("STP#"), RecordOf(*source.GetIdentPairs()));
        PutAt(FourCC("STR#"), RecordOf(*source.GetIgnoredLines()));
        config::CCfgDBList& list = *source.GetDBList();
        const Rows defaultRows = list.GetCount() > 0 ? list.Database(1)->GetParseInfo()->rows
                                                     : config::CCfgAutoParseInfo().rows;
        std::vector<uint32_t> ids;
        for (int p = 1; p <= list.GetCount(); ++p) {
            CCfgDatabase& db = *list.Database(p);
            ids.push_back(WriteDatabase(db, defaultRows));
            db.ReleaseChildren();
        }
        PutAt(FourCC("CDB#"), ListOf(ids));
    }

  private:
    uint32_t Put(uint32_t tag, const Bytes& payload) {
        const uint32_t id = store_.NewId(tag);
        store_.Insert(store::Key{tag, id}, payload);
        return id;
    }
    void PutAt(uint32_t tag, const Bytes& payload) { store_.Insert(store::Key{tag, 0}, payload); }

    uint8_t OldWorkform(uint16_t w, const std::string& what) const {
        const uint16_t old = options_.recodeWorkform ? options_.recodeWorkform(w) : w;
        if (old > 0xFF) Refuse(what, "workform " + std::to_string(old));
        return static_cast<uint8_t>(old);
    }

    uint32_t WriteDatabase(CCfgDatabase& db, const Rows& defaultRows) {
        const std::string what = "database " + db.name;
        const Rows& rows = db.useDefaultParseFormat ? defaultRows : db.GetParseInfo()->rows;

        std::vector<uint32_t> fieldIds;
        std::unordered_map<const CCfgField*, uint32_t> idOf;
        config::CCfgFieldList& fields = *db.GetFieldList();
        for (int p = 1; p <= fields.GetCount(); ++p) {
            CCfgField& field = *fields.Field(p);
            const uint32_t targets = WriteTargets(db, field, rows);
            const CCfgField* parent = field.Parent();
            const auto parentId =
                parent != nullptr && idOf.count(parent) ? idOf.at(parent) : config::kNoId;
            const uint32_t id = Put(field.GetTag(), OldField(field, parentId, targets));
            idOf[&field] = id;
            fieldIds.push_back(id);
        }
        const uint32_t fieldListId = Put(FourCC("CFD#"), ListOf(fieldIds));

        std::vector<uint32_t> typeIds;
        const config::CCfgDocTypeList& types = *db.GetDocTypeList();
        for (int t = 1; t <= types.GetCount(); ++t) {
            const config::CCfgDocType& type = *types.DocType(t);
            Archive ar = Archive::ForStore();
            ar.WriteText(type.name);
            ar.WriteU8(OldWorkform(type.workform, what + ", document type " + type.name));
            typeIds.push_back(Put(type.GetTag(), ar.bytes()));
        }
        const uint32_t typeListId = Put(FourCC("CDT#"), ListOf(typeIds));
        const uint32_t infoId = Put(FourCC("CAPI"), OldParseInfo(db.GetParseInfo()->rows, what));

        Archive ar = Archive::ForStore();
        ar.WriteU8(OldWorkform(db.workform, what));
        ar.WriteText(db.name);
        ar.WriteText(db.description);
        ar.WriteU32(fieldListId);
        ar.WriteU32(typeListId);
        ar.WriteU32(infoId);
        ar.WritePackedFlags(db.useDefaultParseFormat, db.useDefaultAuthorFormat);
        ar.WriteU8(OldAuthorFormat(db));
        ar.WriteBool(db.hyphens);
        ar.WriteText(db.authorSeparator);
        return Put(db.GetTag(), ar.bytes());
    }

    // The old targets record of a Parsed field with formats, else kNoId.
    uint32_t WriteTargets(CCfgDatabase& db, const CCfgField& field, const Rows& rows) {
        if (field.type != config::kFieldParsed || field.parseFormats.size() == 0)
            return config::kNoId;
        std::array<uint8_t, kOldKinds * kOldWorkforms> table{};
        for (int k = 0; k < kOldKinds; ++k)
            for (int w = 0; w < kOldWorkforms; ++w)
                table[static_cast<size_t>(k * kOldWorkforms + w)] =
                    config::CCfgAutoParseTargets::DefaultTarget(static_cast<uint8_t>(k),
                                                                static_cast<uint16_t>(w));
        std::set<uint8_t> done;
        auto apply = [&](const config::CCfgParseFormat* format, uint8_t w) {
            if (format == nullptr || w >= kOldWorkforms || !done.insert(w).second) return;
            for (size_t i = 0; i < config::kParseRows; ++i) {
                const uint8_t kind = rows[i].component;
                if (kind >= kOldKinds) continue;
                const uint8_t target = format->rows[i].component;
                table[kind * kOldWorkforms + w] = workforms::IsFieldNumber(target)
                                                      ? static_cast<uint8_t>(target - 1)
                                                      : config::kNoTarget;
            }
        };
        const std::string what = "database " + db.name + ", field " + field.tag;
        apply(field.parseFormats.Find(std::string()), OldWorkform(db.workform, what));
        const config::CCfgDocTypeList& types = *db.GetDocTypeList();
        for (int t = 1; t <= types.GetCount(); ++t) {
            const config::CCfgDocType& type = *types.DocType(t);
            apply(field.parseFormats.Find(type.name), OldWorkform(type.workform, what));
        }
        Archive ar = Archive::ForStore();
        ar.WriteBytes(table);
        return Put(FourCC("CAPD"), ar.bytes());
    }

    static Bytes OldField(const CCfgField& f, uint32_t parentId, uint32_t targetsId) {
        Archive ar = Archive::ForStore();
        ar.WriteU8(f.defaultTarget);
        ar.WriteU8(0);
        ar.WriteI16(f.caseConversion);
        ar.WritePackedFlags(f.compressSpaces, f.corporateAuthor);
        ar.WriteU8(0);
        ar.WriteU8(f.spaceChar);
        ar.WriteU8(f.crOptions);
        ar.WriteU16(f.type);
        for (const std::string* text :
             {&f.tag, &f.description, &f.beginsWith, &f.endsWith, &f.subfieldPrecededBy,
              &f.subfieldFollowedBy, &f.separator, &f.crReplacementChar, &f.crRepresentationChar}) {
            ar.WriteText(*text);
        }
        ar.WriteU32(parentId);
        ar.WriteU32(targetsId);
        for (uint16_t w = 0; w < kOldWorkforms; ++w) ar.WriteU8(f.AlternateTarget(w));
        return ar.bytes();
    }

    store::Store& store_;
    const Version2Options& options_;
};

}  // namespace

void WriteVersion2File(config::CCfgFile& source, const std::string& path, store::FileSystem& fs,
                       const Version2Options& options) {
    store::Store target(store::DefaultKeyOrder(), fs);
    target.Create(path, [&](store::Store& s) { Writer(s, options).Write(source); });
    // Every commit writes the current version; the records are version 2.
    auto file = fs.Open(path, store::OpenFlags{.write = true});
    const uint8_t version[2] = {kOldVersion, 0};
    file->WriteAt(0, version);
    file->Sync();
}

}  // namespace recaster::convert
