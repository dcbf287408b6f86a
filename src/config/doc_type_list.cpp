// The document type list ('CDT#'): document types ordered by name, byte-wise.
#include "config/list_keys.h"
#include "config/lists.h"

namespace recaster::config {

const RuntimeClass CCfgDocTypeList::kClass{
    "CCfgDocTypeList", 0, [] { return std::unique_ptr<ArchiveObject>(new CCfgDocTypeList); }};
namespace {
[[maybe_unused]] const bool kDocTypeListRegistered = RegisterRuntimeClass(CCfgDocTypeList::kClass);
}

CCfgDocTypeList::CCfgDocTypeList(const CCfgDocTypeList& other)
    : CCfgAbstractList(other.GetTag(), other.ElementTag()) {
    for (int p = 1; p <= other.GetCount(); ++p) {
        const CCfgDocType* src = other.DocType(p);
        auto copy = std::make_unique<CCfgDocType>();
        copy->name = src->name;
        copy->workform = src->workform;
        Append(std::move(copy));
    }
}

std::unique_ptr<CPersistentObject> CCfgDocTypeList::NewElement() {
    return std::make_unique<CCfgDocType>();
}

int CCfgDocTypeList::Compare(int position, const CPersistentObject* element) const {
    const auto* e = static_cast<const CCfgDocType*>(GetAt(position));
    const auto* d = static_cast<const CCfgDocType*>(element);
    if (e == nullptr || d == nullptr) return 0;
    if (e == d) return -1;
    return CompareBytes(e->name, d->name);
}

bool CCfgDocTypeList::FindByTypedPrefix(const std::string& text, int& position) const {
    return FindTyped(0, position, [&](int index) {
        return CompareBytes(text, CutKey(DocType(index + 1)->name, text));
    });
}

}  // namespace recaster::config
