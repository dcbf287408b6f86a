// Windows-1252 texts: the model keeps every text in this code page; these
// helpers convert to and from UTF-8 at the edges and do its letter casing.
//
// Bytes 0x00-0x7F and 0xA0-0xFF are the code points of the same value. Bytes
// 0x80-0x9F map through a table; the five bytes the code page leaves
// undefined (81 8D 8F 90 9D) map to the C1 controls of the same value, so
// every byte string survives a round trip through UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace recaster {

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(uint8_t byte);

// The Windows-1252 byte of a code point; nothing when the code page has none.
std::optional<uint8_t> CodePointToCp1252(char32_t cp);

// UTF-8 form of a Windows-1252 text. Never fails.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Why ToCp1252 refused its input: the byte offset in the UTF-8 text and the
// code point there (U+FFFD with `malformed` set for bytes that are not UTF-8).
struct Cp1252Refusal {
    size_t offset = 0;
    char32_t codePoint = 0;
    bool malformed = false;
};

// Converts UTF-8 to Windows-1252. Returns false at the first character the
// code page cannot hold (or malformed UTF-8), describes it in *refusal when
// given, and leaves `out` unchanged; on success `out` holds the result.
bool ToCp1252(std::string_view utf8, std::string& out, Cp1252Refusal* refusal = nullptr);

// Converts UTF-8 to Windows-1252 whatever it holds: a character the code page
// cannot hold, and a byte that is not UTF-8, becomes "?". For texts that are
// shown or printed (file names, messages), never for texts that are stored.
std::string ToCp1252Lossy(std::string_view utf8);

// Letter casing of Windows-1252: ASCII letters, the accented Latin-1 letters,
// š/Š, œ/Œ, ž/Ž and ÿ/Ÿ. Letters without a partner in the code page (ß, µ, ƒ)
// and every other byte stay as they are.
char UpperCp1252(char c);
char LowerCp1252(char c);
std::string ToUpperCp1252(std::string_view text);
std::string ToLowerCp1252(std::string_view text);

// Compares byte by byte after folding both sides to lower case, so '_'
// (0x5F) sorts before every letter. Returns <0, 0 or >0; a proper prefix
// sorts first.
int CompareNoCaseCp1252(std::string_view a, std::string_view b);
inline bool EqualsNoCaseCp1252(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCaseCp1252(a, b) == 0;
}

}  // namespace recaster
