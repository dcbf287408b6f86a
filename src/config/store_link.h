// The adapter between configuration objects and the keyed page store: each
// record is one self-contained archive of the object's PersistWrite form.
#pragma once

#include <cstdint>

#include "store/store.h"

namespace recaster::config {

class CPersistentObject;

class CStoreLink {
  public:
    explicit CStoreLink(store::Store& store) : store_(store) {}

    uint32_t NewId(uint32_t tag) { return store_.NewId(tag); }
    // Reads record (tag, id) into `object` (its link and id are set first).
    // A missing record raises ArchiveError (bad index) naming the key; a
    // payload that ends early raises ArchiveError (end of file).
    void Load(CPersistentObject& object, uint32_t tag, uint32_t id);
    // True when the record exists.
    bool Exists(uint32_t tag, uint32_t id);
    void Insert(CPersistentObject& object);
    void Update(CPersistentObject& object);
    void Delete(CPersistentObject& object);
    void Commit() { store_.Commit(); }

    // Format version of the store being read: 2 or 3.
    uint16_t Version() const { return store_.pager().header().version; }
    store::Store& store() { return store_; }
    const std::string& path() const { return store_.path(); }

  private:
    store::Store& store_;
};

}  // namespace recaster::config
