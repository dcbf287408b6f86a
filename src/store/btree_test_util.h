// Test helper: an independent walk over a store's tree that checks its
// invariants straight from the page bytes (it shares no code with the tree),
// for the B-tree tests to run after every change.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/coding.h"
#include "store/key.h"
#include "store/page_format.h"
#include "store/pager.h"

namespace recaster::store::testing {

struct TreeShape {
    std::string problem;  // empty when sound
    uint32_t height = 0;
    uint32_t treePages = 0;
    uint32_t overflowPages = 0;
    uint32_t records = 0;
};

// Walks from the root: page format, key order, separators equal to the
// child's highest key at every level, sibling links on every level, first and
// last leaf, record count, height, overflow chains, and that tree, overflow
// and free pages together make up the whole file.
inline TreeShape WalkTree(Pager& pager, const KeyOrder& order) {
    TreeShape shape;
    const TreeDescriptor& t = pager.header().tree;
    std::string& err = shape.problem;
    if (t.root == 0) {
        if (t.height || t.firstLeaf || t.lastLeaf || t.recordCount)
            err = "empty tree, descriptor set";
    }
    struct Links {
        uint32_t prev, next;
    };
    std::map<uint32_t, Links> links;
    std::vector<std::vector<uint32_t>> levels(t.height);
    std::set<uint32_t> seen;

    auto fail = [&](uint32_t pg, const std::string& what) {
        if (err.empty()) err = "page " + std::to_string(pg) + ": " + what;
        return false;
    };
    auto chain = [&](uint32_t first) {
        uint32_t pg = first;
        uint32_t total = 0;
        for (uint32_t n = 0; pg != 0; ++n) {
            if (!pager.IsPage(pg) || !seen.insert(pg).second) return fail(pg, "bad chain page");
            PageRef ref = pager.Get(pg);
            const uint8_t* p = ref.data();
            if (p[0] != (n == 0 ? kOverflowFirst : kOverflowNext)) return fail(pg, "chain kind");
            if (n == 0) total = DecodeU32(p + kOvfOffTotal);
            const uint32_t before = n == 0 ? 0 : kOvfFirstCapacity + (n - 1) * kOvfNextCapacity;
            const uint32_t cap = n == 0 ? kOvfFirstCapacity : kOvfNextCapacity;
            const uint32_t used = std::min(cap, total - std::min(total, before));
            if (used == 0) return fail(pg, "chain longer than its value");
            for (uint32_t i = kPageSize - cap + used; i < kPageSize; ++i)
                if (p[i] != 0) return fail(pg, "chain page tail not zero");
            shape.overflowPages++;
            pg = DecodeU32(p + kOvfOffNext);
            if (pg == 0 && before + used != total) return fail(first, "chain too short");
        }
        return total > kMaxInlineValue || fail(first, "short value in a chain");
    };

    std::function<bool(uint32_t, uint32_t, const Key*, const Key*, Key&)> walk =
        [&](uint32_t pg, uint32_t depth, const Key* lo, const Key* hi, Key& high) -> bool {
        if (!pager.IsPage(pg) || !seen.insert(pg).second) return fail(pg, "bad or repeated page");
        PageRef ref = pager.Get(pg);
        const uint8_t* p = ref.data();
        const bool leaf = depth + 1 == t.height;
        if (p[0] != (leaf ? kLeafPage : kInternalPage)) return fail(pg, "kind");
        const int count = DecodeI16(p + kOffCount);
        const uint32_t start = leaf ? kLeafItemsStart : kInternalItemsStart;
        if (count < 0 || count > 1000) return fail(pg, "count");
        std::vector<uint32_t> off;
        for (int i = 0; i <= count; ++i) off.push_back(DecodeU16(p + kOffsetTableEnd - 2 * i));
        if (off[0] != start) return fail(pg, "entry 0");
        for (int i = 0; i < count; ++i)
            if (off[i + 1] <= off[i]) return fail(pg, "offsets out of order");
        const uint32_t table = kOffsetTableEnd - 2 * count;
        if (off.back() > table || DecodeU16(p + kOffFree) != table - off.back())
            return fail(pg, "free bytes");
        if (count == 0 && (leaf || depth == 0)) return fail(pg, "no items");
        links[pg] = {DecodeU32(p + kOffPrev), DecodeU32(p + kOffNext)};
        levels[depth].push_back(pg);
        const Key* prevKey = lo;
        std::vector<Key> keys(count);
        for (int i = 0; i < count; ++i) {
            const uint8_t* item = p + off[i];
            const uint32_t len = off[i + 1] - off[i];
            keys[i] = DecodeKey(item);
            if ((prevKey && order.Compare(*prevKey, keys[i]) >= 0) ||
                (hi && order.Compare(keys[i], *hi) > 0))
                return fail(pg, "key out of order or range");
            prevKey = &keys[i];
            if (!leaf) {
                if (len != kInternalItemSize) return fail(pg, "internal item length");
                continue;
            }
            const uint16_t n = DecodeU16(item + kKeySize);
            if (n == kOverflowMarker) {
                if (len != 14) return fail(pg, "overflow item length");
            } else if (n > kMaxInlineValue || len != kKeySize + 2u + n) {
                return fail(pg, "leaf item length");
            }
        }
        std::vector<uint8_t> page(p, p + kPageSize);
        ref = PageRef();  // hold no pin while walking the children
        if (leaf) {
            shape.records += static_cast<uint32_t>(count);
            for (int i = 0; i < count; ++i) {
                const uint8_t* item = page.data() + off[i];
                if (DecodeU16(item + kKeySize) == kOverflowMarker &&
                    !chain(DecodeU32(item + kKeySize + 2)))
                    return false;
            }
            high = keys.back();
            return true;
        }
        const Key* childLo = lo;
        for (int i = 0; i < count; ++i) {
            Key h;
            if (!walk(DecodeU32(page.data() + off[i] + kKeySize), depth + 1, childLo, &keys[i], h))
                return false;
            if (order.Compare(h, keys[i]) != 0)
                return fail(pg, "separator is not the child's highest key");
            childLo = &keys[i];
        }
        return walk(DecodeU32(page.data() + kOffRightmost), depth + 1, childLo, hi, high);
    };
    if (t.root != 0) {
        Key high;
        if (t.height == 0 || t.height > kMaxHeight + 1) return shape.problem = "height", shape;
        if (!walk(t.root, 0, nullptr, nullptr, high)) return shape;
    }
    for (const auto& level : levels) {
        for (size_t i = 0; i < level.size(); ++i) {
            const Links& l = links[level[i]];
            if (l.prev != (i == 0 ? 0 : level[i - 1]) ||
                l.next != (i + 1 == level.size() ? 0 : level[i + 1]))
                fail(level[i], "sibling links");
        }
        shape.treePages += static_cast<uint32_t>(level.size());
    }
    if (t.root != 0 && (t.firstLeaf != levels.back().front() || t.lastLeaf != levels.back().back()))
        fail(t.root, "first or last leaf");
    if (shape.records != t.recordCount) fail(t.root, "record count");
    const uint64_t filePages = (pager.Length() - kFirstPage) / kPageSize;
    if (shape.treePages + shape.overflowPages + pager.header().freeCount != filePages)
        fail(0, "pages neither used nor free (or used twice)");
    shape.height = t.height;
    return shape;
}

}  // namespace recaster::store::testing
