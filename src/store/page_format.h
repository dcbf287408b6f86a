// Constants of the store file format, shared by the tree, the pager and the
// checker. The layout tables themselves are documented where they are
// enforced: the file header, free list and journal in pager.cpp, the tree and
// overflow pages in btree.cpp.
#pragma once

#include <cstdint>

namespace recaster::store {

inline constexpr uint32_t kPageSize = 2048;
inline constexpr uint32_t kHeaderSize = 1463;  // followed by 73 zero bytes
inline constexpr uint32_t kFirstPage = 1536;   // page numbers are byte offsets
inline constexpr uint32_t kTreeDescriptors = 50;
inline constexpr uint32_t kTreeDescriptorSize = 29;

// Byte 0 of a page.
inline constexpr uint8_t kInternalPage = 1;
inline constexpr uint8_t kLeafPage = 2;
inline constexpr uint8_t kOverflowFirst = 3;
inline constexpr uint8_t kOverflowNext = 4;

// Tree page header (kinds 1 and 2).
inline constexpr uint32_t kOffKind = 0;
inline constexpr uint32_t kOffCount = 1;       // i16
inline constexpr uint32_t kOffFree = 3;        // u16
inline constexpr uint32_t kOffPrev = 5;        // u32
inline constexpr uint32_t kOffNext = 9;        // u32
inline constexpr uint32_t kOffRightmost = 13;  // u32, internal pages only
inline constexpr uint32_t kLeafItemsStart = 13;
inline constexpr uint32_t kInternalItemsStart = 17;
inline constexpr uint32_t kLeafCapacity = 2033;      // free bytes of an empty leaf
inline constexpr uint32_t kInternalCapacity = 2029;  // free bytes of an empty internal page
inline constexpr uint32_t kOffsetTableEnd = 2046;    // entry i is a u16 at 2046 - 2*i

// A non-root page is rebalanced when its free bytes would exceed these.
inline constexpr uint32_t kLeafUnderflow = 1016;
inline constexpr uint32_t kInternalUnderflow = 1014;

inline constexpr uint32_t kKeySize = 8;
inline constexpr uint32_t kMaxInlineValue = 256;
inline constexpr uint16_t kOverflowMarker = 0xFFFF;
inline constexpr uint32_t kInternalItemSize = kKeySize + 4;

// Overflow pages (kinds 3 and 4).
inline constexpr uint32_t kOvfOffNext = 2;
inline constexpr uint32_t kOvfOffTotal = 6;  // first page only
inline constexpr uint32_t kOvfFirstData = 10;
inline constexpr uint32_t kOvfNextData = 6;
inline constexpr uint32_t kOvfFirstCapacity = kPageSize - kOvfFirstData;  // 2038
inline constexpr uint32_t kOvfNextCapacity = kPageSize - kOvfNextData;    // 2042

// The insert and delete paths hold at most this many internal pages.
inline constexpr uint32_t kMaxHeight = 8;

}  // namespace recaster::store
