// Workform identifiers and target field numbers, the two numbers by which the
// rest of the program names a workform and a field in it.
#pragma once

#include <cstdint>

namespace recaster::workforms {

// 0 to 19 stand for the workform letters A to T (identifier = letter - 'A').
using WorkformId = uint16_t;

// No workform; also the identifier of the built-in default workform.
inline constexpr WorkformId kNoWorkform = 0xFFFF;

// Number of workform letters, A to T.
inline constexpr int kWorkformLetters = 20;

// Every workform has fields 1 to 45. Configuration objects keep 0-based
// indexes (field number - 1) and add 1 before asking the catalog.
inline constexpr int kFieldCount = 45;

// The name a workform gives to a field it does not use.
inline constexpr const char* kUnusedFieldName = "---";

inline constexpr bool IsFieldNumber(int n) {
    return n >= 1 && n <= kFieldCount;
}

}  // namespace recaster::workforms
