// What the checker verifies, in the order it looks. Byte layouts of the header,
// tree pages and overflow pages are documented in pager.cpp and btree.cpp; the
// offsets used here come from page_format.h.
//
//  1. File: length = 1536 + k * 2048.
//  2. Header: version 2 or 3, marker byte 1, tree index 0, descriptors 1..49
//     all zero; an empty tree (root 0) has first/last leaf, record count and
//     height 0; a tree has at most kMaxHeight + 1 levels; an internal root has
//     at least one item.
//  3. Tree pages, level by level from the root: kind 1 (internal) or 2 (leaf),
//     one kind per level; offset table entry 0 = 17 / 13, entries strictly
//     rising, items ending before the table; free bytes = gap between items
//     and table; leaf items 8+2+N (N <= 256) or 8+6 with the FFFF marker,
//     internal items 12 bytes; keys rising inside a page and across the pages
//     of a level; every key of child i in (key i-1, key i], of the rightmost
//     child above the last key.
//  4. Links: the pages of each level, in tree order, are linked by prev/next,
//     0 at both ends; the descriptor names the first and last leaf.
//  5. Separators: every internal item's key is the highest key of its child.
//  6. Record count and height of the descriptor match the walk.
//  7. Overflow chains: kind 3, then 4; byte 1 zero; total length > 256; as many
//     pages as the length needs; next 0 at the end; unused bytes zero.
//  8. Free list: valid pages, no cycle, as many pages as the header says.
//  9. Every page is used exactly once: by the tree, a chain or the free list.
//
// Each page is claimed when first reached; a second claim is a problem and is
// not followed, so every walk (cycles included) ends within the page count.
#include "store/check.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <unordered_set>

#include "base/coding.h"
#include "base/errors.h"

namespace recaster::store {
namespace {

constexpr size_t kMaxProblems = 1000;

enum class Use : uint8_t { None, Tree, Internal, Leaf, Overflow, Free };

const char* UseName(Use use) {
    switch (use) {
        case Use::None:
            return "nothing";
        case Use::Tree:
            return "tree page";
        case Use::Internal:
            return "internal page";
        case Use::Leaf:
            return "leaf page";
        case Use::Overflow:
            return "overflow page";
        case Use::Free:
            return "free page";
    }
    return "?";
}

std::string PageText(uint32_t pgno) {
    return "page " + std::to_string(pgno);
}

using PageBytes = std::array<uint8_t, kPageSize>;

struct OverflowRef {
    Key key;
    uint32_t first = 0;
    uint32_t leaf = 0;
};

// One tree page as decoded for checking.
struct TreePage {
    uint8_t kind = 0;
    uint32_t prev = 0;
    uint32_t next = 0;
    uint32_t rightmost = 0;
    int count = 0;
    std::vector<Key> keys;                       // items with at least a key
    std::vector<std::pair<Key, uint32_t>> seps;  // internal: well-formed items
    std::vector<OverflowRef> overflow;           // leaf: items with a chain
};

// A page to visit on the next level, with the key range its parent allows.
struct Pending {
    uint32_t pgno = 0;
    uint32_t parent = 0;    // 0 for the root
    std::optional<Key> lo;  // keys must be above
    std::optional<Key> hi;  // keys must be at most
};

struct Separator {
    uint32_t page;
    int item;
    Key key;
    uint32_t child;
};

class Checker {
  public:
    Checker(Pager& pager, const KeyOrder& order) : pager_(pager), order_(order) {}

    CheckReport Run() {
        try {
            CheckFile();
            CheckHeader();
            CheckTree();
            CheckOverflow();
            CheckFreeList();
            CheckUnaccounted();
        } catch (const FileError&) {
            throw;
        } catch (const std::exception& e) {
            Problem(std::string("file: check stopped: ") + e.what());
        }
        return std::move(report_);
    }

  private:
    void Problem(std::string line) {
        if (report_.problems.size() < kMaxProblems) {
            report_.problems.push_back(std::move(line));
        } else if (report_.problems.size() == kMaxProblems) {
            report_.problems.push_back("file: further problems not listed");
        }
    }

    int Compare(const Key& a, const Key& b) const { return order_.Compare(a, b); }

    bool InFile(uint32_t pgno) const {
        return pgno >= kFirstPage && (pgno - kFirstPage) % kPageSize == 0 &&
               (pgno - kFirstPage) / kPageSize < report_.pages && pager_.IsPage(pgno);
    }
    size_t Index(uint32_t pgno) const { return (pgno - kFirstPage) / kPageSize; }

    // Marks a page as used; false (and a problem) when something already uses it.
    bool Claim(uint32_t pgno, Use as, const std::string& how) {
        Use& slot = use_[Index(pgno)];
        if (slot != Use::None) {
            Problem(PageText(pgno) + ": " + how + " but already used as " + UseName(slot));
            return false;
        }
        slot = as;
        return true;
    }

    bool Read(uint32_t pgno, PageBytes& out) {
        try {
            PageRef ref = pager_.Get(pgno);
            std::memcpy(out.data(), ref.data(), kPageSize);
            return true;
        } catch (const ArchiveError& e) {
            Problem(PageText(pgno) + ": cannot be read: " + e.message());
        }
        return false;
    }

    void CheckFile() {
        uint64_t length = pager_.Length();
        uint64_t whole = length >= kFirstPage ? (length - kFirstPage) / kPageSize : 0;
        uint64_t addressable = (UINT32_MAX - kFirstPage) / kPageSize + 1;
        report_.pages = static_cast<uint32_t>(std::min(whole, addressable));
        use_.assign(report_.pages, Use::None);
        if (length < kFirstPage || (length - kFirstPage) % kPageSize != 0) {
            Problem("file: length " + std::to_string(length) + " is not 1536 + a multiple of 2048");
        }
    }

    void CheckHeader() {
        const StoreHeader& h = pager_.header();
        if (h.version != 2 && h.version != 3) {
            Problem("header: version " + std::to_string(h.version) + ", expected 2 or 3");
        }
        if (h.marker != 1)
            Problem("header: marker byte " + std::to_string(h.marker) + ", expected 1");
        if (h.treeIndex != 0) {
            Problem("header: tree index " + std::to_string(h.treeIndex) + ", expected 0");
        }
        CheckUnusedDescriptors();
        const TreeDescriptor& t = h.tree;
        if (t.root == 0 && (t.firstLeaf || t.lastLeaf || t.recordCount || t.height)) {
            Problem("header: the tree is empty (root 0) but first leaf " +
                    std::to_string(t.firstLeaf) + ", last leaf " + std::to_string(t.lastLeaf) +
                    ", record count " + std::to_string(t.recordCount) + ", height " +
                    std::to_string(t.height));
        }
    }

    // Descriptors 1..49 are not decoded by the pager, so they are read from the file.
    void CheckUnusedDescriptors() {
        std::array<uint8_t, kHeaderSize> raw{};
        auto file = pager_.fs().Open(pager_.path(), OpenFlags{});
        if (file->ReadAt(0, raw) < kHeaderSize) {
            Problem("header: the file is shorter than its header");
            return;
        }
        uint32_t start = 13 + kTreeDescriptorSize;
        for (uint32_t d = 1; d < kTreeDescriptors; ++d, start += kTreeDescriptorSize) {
            const uint8_t* p = raw.data() + start;
            if (std::any_of(p, p + kTreeDescriptorSize, [](uint8_t b) { return b != 0; })) {
                Problem("header: tree descriptor " + std::to_string(d) + " is not all zero");
            }
        }
    }

    // Decodes and checks one page reached as a tree page. False when the page is
    // no tree page at all (then nothing of it is used).
    bool DecodeTreePage(uint32_t pgno, const PageBytes& p, TreePage& tp) {
        const std::string at = PageText(pgno) + ": ";
        tp.kind = p[kOffKind];
        if (tp.kind != kInternalPage && tp.kind != kLeafPage) {
            Problem(at + "kind " + std::to_string(tp.kind) + " where a tree page was expected");
            return false;
        }
        const bool leaf = tp.kind == kLeafPage;
        tp.count = DecodeI16(&p[kOffCount]);
        tp.prev = DecodeU32(&p[kOffPrev]);
        tp.next = DecodeU32(&p[kOffNext]);
        if (!leaf) tp.rightmost = DecodeU32(&p[kOffRightmost]);
        const uint32_t start = leaf ? kLeafItemsStart : kInternalItemsStart;
        if (tp.count < 0 || kOffsetTableEnd - 2 * static_cast<uint32_t>(tp.count) < start) {
            Problem(at + "item count " + std::to_string(tp.count) + " does not fit in a page");
            return true;
        }
        const uint32_t count = static_cast<uint32_t>(tp.count);
        const uint32_t table = kOffsetTableEnd - 2 * count;  // lowest byte of the table
        auto entry = [&](uint32_t i) { return DecodeU16(&p[kOffsetTableEnd - 2 * i]); };
        if (entry(0) != start) {
            Problem(at + "offset table entry 0 is " + std::to_string(entry(0)) + ", expected " +
                    std::to_string(start));
            return true;
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (entry(i + 1) <= entry(i)) {
                Problem(at + "offset table entry " + std::to_string(i + 1) + " (" +
                        std::to_string(entry(i + 1)) + ") is not above entry " + std::to_string(i) +
                        " (" + std::to_string(entry(i)) + ")");
                return true;
            }
        }
        if (entry(count) > table) {
            Problem(at + "items end at " + std::to_string(entry(count)) +
                    ", inside the offset table at " + std::to_string(table));
            return true;
        }
        const uint16_t freeBytes = DecodeU16(&p[kOffFree]);
        if (freeBytes != table - entry(count)) {
            Problem(at + "free bytes " + std::to_string(freeBytes) +
                    ", gap between items and offset table is " +
                    std::to_string(table - entry(count)));
        }
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t off = entry(i);
            const uint32_t len = entry(i + 1) - off;
            const std::string item = at + "item " + std::to_string(i);
            if (len < kKeySize) {
                Problem(item + " is " + std::to_string(len) + " bytes, shorter than a key");
                continue;
            }
            const Key key = DecodeKey(&p[off]);
            if (!tp.keys.empty() && Compare(tp.keys.back(), key) >= 0) {
                Problem(item + ": key " + KeyText(key) + " is not above the key before it, " +
                        KeyText(tp.keys.back()));
            }
            tp.keys.push_back(key);
            if (!leaf) {
                if (len != kInternalItemSize) {
                    Problem(item + " is " + std::to_string(len) + " bytes, expected 12");
                } else {
                    tp.seps.emplace_back(key, DecodeU32(&p[off + kKeySize]));
                }
                continue;
            }
            if (len < kKeySize + 2) {
                Problem(item + " is " + std::to_string(len) + " bytes, too short for a record");
                continue;
            }
            const uint16_t n = DecodeU16(&p[off + kKeySize]);
            if (n == kOverflowMarker) {
                if (len != kKeySize + 6) {
                    Problem(item + " refers to an overflow chain in " + std::to_string(len) +
                            " bytes, expected 14");
                } else {
                    tp.overflow.push_back({key, DecodeU32(&p[off + kKeySize + 2]), pgno});
                }
            } else if (n > kMaxInlineValue) {
                Problem(item + " has an inline value of " + std::to_string(n) +
                        " bytes, more than 256");
            } else if (len != kKeySize + 2 + n) {
                Problem(item + " is " + std::to_string(len) + " bytes, its value of " +
                        std::to_string(n) + " bytes needs " + std::to_string(kKeySize + 2 + n));
            }
        }
        return true;
    }

    // Queues a child for the next level when it is a page nobody uses yet.
    void AddChild(uint32_t parent, const std::string& which, uint32_t child, std::optional<Key> lo,
                  std::optional<Key> hi, std::vector<Pending>& next) {
        if (!InFile(child)) {
            Problem(PageText(parent) + ": " + which + " " + std::to_string(child) +
                    " is not a page of the file");
            return;
        }
        if (!Claim(child, Use::Tree, "child of page " + std::to_string(parent))) return;
        next.push_back({child, parent, lo, hi});
    }

    // Keys of a page against the range its parent allows (first offence each way).
    void CheckRange(const Pending& at, const TreePage& tp) {
        const std::string parent = PageText(at.parent);
        for (const Key& k : tp.keys) {
            if (at.lo && Compare(k, *at.lo) <= 0) {
                Problem(PageText(at.pgno) + ": key " + KeyText(k) + " is not above " +
                        KeyText(*at.lo) + ", the separator before it in " + parent);
                break;
            }
        }
        for (const Key& k : tp.keys) {
            if (at.hi && Compare(k, *at.hi) > 0) {
                Problem(PageText(at.pgno) + ": key " + KeyText(k) + " is above " + KeyText(*at.hi) +
                        ", its separator in " + parent);
                break;
            }
        }
    }

    struct Linked {
        uint32_t pgno, prev, next;
    };

    void CheckLinks(const std::vector<Linked>& level) {
        for (size_t i = 0; i < level.size(); ++i) {
            uint32_t prev = i > 0 ? level[i - 1].pgno : 0;
            uint32_t next = i + 1 < level.size() ? level[i + 1].pgno : 0;
            if (level[i].prev != prev) {
                Problem(PageText(level[i].pgno) + ": previous link " +
                        std::to_string(level[i].prev) + ", expected " + std::to_string(prev));
            }
            if (level[i].next != next) {
                Problem(PageText(level[i].pgno) + ": next link " + std::to_string(level[i].next) +
                        ", expected " + std::to_string(next));
            }
        }
    }

    void CheckTree() {
        const TreeDescriptor& t = pager_.header().tree;
        if (t.root == 0) return;
        if (!InFile(t.root)) {
            Problem("header: root page " + std::to_string(t.root) + " is not a page of the file");
            return;
        }
        Claim(t.root, Use::Tree, "root");
        std::vector<Pending> level{{t.root, 0, std::nullopt, std::nullopt}};
        std::map<uint32_t, std::optional<Key>> highest;  // per tree page
        std::map<uint32_t, uint32_t> rightmostOf;        // internal page -> rightmost child
        std::vector<std::vector<uint32_t>> internalLevels;
        std::vector<Separator> separators;
        std::vector<uint32_t> leafDepths;
        uint32_t firstLeaf = 0, lastLeaf = 0;
        for (uint32_t depth = 0; !level.empty(); ++depth) {
            std::vector<Pending> next;
            std::vector<Linked> linked;
            std::vector<uint32_t> internals;
            std::optional<uint8_t> levelKind;
            std::optional<Key> lastKey;
            uint32_t lastKeyPage = 0;
            bool hasLeaves = false;
            for (const Pending& at : level) {
                PageBytes bytes;
                TreePage tp;
                if (!Read(at.pgno, bytes) || !DecodeTreePage(at.pgno, bytes, tp)) continue;
                const bool leaf = tp.kind == kLeafPage;
                const std::string at_text = PageText(at.pgno) + ": ";
                if (!levelKind) {
                    levelKind = tp.kind;
                } else if (*levelKind != tp.kind) {
                    Problem(at_text + (leaf ? "leaf" : "internal") + " page at depth " +
                            std::to_string(depth) + " among " + (leaf ? "internal" : "leaf") +
                            " pages");
                }
                use_[Index(at.pgno)] = leaf ? Use::Leaf : Use::Internal;
                linked.push_back({at.pgno, tp.prev, tp.next});
                CheckRange(at, tp);
                if (!tp.keys.empty()) {
                    if (lastKey && Compare(tp.keys.front(), *lastKey) <= 0) {
                        Problem(at_text + "first key " + KeyText(tp.keys.front()) +
                                " is not above the last key " + KeyText(*lastKey) + " of " +
                                PageText(lastKeyPage) + " before it on its level");
                    }
                    lastKey = tp.keys.back();
                    lastKeyPage = at.pgno;
                }
                if (leaf) {
                    hasLeaves = true;
                    ++report_.leafPages;
                    report_.records += static_cast<uint32_t>(std::max(tp.count, 0));
                    if (firstLeaf == 0) firstLeaf = at.pgno;
                    lastLeaf = at.pgno;
                    if (tp.keys.empty()) {
                        if (at.parent != 0) Problem(at_text + "empty leaf below the root");
                    } else {
                        highest[at.pgno] = tp.keys.back();
                    }
                    overflow_.insert(overflow_.end(), tp.overflow.begin(), tp.overflow.end());
                    continue;
                }
                ++report_.internalPages;
                // Deletes collapse such a root into its only child.
                if (at.parent == 0 && tp.count == 0)
                    Problem(at_text + "internal root without items");
                internals.push_back(at.pgno);
                std::optional<Key> lo = at.lo;
                for (size_t i = 0; i < tp.seps.size(); ++i) {
                    const auto& [key, child] = tp.seps[i];
                    separators.push_back({at.pgno, static_cast<int>(i), key, child});
                    AddChild(at.pgno, "child of item " + std::to_string(i), child, lo, key, next);
                    lo = key;
                }
                rightmostOf[at.pgno] = tp.rightmost;
                AddChild(at.pgno, "rightmost child", tp.rightmost, lo, at.hi, next);
            }
            CheckLinks(linked);
            if (hasLeaves) leafDepths.push_back(depth);
            internalLevels.push_back(std::move(internals));
            if (!linked.empty()) report_.height = depth + 1;
            level = std::move(next);
        }
        if (report_.height > kMaxHeight + 1) {
            Problem("header: the tree has " + std::to_string(report_.height) +
                    " levels, more than the " + std::to_string(kMaxHeight + 1) +
                    " the tree operations can follow");
        }
        if (leafDepths.size() > 1) {
            std::string depths;
            for (uint32_t d : leafDepths)
                depths += (depths.empty() ? "" : ", ") + std::to_string(d);
            Problem("header: leaves at different depths: " + depths);
        }

        // A page's highest key is its rightmost child's; fill them in bottom-up.
        for (auto lv = internalLevels.rbegin(); lv != internalLevels.rend(); ++lv) {
            for (uint32_t pgno : *lv) {
                auto child = highest.find(rightmostOf[pgno]);
                if (child != highest.end()) highest[pgno] = child->second;
            }
        }
        for (const Separator& s : separators) {
            auto child = highest.find(s.child);
            if (child == highest.end() || !child->second) continue;
            if (Compare(s.key, *child->second) != 0) {
                Problem(PageText(s.page) + ": separator " + std::to_string(s.item) + " is " +
                        KeyText(s.key) + " but its child " + PageText(s.child) + " ends with " +
                        KeyText(*child->second));
            }
        }

        if (t.firstLeaf != firstLeaf) {
            Problem("header: first leaf " + std::to_string(t.firstLeaf) +
                    ", the leftmost leaf is " + std::to_string(firstLeaf));
        }
        if (t.lastLeaf != lastLeaf) {
            Problem("header: last leaf " + std::to_string(t.lastLeaf) + ", the rightmost leaf is " +
                    std::to_string(lastLeaf));
        }
        if (t.recordCount != report_.records) {
            Problem("header: record count " + std::to_string(t.recordCount) + ", the leaves hold " +
                    std::to_string(report_.records));
        }
        if (t.height != report_.height) {
            Problem("header: height " + std::to_string(t.height) + ", the tree has " +
                    std::to_string(report_.height) + " levels");
        }
    }

    void CheckOverflow() {
        for (const OverflowRef& ref : overflow_) CheckChain(ref);
    }

    void CheckChain(const OverflowRef& ref) {
        const std::string of = " of " + KeyText(ref.key);
        if (!InFile(ref.first)) {
            Problem(PageText(ref.leaf) + ": overflow chain" + of + " starts at " +
                    std::to_string(ref.first) + ", which is not a page of the file");
            return;
        }
        uint32_t pgno = ref.first;
        uint32_t prev = ref.leaf;
        uint64_t remaining = 0;
        uint32_t total = 0;
        std::unordered_set<uint32_t> seen;
        for (uint32_t n = 0;; ++n) {
            const std::string at = PageText(pgno) + ": ";
            if (!seen.insert(pgno).second) {
                Problem(at + "comes round again in the overflow chain" + of + " (after " +
                        PageText(prev) + ")");
                return;
            }
            if (!Claim(pgno, Use::Overflow, "in the overflow chain" + of)) return;
            ++report_.overflowPages;
            PageBytes p;
            if (!Read(pgno, p)) return;
            const uint8_t expected = n == 0 ? kOverflowFirst : kOverflowNext;
            if (p[0] != expected) {
                Problem(at + "kind " + std::to_string(p[0]) + " in the overflow chain" + of +
                        ", expected " + std::to_string(expected));
                return;
            }
            if (p[1] != 0) Problem(at + "byte 1 is " + std::to_string(p[1]) + ", expected 0");
            if (n == 0) {
                total = DecodeU32(&p[kOvfOffTotal]);
                remaining = total;
                if (total <= kMaxInlineValue) {
                    Problem(at + "overflow value" + of + " is " + std::to_string(total) +
                            " bytes, short enough to be stored inline");
                }
            }
            const uint32_t dataOff = n == 0 ? kOvfFirstData : kOvfNextData;
            const uint64_t take = std::min<uint64_t>(remaining, kPageSize - dataOff);
            remaining -= take;
            const uint32_t next = DecodeU32(&p[kOvfOffNext]);
            if (remaining == 0) {
                if (std::any_of(p.begin() + dataOff + take, p.end(), [](uint8_t b) { return b; })) {
                    Problem(at + "bytes after the end of the value" + of + " are not zero");
                }
                if (next != 0) {
                    Problem(at + "the value" + of + " ends here but the chain goes on to page " +
                            std::to_string(next));
                }
                return;
            }
            if (next == 0) {
                Problem(at + "the overflow chain" + of + " ends with " + std::to_string(remaining) +
                        " of its " + std::to_string(total) + " bytes missing");
                return;
            }
            if (!InFile(next)) {
                Problem(at + "next page " + std::to_string(next) + " of the overflow chain" + of +
                        " is not a page of the file");
                return;
            }
            prev = pgno;
            pgno = next;
        }
    }

    void CheckFreeList() {
        const StoreHeader& h = pager_.header();
        uint32_t pgno = h.freeHead;
        std::string from = "header: free list head ";
        uint32_t found = 0;
        while (pgno != 0) {
            if (!InFile(pgno)) {
                Problem(from + std::to_string(pgno) + " is not a page of the file");
                break;
            }
            if (use_[Index(pgno)] == Use::Free) {
                Problem(PageText(pgno) + ": comes round again on the free list (cycle)");
                break;
            }
            if (!Claim(pgno, Use::Free, "on the free list")) break;
            ++found;
            PageBytes p;
            if (!Read(pgno, p)) break;
            from = PageText(pgno) + ": next free page ";
            pgno = DecodeU32(p.data());
        }
        report_.freePages = found;
        if (found != h.freeCount) {
            Problem("header: free list count " + std::to_string(h.freeCount) + ", the list holds " +
                    std::to_string(found) + " pages");
        }
    }

    void CheckUnaccounted() {
        for (size_t i = 0; i < use_.size(); ++i) {
            if (use_[i] == Use::None) {
                Problem(PageText(static_cast<uint32_t>(kFirstPage + i * kPageSize)) +
                        ": neither used nor free");
            }
        }
    }

    Pager& pager_;
    const KeyOrder& order_;
    CheckReport report_;
    std::vector<Use> use_;  // by page index
    std::vector<OverflowRef> overflow_;
};

}  // namespace

CheckReport CheckStore(Pager& pager, const KeyOrder& order) {
    return Checker(pager, order).Run();
}

}  // namespace recaster::store
