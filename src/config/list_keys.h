// Key comparisons shared by the ordered lists: byte-wise texts, the value of
// leading digits, and a three-way sign.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace recaster::config {

inline int Sign(long long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Unsigned byte comparison; a proper prefix sorts first. -1, 0 or 1.
inline int CompareBytes(const std::string& a, const std::string& b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    if (c != 0) return Sign(c);
    return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

// Value of the leading decimal digits ("12a" is 12, "a" is 0); saturates far
// above any value a type-ahead or a five-digit name can reach.
inline uint64_t LeadingValue(const std::string& text) {
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (v < 100000000000ULL) v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    return v;
}

// `key` cut to the length of `text` when longer.
inline std::string CutKey(const std::string& key, const std::string& text) {
    return key.size() > text.size() ? key.substr(0, text.size()) : key;
}

}  // namespace recaster::config
