// CStoreLink: one record per object, its value the object's PersistWrite form
// as one self-contained archive (object tables never reach across records).
#include "config/store_link.h"

#include <vector>

#include "base/archive.h"
#include "base/errors.h"
#include "config/persistent_object.h"
#include "store/key.h"

namespace recaster::config {
namespace {

// "record CDBS 5": names the record in error messages.
std::string RecordName(uint32_t tag, uint32_t id) {
    return "record " + store::TagText(tag) + " " + std::to_string(id);
}

std::vector<uint8_t> Payload(CStoreLink& link, CPersistentObject& object) {
    Archive ar = Archive::ForStore(link.path());
    object.PersistWrite(ar);
    return ar.bytes();
}

}  // namespace

void CStoreLink::Load(CPersistentObject& object, uint32_t tag, uint32_t id) {
    std::vector<uint8_t> value;
    if (!store_.Read(store::Key{tag, id}, value)) {
        throw ArchiveError(ArchiveError::Cause::BadIndex, path(),
                           RecordName(tag, id) + " is missing; the file is damaged");
    }
    object.SetLoaded(this, id);
    Archive ar = Archive::ForLoad(value, path(), RecordName(tag, id));
    object.PersistWrite(ar);
}

bool CStoreLink::Exists(uint32_t tag, uint32_t id) {
    std::vector<uint8_t> value;
    return store_.Read(store::Key{tag, id}, value);
}

void CStoreLink::Insert(CPersistentObject& object) {
    const std::vector<uint8_t> value = Payload(*this, object);
    // A second object under a taken key would be silently lost.
    if (!store_.Insert(store::Key{object.GetTag(), object.GetId()}, value)) {
        throw ArchiveError(ArchiveError::Cause::Generic, path(),
                           RecordName(object.GetTag(), object.GetId()) + " already exists");
    }
}

void CStoreLink::Update(CPersistentObject& object) {
    store_.Update(store::Key{object.GetTag(), object.GetId()}, Payload(*this, object));
}

void CStoreLink::Delete(CPersistentObject& object) {
    store_.Delete(store::Key{object.GetTag(), object.GetId()});
}

}  // namespace recaster::config
