// The field list ('CFD#'): top-level fields by tag, each followed directly by
// its subfields by tag. Tags compare byte-wise, so case matters; lookups by
// typed tag ignore case.
#include "base/cp1252.h"
#include "config/list_keys.h"
#include "config/lists.h"

namespace recaster::config {

const RuntimeClass CCfgFieldList::kClass{
    "CCfgFieldList", 0, [] { return std::unique_ptr<ArchiveObject>(new CCfgFieldList); }};
namespace {
[[maybe_unused]] const bool kFieldListRegistered = RegisterRuntimeClass(CCfgFieldList::kClass);

bool TagMatches(const CCfgField& f, const std::string& text, size_t length) {
    return text.size() >= length && f.tag.size() == length &&
           EqualsNoCaseCp1252(f.tag, std::string_view(text).substr(0, length));
}

}  // namespace

CCfgFieldList::CCfgFieldList(const CCfgFieldList& other)
    : CCfgAbstractList(other.GetTag(), other.ElementTag()) {
    // Copies come out unlinked; relink by position: a top-level source field
    // becomes the current parent of the subfields that follow it.
    CCfgField* current = nullptr;
    for (int p = 1; p <= other.GetCount(); ++p) {
        const CCfgField* src = other.Field(p);
        auto copy = std::make_unique<CCfgField>(*src);
        copy->owner = this;
        if (!src->IsSubfield())
            current = copy.get();
        else
            copy->parent = current;
        Append(std::move(copy));
    }
}

std::unique_ptr<CPersistentObject> CCfgFieldList::NewElement() {
    auto field = std::make_unique<CCfgField>();
    field->owner = this;
    return field;
}

int CCfgFieldList::Add(std::unique_ptr<CPersistentObject> element) {
    if (auto* f = dynamic_cast<CCfgField*>(element.get())) f->owner = this;
    return CCfgAbstractList::Add(std::move(element));
}

void CCfgFieldList::Reposition(CPersistentObject* element) {
    const int index = IndexOf(element);
    if (index < 0) return;
    // Its subfields move first, last one first, so they end up right behind
    // the field's new place in tag order.
    std::vector<CPersistentObject*> subfields;
    for (int i = index + 1; i < GetCount(); ++i) {
        const CCfgField* f = Field(i + 1);
        if (ParentOf(f) != element) break;
        subfields.push_back(elements_[static_cast<size_t>(i)].get());
    }
    for (auto it = subfields.rbegin(); it != subfields.rend(); ++it)
        CCfgAbstractList::Reposition(*it);
    CCfgAbstractList::Reposition(element);
}

const CCfgField* CCfgFieldList::ParentOf(const CCfgField* f) const {
    if (f->parent != nullptr) return f->parent;
    if (f->parentId == kNoId) return nullptr;
    const int i = IndexOfId(f->parentId);
    if (i < 0) return nullptr;
    const CCfgField* p = Field(i + 1);
    return p == f ? nullptr : p;
}

int CCfgFieldList::Compare(int position, const CPersistentObject* element) const {
    const auto* e = static_cast<const CCfgField*>(GetAt(position));
    const auto* f = static_cast<const CCfgField*>(element);
    if (e == nullptr || f == nullptr) return 0;
    if (e == f) return -1;
    const CCfgField* eParent = ParentOf(e);
    const CCfgField* q = ParentOf(f);
    if (q == nullptr) {
        if (eParent == nullptr) return CompareBytes(e->tag, f->tag);
        if (eParent == f) return 1;
        return CompareBytes(eParent->tag, f->tag);
    }
    if (eParent == nullptr) return e == q ? -1 : CompareBytes(e->tag, q->tag);
    if (eParent == q) return CompareBytes(e->tag, f->tag);
    return CompareBytes(eParent->tag, q->tag);
}

bool CCfgFieldList::FindByTypedPrefix(const std::string& text, int& position) const {
    return FindTyped(0, position, [&](int index) {
        return CompareBytes(text, CutKey(Field(index + 1)->tag, text));
    });
}

CCfgField* CCfgFieldList::FindTopLevel(const std::string& text, size_t length) const {
    for (int p = GetCount(); p >= 1; --p) {
        CCfgField* f = Field(p);
        if (ParentOf(f) == nullptr && TagMatches(*f, text, length)) return f;
    }
    return nullptr;
}

CCfgField* CCfgFieldList::FindSubfield(const std::string& text, size_t length,
                                       const CCfgField* parent) const {
    const int index = IndexOf(parent);
    if (index < 0) return nullptr;
    for (int p = index + 2; p <= GetCount(); ++p) {
        CCfgField* f = Field(p);
        if (ParentOf(f) == nullptr) break;
        if (TagMatches(*f, text, length)) return f;
    }
    return nullptr;
}

void CCfgFieldList::AfterRead() {
    CCfgField* current = nullptr;
    for (int p = 1; p <= GetCount(); ++p) {
        CCfgField* f = Field(p);
        f->owner = this;
        if (f->parentId == kNoId) {
            f->parent = nullptr;
            current = f;
        } else if (current != nullptr) {
            f->parent = current;
            f->parentId = current->GetId();
        } else {
            // Nothing to belong to: keep the field, as a top-level one.
            f->parent = nullptr;
            f->parentId = kNoId;
            current = f;
        }
    }
}

}  // namespace recaster::config
