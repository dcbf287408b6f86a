// The root's two plain lists.
//
// Identification pairs ('STP#'), also the clipboard form:
//   count, then per pair an object of class CCfgStringPair: the first pair
//   introduces the class (FFFF 0000 0E00 "CCfgStringPair"), later pairs refer
//   to it (01 80); a pair's body is text prefix, text suffix.
//
// Ignored line formats ('STR#'):
//   count, then the texts.
#include "config/string_lists.h"

#include "config/class_registration.h"

namespace recaster::config {

const RuntimeClass CCfgStringPair::kClass{"CCfgStringPair", 0,
                                          &CreateArchiveObject<CCfgStringPair>};
const RuntimeClass CCfgStringPairList::kClass{"CCfgStringPairList", 0,
                                              &CreateArchiveObject<CCfgStringPairList>};
const RuntimeClass CCfgStringList::kClass{"CCfgStringList", 0,
                                          &CreateArchiveObject<CCfgStringList>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgStringPair::kClass) &&
                                          RegisterRuntimeClass(CCfgStringPairList::kClass) &&
                                          RegisterRuntimeClass(CCfgStringList::kClass);
// Smallest pair: a class reference and two empty texts.
constexpr size_t kMinPairBytes = 2 + 1 + 1;
}  // namespace

void CCfgStringPair::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteText(prefix);
        ar.WriteText(suffix);
    } else {
        prefix = ar.ReadText();
        suffix = ar.ReadText();
    }
}

CCfgStringPairList& CCfgStringPairList::operator=(const CCfgStringPairList& other) {
    const std::vector<CCfgStringPair> copies = other.pairs;  // safe when other is this
    pairs.insert(pairs.end(), copies.begin(), copies.end());
    Save();
    return *this;
}

void CCfgStringPairList::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(pairs.size()));
        for (auto& pair : pairs) ar.WriteObject(&pair);
        return;
    }
    pairs.clear();
    const uint32_t count = ar.ReadCount(kMinPairBytes);
    pairs.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<ArchiveObject> object = ar.ReadObject(&CCfgStringPair::kClass);
        // A null entry carries nothing to keep.
        if (object) pairs.push_back(*static_cast<CCfgStringPair*>(object.get()));
    }
}

CCfgStringList& CCfgStringList::operator=(const CCfgStringList& other) {
    const std::vector<std::string> copies = other.strings;
    strings.insert(strings.end(), copies.begin(), copies.end());
    Save();
    return *this;
}

void CCfgStringList::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint32_t>(strings.size()));
        for (const auto& text : strings) ar.WriteText(text);
        return;
    }
    strings.clear();
    const uint32_t count = ar.ReadCount(1);
    strings.reserve(count);
    for (uint32_t i = 0; i < count; ++i) strings.push_back(ar.ReadText());
}

}  // namespace recaster::config
