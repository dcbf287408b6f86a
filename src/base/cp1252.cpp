// Windows-1252 <-> Unicode tables, UTF-8 coding and letter casing.
#include "base/cp1252.h"

namespace recaster {
namespace {

// Code points of bytes 0x80-0x9F. The undefined bytes keep their own value.
constexpr char32_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every code point of the code page lies in the basic plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns its length, or 0 when the
// bytes there are not well-formed (overlong, surrogate, truncated, > U+10FFFF).
size_t DecodeUtf8(std::string_view s, size_t pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[pos + i]); };
    const uint8_t b0 = byte(0);
    size_t len;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - pos < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

bool IsLowerLatin1Letter(uint8_t b) {
    return b >= 0xE0 && b <= 0xFE && b != 0xF7;
}
bool IsUpperLatin1Letter(uint8_t b) {
    return b >= 0xC0 && b <= 0xDE && b != 0xD7;
}

}  // namespace

char32_t Cp1252ToCodePoint(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighTable[byte - 0x80];
    return byte;
}

std::optional<uint8_t> CodePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == cp) return static_cast<uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) AppendUtf8(out, Cp1252ToCodePoint(static_cast<uint8_t>(c)));
    return out;
}

bool ToCp1252(std::string_view utf8, std::string& out, Cp1252Refusal* refusal) {
    std::string result;
    result.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, pos, cp);
        std::optional<uint8_t> byte;
        if (len != 0) byte = CodePointToCp1252(cp);
        if (!byte) {
            if (refusal) *refusal = {pos, len == 0 ? U'\uFFFD' : cp, len == 0};
            return false;
        }
        result.push_back(static_cast<char>(*byte));
        pos += len;
    }
    out = std::move(result);
    return true;
}

std::string ToCp1252Lossy(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(utf8, pos, cp);
        std::optional<uint8_t> byte;
        if (len != 0) byte = CodePointToCp1252(cp);
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        pos += len == 0 ? 1 : len;
    }
    return out;
}

char UpperCp1252(char c) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (IsLowerLatin1Letter(b)) return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š -> Š
        case 0x9C:
            return static_cast<char>(0x8C);  // œ -> Œ
        case 0x9E:
            return static_cast<char>(0x8E);  // ž -> Ž
        case 0xFF:
            return static_cast<char>(0x9F);  // ÿ -> Ÿ
        default:
            return c;
    }
}

char LowerCp1252(char c) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
    if (IsUpperLatin1Letter(b)) return static_cast<char>(b + 0x20);
    switch (b) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

std::string ToUpperCp1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperCp1252(c);
    return out;
}

std::string ToLowerCp1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerCp1252(c);
    return out;
}

int CompareNoCaseCp1252(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<uint8_t>(LowerCp1252(a[i]));
        const auto y = static_cast<uint8_t>(LowerCp1252(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace recaster
