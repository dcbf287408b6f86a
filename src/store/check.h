// The store checker: walks a whole store file and verifies every structural
// invariant of the header, the tree pages, the overflow chains and the free
// list, and that every page is used exactly once. It reads through the pager,
// never changes anything, and never throws on damage: each problem found is
// one line naming the page ("page 3584: ..."), the header ("header: ...") or
// the file ("file: ..."). A file system that fails to read raises its
// FileError instead: that says nothing about what the file holds.
//
// Fill limits (how full a non-root page is) are not checked: they are a goal
// of the balancing, not a condition of a readable file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/key.h"
#include "store/pager.h"

namespace recaster::store {

struct CheckReport {
    std::vector<std::string> problems;
    uint32_t pages = 0;  // whole pages in the file
    uint32_t leafPages = 0;
    uint32_t internalPages = 0;
    uint32_t overflowPages = 0;
    uint32_t freePages = 0;
    uint32_t records = 0;  // items counted in the leaves
    uint32_t height = 0;   // levels found by the walk

    bool ok() const { return problems.empty(); }
};

// REQUIRES: pager is open. Reads every page once, holding at most one pinned
// page at a time; time and memory grow linearly with the file.
CheckReport CheckStore(Pager& pager, const KeyOrder& order);

}  // namespace recaster::store
