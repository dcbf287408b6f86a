// Overflow chains: a value longer than 256 bytes lives in a chain of pages of
// its own, and its leaf item holds only the chain's first page. The page layout
// is documented at the top of overflow.cpp.
//
// A broken chain (not a page of the file, wrong page kind, a cycle, ending
// before the value's length, or a length no file of this size can hold) raises
// ArchiveError naming the file, as other damage does; no walk runs longer than the
// file has pages.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/pager.h"

namespace recaster::store {

// Writes `value` to newly allocated pages; returns the first page.
uint32_t WriteOverflow(Pager& pager, std::span<const uint8_t> value);
// Writes `value` over the chain at `first`, reusing its pages in order, taking
// more pages when needed and freeing the pages left over. The first page stays.
void RewriteOverflow(Pager& pager, uint32_t first, std::span<const uint8_t> value);
// Replaces `out` with the value; `out` is untouched when the chain is broken.
void ReadOverflow(Pager& pager, uint32_t first, std::vector<uint8_t>& out);
// Frees every page of the chain; nothing is freed when the chain is broken.
void FreeOverflow(Pager& pager, uint32_t first);

}  // namespace recaster::store
