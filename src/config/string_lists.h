// The two plain lists of the root: database identification pairs ('STP#')
// and ignored line formats ('STR#'). No ordering rule.
#pragma once

#include <string>
#include <vector>

#include "config/persistent_object.h"

namespace recaster::config {

// One identification pair: a record from a database is recognised by a
// line starting with the prefix and ending with the suffix.
class CCfgStringPair : public ArchiveObject {
  public:
    static const RuntimeClass kClass;
    CCfgStringPair() = default;
    CCfgStringPair(std::string p, std::string s) : prefix(std::move(p)), suffix(std::move(s)) {}
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override;  // text prefix, text suffix

    std::string prefix;
    std::string suffix;
    friend bool operator==(const CCfgStringPair& a, const CCfgStringPair& b) {
        return a.prefix == b.prefix && a.suffix == b.suffix;
    }
};

class CCfgStringPairList : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgStringPairList() : CPersistentObject(FourCC("STP#")) {}
    CCfgStringPairList(const CCfgStringPairList&) = default;
    // Appends copies of the source's pairs, then saves.
    CCfgStringPairList& operator=(const CCfgStringPairList& other);

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Count, then each pair as an object of class CCfgStringPair.
    void Serialize(Archive& ar) override;

    std::vector<CCfgStringPair> pairs;
};

class CCfgStringList : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgStringList() : CPersistentObject(FourCC("STR#")) {}
    CCfgStringList(const CCfgStringList&) = default;
    // Appends copies of the source's texts, then saves.
    CCfgStringList& operator=(const CCfgStringList& other);

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Count, then the texts.
    void Serialize(Archive& ar) override;

    std::vector<std::string> strings;
};

}  // namespace recaster::config
