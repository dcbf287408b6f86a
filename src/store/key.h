// Record keys of the keyed page store and the order the owner puts them in.
//
// A key is 8 bytes on disk: u32 type tag, then u32 identifier, both
// little-endian. The store never interprets keys itself; every comparison goes
// through the KeyOrder its owner hands it (the configuration root uses the
// default: unsigned tag first, then unsigned identifier).
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>

#include "base/coding.h"

namespace recaster::store {

struct Key {
    uint32_t tag = 0;
    uint32_t id = 0;

    friend bool operator==(const Key&, const Key&) = default;
};

inline void EncodeKey(uint8_t* p, const Key& k) {
    EncodeU32(p, k.tag);
    EncodeU32(p + 4, k.id);
}

inline Key DecodeKey(const uint8_t* p) {
    return Key{DecodeU32(p), DecodeU32(p + 4)};
}

// "TAG" as its four characters (non-printing bytes as '?'), for messages and dumps.
std::string TagText(uint32_t tag);
// "TAG/id", e.g. "CDBS/3".
std::string KeyText(const Key& key);

// Tag first, then identifier, both unsigned.
inline int CompareNatural(const Key& a, const Key& b) {
    if (a.tag != b.tag) return a.tag < b.tag ? -1 : 1;
    if (a.id != b.id) return a.id < b.id ? -1 : 1;
    return 0;
}

class KeyOrder {
  public:
    virtual ~KeyOrder() = default;
    // < 0, 0, > 0 as a is before, equal to, after b.
    virtual int Compare(const Key& a, const Key& b) const { return CompareNatural(a, b); }
    // True when this is the base order itself (not a subclass), so that hot
    // loops may compare inline instead of through the virtual call.
    bool IsNatural() const { return typeid(*this) == typeid(KeyOrder); }
};

// The order of configuration files: tag, then identifier, both unsigned.
const KeyOrder& DefaultKeyOrder();

}  // namespace recaster::store
