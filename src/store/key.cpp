#include "store/key.h"

#include <cstdio>

namespace recaster::store {

std::string TagText(uint32_t tag) {
    std::string s(4, '?');
    for (int i = 0; i < 4; ++i) {
        unsigned c = (tag >> (24 - 8 * i)) & 0xFF;
        if (c >= 0x20 && c < 0x7F) s[i] = static_cast<char>(c);
    }
    return s;
}

std::string KeyText(const Key& key) {
    return TagText(key.tag) + "/" + std::to_string(key.id);
}

const KeyOrder& DefaultKeyOrder() {
    static const KeyOrder order;
    return order;
}

}  // namespace recaster::store
