// The B+-tree of the keyed page store. All integers are little-endian; page
// numbers are byte offsets of pages in the file (0 = none).
//
// Tree page (2048 bytes), kinds 1 (internal) and 2 (leaf):
//
//   | Offset        | Size | Field                                              |
//   |---------------|------|----------------------------------------------------|
//   | 0             | u8   | kind: 1 internal, 2 leaf                           |
//   | 1             | i16  | item count                                         |
//   | 3             | u16  | free bytes (gap between items and offset table)    |
//   | 5             | u32  | previous page on the same level (0 = first)        |
//   | 9             | u32  | next page on the same level (0 = last)             |
//   | 13            | u32  | internal pages only: rightmost child               |
//   | 13 / 17       | ...  | items, packed in key order (leaf / internal)       |
//   | ...           | ...  | free gap (zero when written here)                  |
//   | 2046 - 2*cnt  | u16  | offset table, growing down: entry i at 2046 - 2*i  |
//   | ... 2046      |      | holds the offset of item i; entry [count] the end  |
//   |               |      | of the last item. Item i is entry[i]..entry[i+1].  |
//
// An empty leaf has 2033 free bytes, an empty internal page 2029; an item of
// length L costs L + 2 (the item and its offset entry).
//
// Leaf item (one record):
//
//   | Offset | Size | Field                                                   |
//   |--------|------|---------------------------------------------------------|
//   | 0      | 8    | key: u32 type tag, u32 identifier                       |
//   | 8      | u16  | value length N (<= 256), or 0xFFFF for an overflow value |
//   | 10     | N    | the value, when inline                                  |
//   | 10     | u32  | first page of the overflow chain, when 0xFFFF           |
//
// Internal item: key (8 bytes), then u32 child page (12 bytes in all).
//
// Overflow page (kinds 3 and 4; read and written by overflow.cpp):
//
//   | Offset  | Size | Field                                                 |
//   |---------|------|-------------------------------------------------------|
//   | 0       | u8   | 3 on the first page of a chain, 4 on the others       |
//   | 1       | u8   | zero                                                  |
//   | 2       | u32  | next page of the chain (0 = last)                     |
//   | 6       | u32  | first page only: total value length                   |
//   | 10 or 6 | ...  | up to 2038 value bytes (first page), 2042 (others);   |
//   |         |      | the rest of the page is zero                          |
//
// Tree invariants (the store checker verifies the same list):
//  1. Height 0 exactly when the root is 0; otherwise pages at depth
//     0..height-2 are internal, pages at depth height-1 are leaves, and the
//     height is at most kMaxHeight + 1 (the path stack holds kMaxHeight pages).
//  2. Offset table: entry 0 is 13 (leaf) or 17 (internal), entries strictly
//     increase, entry[count] <= 2046 - 2*count, and free bytes equal
//     2046 - 2*count - entry[count].
//  3. Leaf items are 10 + N bytes with N <= 256, or 14 bytes with the 0xFFFF
//     marker; internal items are 12 bytes; child pages are pages of the file.
//  4. Keys strictly increase inside every page and along every level.
//  5. Every internal item's key equals the highest key of its child's subtree,
//     at every level; keys in the rightmost child are greater than the last item.
//  6. The pages of each level, leaves and internal pages alike, are linked in
//     key order by next and prev, across parents; the first page of a level
//     has prev 0, the last next 0; the root has neither.
//  7. The descriptor's first and last leaf are the ends of the leaf level, its
//     record count is the number of leaf items, its height the number of levels.
//  8. An internal root has at least one item: a root left with only its
//     rightmost child is freed and the child becomes the root (height - 1).
//  9. An overflow item points to a chain of kind 3 then kind 4 pages with
//     exactly the pages its total length (> 256) needs, the last with next 0.
// 10. Every page of the file is used once: tree page, overflow page or free.
// Non-root pages are kept above the fill limits (free bytes <= 1016 leaf, 1014
// internal) by the balancing; that is a goal, not a condition of a valid file.
#include "store/btree.h"

#include <cstring>
#include <string>

#include "base/errors.h"
#include "store/overflow.h"

namespace recaster::store {

bool BTree::Empty() const {
    const TreeDescriptor& t = pager_.header().tree;
    if ((t.root == 0) != (t.height == 0))
        pager_.Corrupt("tree root " + std::to_string(t.root) + " with height " +
                       std::to_string(t.height));
    return t.root == 0;
}

Node BTree::Load(uint32_t pgno, bool leaf) {
    if (!pager_.IsPage(pgno))
        pager_.Corrupt("tree page " + std::to_string(pgno) + " is not a page of the file");
    PageRef ref = pager_.Get(pgno);
    Verify(ref, leaf);
    return DecodeNode(pgno, ref.data(), leaf);
}

void BTree::Store(const Node& node) {
    PageRef ref = pager_.Get(node.pgno);
    EncodeNode(node, ref.Mutable());
    // A page this code has just laid out needs no check before it is read in
    // place; debug builds check it anyway, to catch a fault in the layout.
#ifndef NDEBUG
    CheckPage(pager_, node.pgno, ref.data(), node.leaf, order_);
#endif
    ref.SetVerified();
}

RawPage BTree::ReadLeaf(uint32_t pgno, PageRef& ref, uint8_t* copy) {
    if (copy && pager_.IsPage(pgno) && !pager_.Cached(pgno)) {
        pager_.ReadCopy(pgno, copy);
        CheckPage(pager_, pgno, copy, true, order_);
        return RawPage(copy);
    }
    ref = pager_.Get(pgno);
    return Verify(ref, true);
}

RawPage BTree::Verify(PageRef& ref, bool leaf) {
    const uint8_t* p = ref.data();
    if (!ref.Verified() || p[kOffKind] != (leaf ? kLeafPage : kInternalPage)) {
        CheckPage(pager_, ref.pgno(), p, leaf, order_);
        ref.SetVerified();
    }
    return RawPage(p);
}

size_t BTree::Bisect(const RawPage& page, size_t count, const Key& key, bool* found) const {
    size_t lo = 0;
    size_t hi = count;
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        const int c = Compare(key, page.KeyAt(mid));
        if (c < 0) {
            hi = mid;
        } else if (c > 0) {
            lo = mid + 1;
        } else {
            if (found) *found = true;
            return mid;
        }
    }
    return lo;
}

BTree::Found BTree::Search(const Key& key, uint8_t* leafCopy) {
    const TreeDescriptor& t = pager_.header().tree;
    if (t.height > kMaxHeight + 1)
        pager_.Corrupt("tree height " + std::to_string(t.height) + " is more than " +
                       std::to_string(kMaxHeight + 1) + " levels");
    auto checkRoot = [&](const RawPage& root, uint32_t pgno) {
        if (root.Prev() != 0 || root.Next() != 0)
            pager_.Corrupt("tree page " + std::to_string(pgno) + ": the root has sibling links");
    };
    Found f;
    uint32_t pg = t.root;
    for (uint32_t depth = 0; depth + 1 < t.height; ++depth) {
        PageRef ref = pager_.Get(pg);
        const RawPage n = Verify(ref, false);
        if (depth == 0) checkRoot(n, pg);
        const size_t pos = Bisect(n, n.Count(), key, nullptr);
        f.path.push_back({pg, pos});
        pg = n.ChildAt(pos);
    }
    PageRef ref;
    const RawPage leaf = ReadLeaf(pg, ref, leafCopy);
    if (leafCopy && ref) std::memcpy(leafCopy, ref.data(), kPageSize);
    if (t.height == 1) checkRoot(leaf, pg);
    f.leafPgno = pg;
    f.pos = Bisect(leaf, leaf.Count(), key, &f.found);
    // The cursor is working state kept in the header; a read-only store leaves it
    // alone so that reading never counts as a change.
    if (pager_.Writable() && (t.cursorPage != pg || t.cursorPos != f.pos))
        pager_.SetCursor(pg, static_cast<uint16_t>(f.pos));
    return f;
}

Node& BTree::LeafOf(Found& f) {
    if (!f.leaf) f.leaf = Load(f.leafPgno, true);
    return *f.leaf;
}

LeafItem BTree::MakeItem(const Key& key, std::span<const uint8_t> value) {
    if (value.size() <= kMaxInlineValue) return MakeInlineItem(key, value);
    if (value.size() > UINT32_MAX)
        throw FileError(FileError::Cause::Generic, pager_.path(),
                        "The value of " + KeyText(key) + " is too long to store");
    return MakeOverflowItem(key, WriteOverflow(pager_, value));
}

void BTree::WalkFrom(Node leaf, size_t pos, const LeafVisit& visit) {
    // A damaged next link may lead back; no walk visits more leaves than the file has pages.
    const uint64_t limit = pager_.Length() / kPageSize + 1;
    for (uint64_t steps = 0;; ++steps) {
        for (; pos < leaf.items.size(); ++pos) {
            if (!visit(leaf, pos)) return;
        }
        if (leaf.next == 0) return;
        if (steps >= limit)
            pager_.Corrupt("tree page " + std::to_string(leaf.pgno) +
                           ": the leaf chain runs in a cycle");
        Node next = Load(leaf.next, true);
        if (next.items.empty() ||
            (!leaf.items.empty() &&
             Compare(ItemKey(leaf.items.back()), ItemKey(next.items.front())) >= 0))
            pager_.Corrupt("tree page " + std::to_string(next.pgno) +
                           ": leaf out of key order after page " + std::to_string(leaf.pgno));
        leaf = std::move(next);
        pos = 0;
    }
}

bool BTree::RecordBefore(Found& at, Key& out) {
    const Node& leaf = LeafOf(at);
    if (at.pos > 0) {
        out = ItemKey(leaf.items[at.pos - 1]);
        return true;
    }
    if (leaf.prev == 0) return false;
    Node prev = Load(leaf.prev, true);
    if (prev.items.empty())
        pager_.Corrupt("tree page " + std::to_string(prev.pgno) + ": leaf without items");
    out = ItemKey(prev.items.back());
    return true;
}

uint32_t BTree::NewId(uint32_t tag) {
    if (Empty()) return 0;
    Found top = Search(Key{tag, UINT32_MAX});
    if (!top.found) {
        Key before;
        return RecordBefore(top, before) && before.tag == tag ? before.id + 1 : 0;
    }
    // The last identifier is taken: hand out the lowest free one.
    Found from = Search(Key{tag, 0});
    uint32_t expected = 0;
    WalkFrom(std::move(LeafOf(from)), from.pos, [&](const Node& leaf, size_t i) {
        const Key k = ItemKey(leaf.items[i]);
        if (k.tag != tag || k.id != expected || expected == UINT32_MAX) return false;
        ++expected;
        return true;
    });
    return expected;
}

bool BTree::Insert(const Key& key, std::span<const uint8_t> value) {
    if (Empty()) {
        const LeafItem item = MakeItem(key, value);
        PageRef ref = pager_.Allocate();
        Node n;
        n.pgno = ref.pgno();
        n.items.PushBack(item.view());
        EncodeNode(n, ref.Mutable());
        TreeDescriptor& t = pager_.MutableHeader().tree;
        t.root = t.firstLeaf = t.lastLeaf = n.pgno;
        t.recordCount = 1;
        t.height = 1;
        return true;
    }
    Found f = Search(key);
    // Refused before any overflow page is written, so a refusal leaves no stray pages.
    if (f.found) return false;
    InsertAt(f, key, MakeItem(key, value));
    return true;
}

void BTree::InsertAt(Found& f, const Key& key, const LeafItem& item) {
    pager_.MutableHeader().tree.recordCount++;
    {
        // The common case: the item fits its leaf and changes nothing above it.
        PageRef ref = pager_.Get(f.leafPgno);
        const bool last = f.pos == Verify(ref, true).Count();
        if (InsertInPlace(ref.Mutable(), f.pos, item.view())) {
            ref.SetVerified();
            ref = PageRef();
            if (last) SetSeparator(f.path, key);
            return;
        }
        ref.SetVerified();  // unchanged
    }
    Node& leaf = LeafOf(f);
    leaf.items.Insert(f.pos, item.view());
    Place(f.path, leaf);
}

bool BTree::ReplaceInPlace(const Found& f, const LeafItem& item) {
    PageRef ref = pager_.Get(f.leafPgno);
    const RawPage raw = Verify(ref, true);
    const int64_t freeAfter = int64_t{raw.FreeBytes()} +
                              static_cast<int64_t>(raw.Item(f.pos).size()) -
                              static_cast<int64_t>(item.size);
    if (freeAfter < 0 || (!f.path.empty() && freeAfter > kLeafUnderflow)) return false;
    uint8_t* p = ref.Mutable();
    RemoveInPlace(p, f.pos);
    InsertInPlace(p, f.pos, item.view());
    ref.SetVerified();
    return true;
}

bool BTree::Read(const Key& key, std::vector<uint8_t>& into) {
    if (Empty()) return false;
    uint8_t leafCopy[kPageSize];
    Found f = Search(key, leafCopy);
    if (!f.found) return false;
    const auto item = RawPage(leafCopy).Item(f.pos);
    if (IsOverflowItem(item)) {
        ReadOverflow(pager_, OverflowPageOf(item), into);
    } else {
        const auto value = InlineValue(item);
        into.assign(value.begin(), value.end());
    }
    return true;
}

uint32_t BTree::ChainOf(const Found& f) {
    PageRef ref = pager_.Get(f.leafPgno);
    const auto item = Verify(ref, true).Item(f.pos);
    return IsOverflowItem(item) ? OverflowPageOf(item) : 0;
}

void BTree::Update(const Key& key, std::span<const uint8_t> value) {
    Found f;
    if (!Empty()) f = Search(key);
    if (!f.found)
        throw FileError(FileError::Cause::Generic, pager_.path(),
                        "The record " + KeyText(key) + " to update does not exist");
    const uint32_t chain = ChainOf(f);
    if (chain != 0) {
        if (value.size() > kMaxInlineValue) {
            RewriteOverflow(pager_, chain, value);
            return;
        }
        FreeOverflow(pager_, chain);
    }
    // The new item (with its new chain when the value is long) takes the old
    // one's place when the leaf neither overflows nor falls below its fill
    // limit: the same page as deleting and inserting again, without the
    // rebalancing that the deletion alone might have caused.
    const LeafItem item = MakeItem(key, value);
    if (ReplaceInPlace(f, item)) return;
    RemoveRecord(f);
    Found again = Search(key);
    InsertAt(again, key, item);
}

bool BTree::Delete(const Key& key) {
    if (Empty()) return false;
    Found f = Search(key);
    if (!f.found) return false;
    if (const uint32_t chain = ChainOf(f)) FreeOverflow(pager_, chain);
    RemoveRecord(f);
    return true;
}

void BTree::Scan(const std::function<bool(const Key&, std::span<const uint8_t>)>& visit) {
    if (Empty()) return;
    // A damaged next link may lead back; no walk visits more leaves than the file has pages.
    const uint64_t limit = pager_.Length() / kPageSize + 1;
    std::vector<uint8_t> value;
    uint32_t pg = pager_.header().tree.firstLeaf;
    uint32_t before = 0;
    bool haveLast = false;
    Key last;
    uint8_t leafCopy[kPageSize];
    for (uint64_t steps = 0; pg != 0; ++steps) {
        if (steps > limit)
            pager_.Corrupt("tree page " + std::to_string(pg) + ": the leaf chain runs in a cycle");
        // Each leaf is visited once: read it past the cache.
        PageRef ref;
        const RawPage leaf = ReadLeaf(pg, ref, leafCopy);
        const size_t count = leaf.Count();
        if (steps == 0 && leaf.Prev() != 0)
            pager_.Corrupt("tree page " + std::to_string(pg) +
                           ": the first leaf has a previous page");
        if (count == 0 || (haveLast && Compare(last, leaf.KeyAt(0)) >= 0))
            pager_.Corrupt("tree page " + std::to_string(pg) +
                           ": leaf out of key order after page " + std::to_string(before));
        for (size_t i = 0; i < count; ++i) {
            const auto item = leaf.Item(i);
            const Key key = DecodeKey(item.data());
            if (IsOverflowItem(item)) {
                ReadOverflow(pager_, OverflowPageOf(item), value);
                if (!visit(key, value)) return;
            } else if (!visit(key, InlineValue(item))) {
                return;
            }
        }
        last = leaf.KeyAt(count - 1);
        haveLast = true;
        before = pg;
        pg = leaf.Next();
    }
}

void BTree::RemoveRecord(Found& f) {
    TreeDescriptor& t = pager_.MutableHeader().tree;
    if (t.recordCount > 0) t.recordCount--;
    {
        // The common case: the leaf keeps enough items and its highest key.
        PageRef ref = pager_.Get(f.leafPgno);
        const RawPage raw = Verify(ref, true);
        const size_t count = raw.Count();
        const uint32_t len = static_cast<uint32_t>(raw.Item(f.pos).size());
        const bool last = f.pos + 1 == count;
        const bool underflows = raw.FreeBytes() + len + 2 > kLeafUnderflow;
        if (count > 1 && (f.path.empty() || !underflows)) {
            RemoveInPlace(ref.Mutable(), f.pos);
            ref.SetVerified();
            f.leaf.reset();
            if (last && !f.path.empty()) {
                const Key high = RawPage(ref.data()).KeyAt(count - 2);
                ref = PageRef();
                SetSeparator(f.path, high);
            }
            return;
        }
    }
    Node& leaf = LeafOf(f);
    const bool wasLast = f.pos + 1 == leaf.items.size();
    leaf.items.Erase(f.pos);
    if (f.path.empty()) {
        if (leaf.items.empty()) {
            pager_.Free(leaf.pgno);
            ResetTree();
        } else {
            Store(leaf);
        }
        return;
    }
    if (leaf.Underflows()) {
        Rebalance(f.path, leaf);
        return;
    }
    Store(leaf);
    if (wasLast) SetSeparator(f.path, ItemKey(leaf.items.back()));
}

void BTree::ResetTree() {
    TreeDescriptor& t = pager_.MutableHeader().tree;
    t.root = t.firstLeaf = t.lastLeaf = 0;
    t.recordCount = 0;
    t.cursorPage = 0;
    t.cursorPos = 0;
    t.height = 0;
}

}  // namespace recaster::store
