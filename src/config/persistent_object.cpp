// The persistent-object base: attaching to a store, deleting and rewriting the
// object's record through the store link.
#include "config/persistent_object.h"

#include "config/store_link.h"

namespace recaster::config {
namespace {

std::unique_ptr<ArchiveObject> CreateBase() {
    return std::make_unique<CPersistentObject>();
}

const RuntimeClass kBaseClass{"CPersistentObject", 0, &CreateBase};
[[maybe_unused]] const bool kBaseRegistered = RegisterRuntimeClass(kBaseClass);

}  // namespace

const RuntimeClass& CPersistentObject::GetRuntimeClass() const {
    return kBaseClass;
}

void CPersistentObject::Attach(CStoreLink* link, uint32_t id) {
    if (id == kNoId) id = link->NewId(tag_);
    link_ = link;
    id_ = id;
    try {
        link->Insert(*this);
    } catch (...) {
        Unlink();
        throw;
    }
}

uint16_t CPersistentObject::StoreVersion() const {
    return link_ ? link_->Version() : 3;
}

void CPersistentObject::Detach() {
    if (!link_) return;
    link_->Delete(*this);
    Unlink();
}

void CPersistentObject::Save() {
    if (link_) link_->Update(*this);
}

}  // namespace recaster::config
