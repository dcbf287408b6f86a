// The behaviour shared by the ordered object lists: ownership of the elements,
// the two persistent forms, and insertion, re-sorting and lookup by position,
// id and typed prefix.
//
// Record form ('CDB#', 'CFD#', 'CDT#'):
//
//   offset  size   field
//   0       2      u16 element count (plain u16, never the extended count)
//   2       4 * n  u32 object id of each element, in list order
//
// The elements' own tag is implied by the list ('CDBS', 'CFlD', 'CDTP').
//
// Clipboard form: count (archive count encoding), then each element as an
// archive object of the element class.
#include <algorithm>
#include <string>
#include <unordered_set>

#include "base/errors.h"
#include "config/lists.h"
#include "config/store_link.h"
#include "store/key.h"

namespace recaster::config {
namespace {

std::string ListContext(const CCfgAbstractList& list) {
    return "list " + store::TagText(list.GetTag()) + " " + std::to_string(list.GetId());
}

}  // namespace

CCfgAbstractList::~CCfgAbstractList() {
    if (view_ != nullptr) view_->ListDestroyed();
}

void CCfgAbstractList::PersistWrite(Archive& ar) {
    if (ar.IsStoring()) {
        if (elements_.size() > 0xFFFF)
            throw ArchiveError(ArchiveError::Cause::Generic, ar.path(),
                               ListContext(*this) + " holds more than 65535 elements");
        ar.WriteU16(static_cast<uint16_t>(elements_.size()));
        for (const auto& e : elements_) ar.WriteU32(e->GetId());
        return;
    }
    const uint16_t count = ar.ReadU16();
    ar.Require(size_t{count} * 4, "element ids");
    std::vector<uint32_t> ids(count);
    std::unordered_set<uint32_t> seen;
    for (auto& id : ids) {
        id = ar.ReadU32();
        // Two elements on one record would overwrite each other's edits.
        if (!seen.insert(id).second)
            throw ArchiveError(ArchiveError::Cause::BadIndex, ar.path(),
                               ListContext(*this) + " names element " + std::to_string(id) +
                                   " twice; the file is damaged");
    }
    elements_.clear();
    elements_.reserve(count);
    for (uint32_t id : ids) elements_.push_back(LoadChild(id));
    AfterRead();
}

void CCfgAbstractList::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(elements_.size()));
        for (const auto& e : elements_) ar.WriteObject(e.get());
        return;
    }
    const RuntimeClass& elementClass = NewElement()->GetRuntimeClass();
    const uint32_t count = ar.ReadCount(2);  // every object takes at least two bytes
    std::vector<std::unique_ptr<CPersistentObject>> read;
    read.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<ArchiveObject> obj = ar.ReadObject(&elementClass);
        auto* element = dynamic_cast<CPersistentObject*>(obj.get());
        if (element == nullptr)
            throw ArchiveError(
                ArchiveError::Cause::BadClass, ar.path(),
                "a list element in the data is missing; expected " + elementClass.name);
        obj.release();
        read.emplace_back(element);
    }
    elements_ = std::move(read);
    AfterRead();
}

void CCfgAbstractList::Attach(CStoreLink* link, uint32_t id) {
    // Elements first, so the list record names their new ids.
    for (auto& e : elements_) e->Attach(link, kNoId);
    CPersistentObject::Attach(link, id);
}

void CCfgAbstractList::Detach() {
    for (auto& e : elements_)
        if (e->IsAttached()) e->Detach();
    CPersistentObject::Detach();
}

void CCfgAbstractList::Append(std::unique_ptr<CPersistentObject> element) {
    if (element) elements_.push_back(std::move(element));
}

std::unique_ptr<CPersistentObject> CCfgAbstractList::Remove(CPersistentObject* element) {
    const int index = IndexOf(element);
    if (index < 0) return nullptr;
    std::unique_ptr<CPersistentObject> taken = RemoveAt(index);
    if (taken->IsAttached()) taken->Detach();
    Save();
    return taken;
}

int CCfgAbstractList::Add(std::unique_ptr<CPersistentObject> element) {
    if (!element) return 0;
    // A list that is not in a store yet (a clipboard list) keeps its elements
    // unattached; attaching the list later attaches them.
    if (GetLink() != nullptr) element->Attach(GetLink(), kNoId);
    const int position = FindInsertPosition(element.get());
    InsertAt(position - 1, std::move(element));
    Save();
    return position;
}

void CCfgAbstractList::Reposition(CPersistentObject* element) {
    const int index = IndexOf(element);
    if (index < 0) return;
    std::unique_ptr<CPersistentObject> taken = RemoveAt(index);
    const int position = FindInsertPosition(element);
    InsertAt(position - 1, std::move(taken));
    Save();
    if (view_ != nullptr) view_->RepaintList();
}

int CCfgAbstractList::IndexOfId(uint32_t id) const {
    for (size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i]->GetId() == id) return static_cast<int>(i);
    return -1;
}

bool CCfgAbstractList::IsDuplicate(const CPersistentObject* element) const {
    // The list is sorted: the scan stops at the first greater element.
    for (int p = 1; p <= GetCount(); ++p) {
        const int c = Compare(p, element);
        if (c == 0) return true;
        if (c > 0) return false;
    }
    return false;
}

CPersistentObject* CCfgAbstractList::GetAt(int position) const {
    if (position < 1 || position > GetCount()) return nullptr;
    return elements_[static_cast<size_t>(position - 1)].get();
}

int CCfgAbstractList::IndexOf(const CPersistentObject* element) const {
    for (size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i].get() == element) return static_cast<int>(i);
    return -1;
}

std::unique_ptr<CPersistentObject> CCfgAbstractList::RemoveAt(int index) {
    if (index < 0 || index >= GetCount()) return nullptr;
    auto it = elements_.begin() + index;
    std::unique_ptr<CPersistentObject> taken = std::move(*it);
    elements_.erase(it);
    return taken;
}

void CCfgAbstractList::InsertAt(int index, std::unique_ptr<CPersistentObject> element) {
    if (!element) return;
    index = std::clamp(index, 0, GetCount());
    elements_.insert(elements_.begin() + index, std::move(element));
}

int CCfgAbstractList::FindInsertPosition(const CPersistentObject* element) const {
    for (int p = 1; p <= GetCount(); ++p)
        if (Compare(p, element) > 0) return p;
    return GetCount() + 1;
}

std::unique_ptr<CPersistentObject> CCfgAbstractList::LoadChild(uint32_t id) {
    std::unique_ptr<CPersistentObject> element = NewElement();
    if (GetLink() == nullptr)
        throw ArchiveError(ArchiveError::Cause::Generic, {},
                           ListContext(*this) + " is not in a store; cannot load its elements");
    GetLink()->Load(*element, elementTag_, id);
    return element;
}

bool CCfgAbstractList::FindTyped(int first, int& position,
                                 const std::function<int(int)>& compareAt) const {
    const int count = GetCount();
    if (count <= first) return false;
    const int start = std::clamp(position, first, count - 1);
    int found = -1;
    // From the current element to the end.
    for (int i = start; i < count && found < 0; ++i) {
        const int c = compareAt(i);
        if (c == 0) {
            found = i;
        } else if (c < 0) {
            if (i == start) break;
            found = i;
        } else if (i == count - 1) {
            found = i;
        }
    }
    // Wrap around: the first element from the top that is not smaller.
    for (int i = first; i <= start && found < 0; ++i)
        if (compareAt(i) <= 0) found = i;
    if (found < 0) return false;
    position = found;
    return true;
}

}  // namespace recaster::config
