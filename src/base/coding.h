// Little-endian fixed-width coding. Every integer in the files this program
// reads and writes is little-endian, whatever the host; these helpers are the
// only place that knows how to turn bytes into numbers and back.
//
// REQUIRES: the pointer has room for the width named by the function.
#pragma once

#include <cstdint>
#include <cstring>

namespace recaster {

inline void EncodeU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void EncodeU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void EncodeU64(uint8_t* p, uint64_t v) {
    EncodeU32(p, static_cast<uint32_t>(v));
    EncodeU32(p + 4, static_cast<uint32_t>(v >> 32));
}

inline uint16_t DecodeU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline int16_t DecodeI16(const uint8_t* p) {
    return static_cast<int16_t>(DecodeU16(p));
}

inline uint32_t DecodeU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t DecodeU64(const uint8_t* p) {
    return static_cast<uint64_t>(DecodeU32(p)) | (static_cast<uint64_t>(DecodeU32(p + 4)) << 32);
}

// A four-character code as a number, first character most significant:
// FourCC("CGNL") == 0x43474E4C.
constexpr uint32_t FourCC(const char (&s)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(s[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(s[3]));
}

}  // namespace recaster
