// The longest texts and the value ranges that the editing dialogs let a user
// enter, in one place for the checks that read configurations written
// elsewhere (the import of the text form, the lint). Lengths count
// Windows-1252 characters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/pattern_checks.h"

namespace recaster::config {

// File structure (Field Identification).
inline constexpr size_t kMaxFieldTerminatorLength = 64;
inline constexpr size_t kMaxEmptyFieldFillerLength = 64;
inline constexpr size_t kMaxSubfieldIndicatorLength = 1;
inline constexpr uint8_t kMaxFixedTagLength = 32;
static_assert(kMaxTagFormatLength == 64);

// Database Information and Author Format; the first database's name is never
// checked.
inline constexpr size_t kMaxDatabaseNameLength = 63;
inline constexpr size_t kMaxDatabaseDescriptionLength = 64;
inline constexpr size_t kMaxAuthorSeparatorLength = 16;

// Field Information, and each text of a parse component row (the 36-byte
// field keeps room for its NUL).
inline constexpr size_t kMaxSeparatorTextLength = 31;
inline constexpr size_t kMaxParseTextLength = 35;

// Largest values of the enumerations (enums.h) and of the field's choices.
inline constexpr uint16_t kMaxLineContinuation = 2;
inline constexpr uint16_t kMaxCaseConversion = 5;
inline constexpr uint8_t kMaxRecordEndMode = 3;
inline constexpr uint8_t kMaxAuthorFormat = 7;
inline constexpr uint16_t kMaxFieldType = 7;
inline constexpr uint32_t kMaxSeparateMode = 2;
inline constexpr uint8_t kMaxCrReplacement = 2;     // high nibble of the CR options
inline constexpr uint8_t kMaxCrRepresentation = 1;  // low nibble
inline constexpr uint8_t kMaxParseKind = 7;         // kParseNone
inline constexpr uint8_t kLastTargetIndex = 44;     // field 45, 0-based
inline constexpr uint8_t kLastFieldNumber = 45;

// The most elements an object list record can name (its count is a u16).
inline constexpr size_t kMaxListElements = 0xFFFF;

}  // namespace recaster::config
