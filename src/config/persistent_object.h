// Base of every configuration object: one record of the store, keyed by the
// object's type tag and id. Save() rewrites the record at once; the document's
// Save only commits the store.
#pragma once

#include <cstdint>

#include "base/archive.h"
#include "base/coding.h"
#include "base/runtime_class.h"

namespace recaster::config {

class CStoreLink;

inline constexpr uint32_t kNoId = 0xFFFFFFFF;

class CPersistentObject : public ArchiveObject {
  public:
    explicit CPersistentObject(uint32_t tag = FourCC("POBJ")) : tag_(tag) {}
    // Copies carry the type tag only: a copy is unattached (no link, id -1).
    CPersistentObject(const CPersistentObject& other) : ArchiveObject(), tag_(other.tag_) {}
    CPersistentObject& operator=(const CPersistentObject& other) {
        tag_ = other.tag_;
        return *this;
    }
    ~CPersistentObject() override = default;

    const RuntimeClass& GetRuntimeClass() const override;
    void Serialize(Archive&) override {}

    // The record payload. The base writes the clipboard form (Serialize);
    // classes whose record differs override it.
    virtual void PersistWrite(Archive& ar) { Serialize(ar); }
    // Sets the link, takes a new id from the store when `id` is kNoId, and
    // inserts the record.
    virtual void Attach(CStoreLink* link, uint32_t id = kNoId);
    // Deletes the record.
    virtual void Detach();
    // Rewrites the record; nothing happens on an unattached object.
    virtual void Save();

    uint32_t GetTag() const { return tag_; }
    uint32_t GetId() const { return id_; }
    CStoreLink* GetLink() const { return link_; }
    bool IsAttached() const { return link_ != nullptr; }
    // Format version of the store the object belongs to (3 when unattached).
    uint16_t StoreVersion() const;
    // True while `ar` reads a record of a version-2 store.
    bool ReadingVersion2(const Archive& ar) const { return ar.IsLoading() && StoreVersion() == 2; }

    // Called by CStoreLink::Load before PersistWrite reads the payload.
    void SetLoaded(CStoreLink* link, uint32_t id) {
        link_ = link;
        id_ = id;
    }
    // Forgets the link and id without touching the store (copies, releases).
    void Unlink() {
        link_ = nullptr;
        id_ = kNoId;
    }

  private:
    CStoreLink* link_ = nullptr;
    uint32_t tag_;
    uint32_t id_ = kNoId;
};

}  // namespace recaster::config
