// Reading order: all records are read once into memory (configurations are
// small), each is decoded on its own as the editor would decode it, then the
// references between them are followed. Nothing is loaded through the lists,
// so one bad record never hides the others.
#include "cli/config_graph.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "base/archive.h"
#include "base/coding.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "config/auto_parse_info.h"
#include "config/auto_parse_targets.h"
#include "config/cfg_file.h"
#include "config/lists.h"
#include "config/store_link.h"

namespace recaster::cli {
namespace {

using namespace config;
using RecordKey = std::pair<uint32_t, uint32_t>;  // tag, id

const uint32_t kGenl = FourCC("CGNL");
const uint32_t kDfs = FourCC("CDFS");
const uint32_t kDbList = FourCC("CDB#");
const uint32_t kPairs = FourCC("STP#");
const uint32_t kStrings = FourCC("STR#");
const uint32_t kDatabase = FourCC("CDBS");
const uint32_t kFieldList = FourCC("CFD#");
const uint32_t kField = FourCC("CFlD");
const uint32_t kDocTypeList = FourCC("CDT#");
const uint32_t kDocType = FourCC("CDTP");
const uint32_t kParseInfo = FourCC("CAPI");
const uint32_t kParseTargets = FourCC("CAPD");

const RecordKey kRoots[] = {{kGenl, 0}, {kDfs, 0}, {kDbList, 0}, {kPairs, 0}, {kStrings, 0}};

std::string Name(uint32_t tag, uint32_t id) {
    return store::TagText(tag) + " " + std::to_string(id);
}
std::string Name(const RecordKey& k) {
    return Name(k.first, k.second);
}
std::string Record(const RecordKey& k) {
    return "record " + Name(k);
}
std::string Q(const std::string& cp1252) {
    return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

bool IsList(uint32_t tag) {
    return tag == kDbList || tag == kFieldList || tag == kDocTypeList;
}
uint32_t ElementTag(uint32_t listTag) {
    return listTag == kDbList ? kDatabase : listTag == kFieldList ? kField : kDocType;
}

std::unique_ptr<CPersistentObject> NewObject(uint32_t tag) {
    if (tag == kGenl) return std::make_unique<CCfgGenlInfo>();
    if (tag == kDfs) return std::make_unique<CCfgDFSInfo>();
    if (tag == kPairs) return std::make_unique<CCfgStringPairList>();
    if (tag == kStrings) return std::make_unique<CCfgStringList>();
    if (tag == kDatabase) return std::make_unique<CCfgDatabase>();
    if (tag == kField) return std::make_unique<CCfgField>();
    if (tag == kDocType) return std::make_unique<CCfgDocType>();
    if (tag == kParseInfo) return std::make_unique<CCfgAutoParseInfo>();
    if (tag == kParseTargets) return std::make_unique<CCfgAutoParseTargets>();
    return nullptr;
}

class GraphCheck {
  public:
    explicit GraphCheck(store::Store& store) : store_(store), link_(store) {}

    std::vector<std::string> Run() {
        store_.Scan([&](const store::Key& key, std::span<const uint8_t> value) {
            values_[{key.tag, key.id}].assign(value.begin(), value.end());
            return true;
        });
        for (const auto& [key, value] : values_) Decode(key, value);
        FollowReferences();
        for (const auto& [key, ids] : lists_) CheckOrder(key, ids);
        ReportUnreferenced();
        return std::move(problems_);
    }

  private:
    void Problem(const RecordKey& k, const std::string& text) {
        problems_.push_back(Record(k) + ": " + text);
    }

    // Decodes a record into a fresh object; null (and a problem) when it fails.
    std::unique_ptr<CPersistentObject> DecodeObject(const RecordKey& k, bool report) {
        std::unique_ptr<CPersistentObject> object = NewObject(k.first);
        if (!object) return nullptr;
        const std::vector<uint8_t>& value = values_.at(k);
        try {
            object->SetLoaded(&link_, k.second);
            Archive ar = Archive::ForLoad(value, store_.path(), Record(k));
            object->PersistWrite(ar);
            if (report && ar.Remaining() > 0)
                Problem(k, std::to_string(ar.Remaining()) + " bytes left over after its contents");
        } catch (const ArchiveError& e) {
            if (report) Problem(k, "cannot be decoded: " + e.message());
            return nullptr;
        } catch (const FileError& e) {
            if (report) Problem(k, "cannot be decoded: " + e.message());
            return nullptr;
        }
        return object;
    }

    // A list record: u16 count, then the element ids.
    bool DecodeList(const RecordKey& k, const std::vector<uint8_t>& value) {
        if (value.size() < 2 || value.size() < 2 + size_t{DecodeU16(value.data())} * 4) {
            Problem(k, "cannot be decoded: the element ids end early");
            return false;
        }
        const size_t count = DecodeU16(value.data());
        std::vector<uint32_t>& ids = lists_[k];
        for (size_t i = 0; i < count; ++i) ids.push_back(DecodeU32(value.data() + 2 + 4 * i));
        if (value.size() > 2 + count * 4)
            Problem(k, std::to_string(value.size() - 2 - count * 4) +
                           " bytes left over after its contents");
        return true;
    }

    // The old record ids a field may still carry: auto-parse targets (both
    // versions) and parse information (current version, before formats).
    void ReadOldIds(const RecordKey& k, const std::vector<uint8_t>& value) {
        try {
            Archive ar = Archive::ForLoad(value, store_.path(), Record(k));
            ar.Require(10, "field block");
            for (int i = 0; i < 10; ++i) ar.ReadU8();
            for (int i = 0; i < 9; ++i) ar.ReadText();
            ar.ReadU32();
            Refer(k, kParseTargets, ar.ReadU32(), false);
            if (link_.Version() == 2) return;
            const uint32_t count = ar.ReadCount(3);
            ar.Require(size_t{count} * 3, "alternate targets");
            for (size_t i = 0; i < size_t{count} * 3; ++i) ar.ReadU8();
            if (ar.Remaining() >= 8) {
                ar.ReadU32();
                Refer(k, kParseInfo, ar.ReadU32(), false);
            }
        } catch (const ArchiveError&) {
            // Already reported by the full decode.
        }
    }

    void Decode(const RecordKey& k, const std::vector<uint8_t>& value) {
        if (IsList(k.first)) {
            DecodeList(k, value);
            return;
        }
        std::unique_ptr<CPersistentObject> object = DecodeObject(k, true);
        if (!object) {
            if (!NewObject(k.first)) Problem(k, "not a configuration record");
            return;
        }
        if (k.first == kDatabase) {
            const auto& db = static_cast<const CCfgDatabase&>(*object);
            children_[k] = {{kFieldList, db.fieldListId, "field list"},
                            {kDocTypeList, db.docTypeListId, "document type list"},
                            {kParseInfo, db.parseInfoId, "parse information"}};
        } else if (k.first == kField) {
            ReadOldIds(k, value);
        }
    }

    // Notes that `from` names (tag, id); `mustExist` reports a missing record.
    void Refer(const RecordKey& from, uint32_t tag, uint32_t id, bool mustExist,
               const std::string& role = {}) {
        if (id == kNoId) return;
        const RecordKey to{tag, id};
        if (!values_.count(to)) {
            if (mustExist) {
                Problem(from, role.empty() ? "names " + Name(to) + ", which does not exist"
                                           : "its " + role + " " + Name(to) + " does not exist");
            }
            return;
        }
        referenced_.insert(to);
        // Old-id references may be shared; owning ones may not: two owners
        // would edit and delete one record.
        if (!mustExist) return;
        const auto [it, inserted] = owner_.emplace(to, from);
        if (!inserted) Problem(to, "named by both " + Name(it->second) + " and " + Name(from));
    }

    void FollowReferences() {
        for (const RecordKey& root : kRoots) {
            referenced_.insert(root);
            owner_.emplace(root, root);
        }
        for (const auto& [key, ids] : lists_) {
            if (key == RecordKey{kDbList, 0} && ids.empty())
                Problem(key, "holds no database; the default database is missing");
            std::set<uint32_t> seen;
            for (uint32_t id : ids) {
                if (!seen.insert(id).second) {
                    Problem(key, "names " + Name(ElementTag(key.first), id) + " twice");
                    continue;
                }
                Refer(key, ElementTag(key.first), id, true);
            }
        }
        for (const auto& [key, children] : children_)
            for (const Child& c : children) Refer(key, c.tag, c.id, true, c.role);
    }

    void ReportUnreferenced() {
        for (const auto& [key, value] : values_) {
            if (referenced_.count(key) || !(IsList(key.first) || NewObject(key.first))) continue;
            Problem(key, "nothing refers to it");
        }
    }

    // Builds the list object with its decodable elements and compares each
    // element with the next by the list's own comparison.
    void CheckOrder(const RecordKey& key, const std::vector<uint32_t>& ids) {
        std::unique_ptr<CCfgAbstractList> list;
        if (key.first == kDbList) list = std::make_unique<CCfgDBList>();
        if (key.first == kFieldList) list = std::make_unique<CCfgFieldList>();
        if (key.first == kDocTypeList) list = std::make_unique<CCfgDocTypeList>();
        std::vector<uint32_t> kept;
        std::set<uint32_t> seen;
        for (uint32_t id : ids) {
            const RecordKey element{list->ElementTag(), id};
            if (!values_.count(element) || !seen.insert(id).second) continue;
            std::unique_ptr<CPersistentObject> object = DecodeObject(element, false);
            if (!object) continue;
            if (auto* f = dynamic_cast<CCfgField*>(object.get()))
                f->owner = static_cast<CCfgFieldList*>(list.get());
            list->Append(std::move(object));
            kept.push_back(id);
        }
        if (auto* fields = dynamic_cast<CCfgFieldList*>(list.get())) CheckParents(key, *fields);
        for (int p = 1; p < list->GetCount(); ++p) {
            const int c = list->Compare(p, list->GetAt(p + 1));
            if (c < 0) continue;
            const std::string where = "positions " + std::to_string(p) + " and " +
                                      std::to_string(p + 1) + " (" +
                                      Name(list->ElementTag(), kept[p - 1]) + ", " +
                                      Name(list->ElementTag(), kept[p]) + ")";
            const std::string keys = KeyOf(*list, p) + ", " + KeyOf(*list, p + 1);
            Problem(key, where + (c > 0 ? " are out of order: " : " have the same key: ") + keys);
        }
    }

    static std::string KeyOf(const CCfgAbstractList& list, int p) {
        const CPersistentObject* e = list.GetAt(p);
        if (auto* db = dynamic_cast<const CCfgDatabase*>(e)) return Q(db->name);
        if (auto* dt = dynamic_cast<const CCfgDocType*>(e)) return Q(dt->name);
        const auto& fields = static_cast<const CCfgFieldList&>(list);
        const auto* f = static_cast<const CCfgField*>(e);
        if (f->parentId != kNoId) {
            const int i = fields.IndexOfId(f->parentId);
            if (i >= 0) return Q(fields.Field(i + 1)->tag + "/" + f->tag);
        }
        return Q(f->tag);
    }

    // A subfield belongs to the nearest top-level field before it.
    void CheckParents(const RecordKey& key, const CCfgFieldList& fields) {
        const CCfgField* top = nullptr;
        for (int p = 1; p <= fields.GetCount(); ++p) {
            const CCfgField* f = fields.Field(p);
            if (f->parentId == kNoId) {
                top = f;
                continue;
            }
            const RecordKey self{kField, f->GetId()};
            if (fields.IndexOfId(f->parentId) < 0) {
                Problem(self,
                        "its parent " + Name(kField, f->parentId) + " is not in " + Name(key));
            } else if (top == nullptr || top->GetId() != f->parentId) {
                Problem(self, "its parent " + Name(kField, f->parentId) +
                                  " is not the top-level field before it in " + Name(key));
            }
        }
    }

    struct Child {
        uint32_t tag;
        uint32_t id;
        const char* role;
    };

    store::Store& store_;
    CStoreLink link_;
    std::map<RecordKey, std::vector<uint8_t>> values_;
    std::map<RecordKey, std::vector<uint32_t>> lists_;
    std::map<RecordKey, std::vector<Child>> children_;
    std::set<RecordKey> referenced_;
    std::map<RecordKey, RecordKey> owner_;
    std::vector<std::string> problems_;
};

}  // namespace

bool IsConfiguration(store::Store& store) {
    std::vector<uint8_t> value;
    for (const RecordKey& k : kRoots)
        if (!store.Read(store::Key{k.first, k.second}, value)) return false;
    return true;
}

std::vector<std::string> CheckConfigGraph(store::Store& store) {
    try {
        return GraphCheck(store).Run();
    } catch (const ArchiveError& e) {
        return {"file: the records cannot be read: " + e.message()};
    } catch (const FileError& e) {
        return {"file: the records cannot be read: " + e.message()};
    }
}

}  // namespace recaster::cli
