// Helpers for the list and parse-format tests: an in-memory store with a link,
// a fake list window, and small builders of databases and fields.
#pragma once

#include <memory>
#include <string>

#include "config/lists.h"
#include "config/store_link.h"
#include "store/file_system.h"
#include "store/store.h"

namespace recaster::config::testing {

// A fresh store file in memory, open for writing. Version 2 is set in the
// open store's header only: commits always write version 3, and a version-2
// store is only ever read.
class MemStore {
  public:
    explicit MemStore(uint16_t version = 3) {
        store_.Create(kPath);
        store_.Open(kPath, store::OpenMode::ReadWrite);
        if (version != 3) store_.pager().MutableHeader().version = version;
    }
    // Drops uncommitted changes and opens the file again with a new link.
    void Reopen() {
        link_.reset();
        store_.Close();
        store_.Open(kPath, store::OpenMode::ReadWrite);
        link_ = std::make_unique<CStoreLink>(store_);
    }
    CStoreLink* link() { return link_.get(); }
    store::Store& store() { return store_; }
    bool Has(uint32_t tag, uint32_t id) { return link_->Exists(tag, id); }

  private:
    static constexpr const char* kPath = "/test.cfg";
    store::MemFileSystem fs_;
    store::Store store_{store::DefaultKeyOrder(), fs_};
    std::unique_ptr<CStoreLink> link_ = std::make_unique<CStoreLink>(store_);
};

class FakeView : public ListViewLink {
  public:
    void RepaintList() override { repaints++; }
    void ListDestroyed() override { destroyed++; }
    int repaints = 0;
    int destroyed = 0;
};

inline std::unique_ptr<CCfgDatabase> MakeDb(const std::string& name, uint16_t workform = 0) {
    auto db = std::make_unique<CCfgDatabase>();
    db->name = name;
    db->workform = workform;
    return db;
}

inline std::unique_ptr<CCfgField> MakeField(const std::string& tag,
                                            uint16_t type = kFieldNormalText,
                                            CCfgField* parent = nullptr) {
    auto f = std::make_unique<CCfgField>();
    f->tag = tag;
    f->type = type;
    f->parent = parent;
    return f;
}

// Adds a field to the list and returns it.
inline CCfgField* AddField(CCfgFieldList& list, const std::string& tag,
                           uint16_t type = kFieldNormalText, CCfgField* parent = nullptr) {
    auto f = MakeField(tag, type, parent);
    CCfgField* raw = f.get();
    list.Add(std::move(f));
    return raw;
}

inline CCfgDatabase* AddDb(CCfgDBList& list, const std::string& name, uint16_t workform = 0) {
    auto db = MakeDb(name, workform);
    CCfgDatabase* raw = db.get();
    list.Add(std::move(db));
    return raw;
}

// The tags of a field list in order, subfields written "parent.sub".
inline std::string Tags(const CCfgFieldList& list) {
    std::string out;
    for (int p = 1; p <= list.GetCount(); ++p) {
        const CCfgField* f = list.Field(p);
        if (!out.empty()) out += ' ';
        out += f->parent != nullptr ? f->parent->tag + "." + f->tag : f->tag;
    }
    return out;
}

inline std::string Names(const CCfgDBList& list) {
    std::string out;
    for (int p = 1; p <= list.GetCount(); ++p) {
        if (!out.empty()) out += ' ';
        out += list.Database(p)->name;
    }
    return out;
}

}  // namespace recaster::config::testing
