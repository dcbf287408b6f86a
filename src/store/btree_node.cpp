#include "store/btree_node.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "base/coding.h"

namespace recaster::store {
namespace {

constexpr uint32_t kOffsetEntry = 2;
constexpr uint32_t kMinLeafItem = kKeySize + 2;
constexpr uint32_t kOverflowItemSize = kKeySize + 2 + 4;
constexpr size_t kMaxKids = kInternalCapacity / (kInternalItemSize + kOffsetEntry) + 1;  // 145

uint32_t ItemsStart(bool leaf) {
    return leaf ? kLeafItemsStart : kInternalItemsStart;
}
uint32_t OffsetSlot(size_t i) {
    return kOffsetTableEnd - kOffsetEntry * static_cast<uint32_t>(i);
}

std::vector<uint32_t> LeafSizes(const Node& n) {
    std::vector<uint32_t> sizes(n.items.size());
    for (size_t i = 0; i < sizes.size(); ++i)
        sizes[i] = static_cast<uint32_t>(n.items[i].size()) + kOffsetEntry;
    return sizes;
}

// Greedy cuts near equal shares; the fallback when the fixed rule cannot place
// items (only possible for pages not made by this program).
std::vector<size_t> EvenCuts(const std::vector<uint32_t>& sizes, size_t pages, uint32_t cap) {
    uint64_t total = 0;
    for (uint32_t s : sizes) total += s;
    const uint64_t target = (total + pages - 1) / pages;
    std::vector<size_t> cuts;
    size_t i = 0;
    for (size_t p = 0; p + 1 < pages; ++p) {
        uint64_t used = 0;
        while (i < sizes.size() && used < target && used + sizes[i] <= cap) used += sizes[i++];
        cuts.push_back(i);
    }
    uint64_t rest = 0;
    for (size_t j = i; j < sizes.size(); ++j) rest += sizes[j];
    size_t from = 0;
    for (size_t c : cuts) {
        if (c <= from) throw std::logic_error("tree page layout: empty page");
        from = c;
    }
    if (from >= sizes.size() || rest > cap)
        throw std::logic_error("tree page layout: overfull page");
    return cuts;
}

}  // namespace

uint32_t Node::Used() const {
    if (!leaf) {
        return kids.empty()
                   ? 0
                   : static_cast<uint32_t>(kids.size() - 1) * (kInternalItemSize + kOffsetEntry);
    }
    return items.Bytes() + static_cast<uint32_t>(items.size()) * kOffsetEntry;
}

Key Node::KeyAt(size_t i) const {
    return leaf ? ItemKey(items[i]) : kids[i].key;
}

bool Node::HighKey(Key& out) const {
    if (leaf) {
        if (items.empty()) return false;
        out = ItemKey(items.back());
        return true;
    }
    if (kids.empty() || !kids.back().keyKnown) return false;
    out = kids.back().key;
    return true;
}

void ItemList::Insert(size_t pos, std::span<const uint8_t> item) {
    const uint32_t at = pos == 0 ? 0 : ends_[pos - 1];
    const auto len = static_cast<uint32_t>(item.size());
    data_.insert(data_.begin() + at, item.begin(), item.end());
    ends_.insert(ends_.begin() + static_cast<ptrdiff_t>(pos), at + len);
    for (size_t i = pos + 1; i < ends_.size(); ++i) ends_[i] += len;
}

void ItemList::Erase(size_t pos) {
    const uint32_t at = pos == 0 ? 0 : ends_[pos - 1];
    const uint32_t len = ends_[pos] - at;
    data_.erase(data_.begin() + at, data_.begin() + at + len);
    ends_.erase(ends_.begin() + static_cast<ptrdiff_t>(pos));
    for (size_t i = pos; i < ends_.size(); ++i) ends_[i] -= len;
}

void ItemList::Append(const ItemList& other, size_t from, size_t to) {
    if (from >= to) return;
    const uint32_t start = from == 0 ? 0 : other.ends_[from - 1];
    const uint32_t base = Bytes();
    data_.insert(data_.end(), other.data_.begin() + start,
                 other.data_.begin() + other.ends_[to - 1]);
    for (size_t i = from; i < to; ++i) ends_.push_back(base + other.ends_[i] - start);
}

bool IsOverflowItem(std::span<const uint8_t> item) {
    return DecodeU16(item.data() + kKeySize) == kOverflowMarker;
}

uint32_t OverflowPageOf(std::span<const uint8_t> item) {
    return DecodeU32(item.data() + kKeySize + 2);
}

std::span<const uint8_t> InlineValue(std::span<const uint8_t> item) {
    return item.subspan(kMinLeafItem);
}

bool InsertInPlace(uint8_t* p, size_t pos, std::span<const uint8_t> item) {
    const size_t count = DecodeU16(p + kOffCount);
    const uint32_t len = static_cast<uint32_t>(item.size());
    const uint32_t free = DecodeU16(p + kOffFree);
    if (free < len + kOffsetEntry) return false;
    const uint16_t at = DecodeU16(p + OffsetSlot(pos));
    const uint16_t end = DecodeU16(p + OffsetSlot(count));
    std::memmove(p + at + len, p + at, end - at);
    std::memcpy(p + at, item.data(), len);
    // Entries behind the new item move one slot down the table and grow by its length.
    for (size_t i = count + 1; i > pos; --i)
        EncodeU16(p + OffsetSlot(i), static_cast<uint16_t>(DecodeU16(p + OffsetSlot(i - 1)) + len));
    EncodeU16(p + OffsetSlot(pos), at);
    EncodeU16(p + kOffCount, static_cast<uint16_t>(count + 1));
    EncodeU16(p + kOffFree, static_cast<uint16_t>(free - len - kOffsetEntry));
    return true;
}

void RemoveInPlace(uint8_t* p, size_t pos) {
    const size_t count = DecodeU16(p + kOffCount);
    const uint16_t at = DecodeU16(p + OffsetSlot(pos));
    const uint16_t after = DecodeU16(p + OffsetSlot(pos + 1));
    const uint16_t end = DecodeU16(p + OffsetSlot(count));
    const uint16_t len = static_cast<uint16_t>(after - at);
    std::memmove(p + at, p + after, end - after);
    for (size_t i = pos + 1; i <= count; ++i)
        EncodeU16(p + OffsetSlot(i - 1), static_cast<uint16_t>(DecodeU16(p + OffsetSlot(i)) - len));
    // The gap between the items and the table stays zero.
    std::memset(p + end - len, 0, len);
    EncodeU16(p + OffsetSlot(count), 0);
    EncodeU16(p + kOffCount, static_cast<uint16_t>(count - 1));
    EncodeU16(p + kOffFree, static_cast<uint16_t>(DecodeU16(p + kOffFree) + len + kOffsetEntry));
}

LeafItem MakeInlineItem(const Key& key, std::span<const uint8_t> value) {
    LeafItem item;
    item.size = static_cast<uint32_t>(kMinLeafItem + value.size());
    EncodeKey(item.bytes, key);
    EncodeU16(item.bytes + kKeySize, static_cast<uint16_t>(value.size()));
    if (!value.empty()) std::memcpy(item.bytes + kMinLeafItem, value.data(), value.size());
    return item;
}

LeafItem MakeOverflowItem(const Key& key, uint32_t firstPage) {
    LeafItem item;
    item.size = kOverflowItemSize;
    EncodeKey(item.bytes, key);
    EncodeU16(item.bytes + kKeySize, kOverflowMarker);
    EncodeU32(item.bytes + kKeySize + 2, firstPage);
    return item;
}

void CheckPage(const Pager& pager, uint32_t pgno, const uint8_t* p, bool wantLeaf,
               const KeyOrder& order) {
    auto bad = [&](const std::string& what) {
        pager.Corrupt("tree page " + std::to_string(pgno) + ": " + what);
    };
    const uint8_t wantKind = wantLeaf ? kLeafPage : kInternalPage;
    if (p[kOffKind] != wantKind)
        bad("page kind " + std::to_string(p[kOffKind]) + " where a " +
            (wantLeaf ? "leaf" : "internal") + " page belongs");

    const int count = DecodeI16(p + kOffCount);
    const uint32_t start = ItemsStart(wantLeaf);
    if (count < 0 || start + kOffsetEntry * static_cast<uint32_t>(count) > kOffsetTableEnd)
        bad("item count " + std::to_string(count) + " does not fit a page");
    const size_t n = static_cast<size_t>(count);
    auto off = [&](size_t i) -> uint32_t { return DecodeU16(p + OffsetSlot(i)); };

    if (off(0) != start)
        bad("offset table starts at " + std::to_string(off(0)) + ", not " + std::to_string(start));
    for (size_t i = 0; i < n; ++i) {
        if (off(i + 1) <= off(i))
            bad("offset table entry " + std::to_string(i + 1) + " out of order");
    }
    const uint32_t tableStart = OffsetSlot(n);
    if (off(n) > tableStart) bad("items run into the offset table");
    const uint32_t free = DecodeU16(p + kOffFree);
    if (free != tableStart - off(n))
        bad("free bytes " + std::to_string(free) + ", gap between items and offset table is " +
            std::to_string(tableStart - off(n)));

    for (uint32_t link : {DecodeU32(p + kOffPrev), DecodeU32(p + kOffNext)}) {
        if (link != 0 && (link == pgno || !pager.IsPage(link)))
            bad("sibling link " + std::to_string(link) + " is not another page of the file");
    }
    auto checkChild = [&](uint32_t child) {
        if (child == pgno || !pager.IsPage(child))
            bad("child page " + std::to_string(child) + " is not another page of the file");
    };
    const bool natural = order.IsNatural();
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* item = p + off(i);
        const uint32_t len = off(i + 1) - off(i);
        if (wantLeaf) {
            if (len < kMinLeafItem) bad("item " + std::to_string(i) + " is too short");
            const uint16_t n16 = DecodeU16(item + kKeySize);
            const bool ok = n16 == kOverflowMarker
                                ? len == kOverflowItemSize
                                : n16 <= kMaxInlineValue && len == kMinLeafItem + n16;
            if (!ok) bad("item " + std::to_string(i) + " length does not match its value length");
        } else {
            if (len != kInternalItemSize) bad("item " + std::to_string(i) + " is not 12 bytes");
            checkChild(DecodeU32(item + kKeySize));
        }
        const Key before = i > 0 ? DecodeKey(p + off(i - 1)) : Key{};
        if (i > 0 && (natural ? CompareNatural(before, DecodeKey(item))
                              : order.Compare(before, DecodeKey(item))) >= 0)
            bad("keys of items " + std::to_string(i - 1) + " and " + std::to_string(i) +
                " out of order");
    }
    if (!wantLeaf) checkChild(DecodeU32(p + kOffRightmost));
}

Node DecodeNode(uint32_t pgno, const uint8_t* p, bool wantLeaf) {
    const RawPage raw(p);
    const size_t count = raw.Count();
    Node n;
    n.pgno = pgno;
    n.leaf = wantLeaf;
    n.prev = raw.Prev();
    n.next = raw.Next();
    n.freeAtLoad = raw.FreeBytes();
    if (wantLeaf) {
        n.items.Reserve(count, count == 0 ? 0 : raw.Offset(count) - kLeafItemsStart);
        for (size_t i = 0; i < count; ++i) n.items.PushBack(raw.Item(i));
    } else {
        n.kids.reserve(count + 1);
        for (size_t i = 0; i < count; ++i)
            n.kids.push_back(Kid{raw.KeyAt(i), true, raw.ChildAt(i)});
        n.kids.push_back(Kid{Key{}, false, raw.ChildAt(count)});
    }
    return n;
}

void EncodeNode(const Node& n, uint8_t* p) {
    if (!n.Fits()) throw std::logic_error("tree page " + std::to_string(n.pgno) + " overfull");
    std::memset(p, 0, kPageSize);
    p[kOffKind] = n.leaf ? kLeafPage : kInternalPage;
    const size_t count = n.leaf ? n.items.size() : n.kids.size() - 1;
    uint32_t off = ItemsStart(n.leaf);
    for (size_t i = 0; i < count; ++i) {
        EncodeU16(p + OffsetSlot(i), static_cast<uint16_t>(off));
        if (n.leaf) {
            std::memcpy(p + off, n.items[i].data(), n.items[i].size());
            off += static_cast<uint32_t>(n.items[i].size());
        } else {
            if (!n.kids[i].keyKnown) throw std::logic_error("separator key unknown");
            EncodeKey(p + off, n.kids[i].key);
            EncodeU32(p + off + kKeySize, n.kids[i].child);
            off += kInternalItemSize;
        }
    }
    EncodeU16(p + OffsetSlot(count), static_cast<uint16_t>(off));
    EncodeU16(p + kOffCount, static_cast<uint16_t>(count));
    EncodeU16(p + kOffFree, static_cast<uint16_t>(OffsetSlot(count) - off));
    EncodeU32(p + kOffPrev, n.prev);
    EncodeU32(p + kOffNext, n.next);
    if (!n.leaf) EncodeU32(p + kOffRightmost, n.kids.back().child);
}

std::vector<size_t> SplitCuts(const Node& all, uint32_t freeBefore) {
    if (!all.leaf) {
        const size_t n = all.kids.size();
        if (n <= 2 * kMaxKids) return {(n + 1) / 2};
        return {n / 3, 2 * n / 3};
    }
    const std::vector<uint32_t> sizes = LeafSizes(all);
    const size_t n = sizes.size();
    uint32_t total = 0;
    for (uint32_t s : sizes) total += s;

    // Two pages: the left one fills up to the capacity less half the free bytes
    // the pair had, so both end up about equally full.
    const uint32_t half = freeBefore / 2;
    const uint32_t budget = half < kLeafCapacity ? kLeafCapacity - half : 0;
    size_t i = 0;
    uint32_t used = 0;
    while (i < n && used + sizes[i] <= budget) used += sizes[i++];
    if (i > 0 && i < n && total - used <= kLeafCapacity) return {i};

    // Three pages: the first two fill to T (the item reaching T stays), the third takes the rest.
    const uint32_t third = (freeBefore + kLeafCapacity) / 3;
    const uint32_t t = third < kLeafCapacity ? kLeafCapacity - third : 0;
    std::vector<size_t> cuts;
    i = 0;
    for (int page = 0; page < 2; ++page) {
        used = 0;
        while (i < n && used < t) used += sizes[i++];
        cuts.push_back(i);
    }
    uint32_t rest = 0;
    for (size_t j = cuts[1]; j < n; ++j) rest += sizes[j];
    auto groupFits = [&](size_t from, size_t to) {
        uint32_t s = 0;
        for (size_t j = from; j < to; ++j) s += sizes[j];
        return from < to && s <= kLeafCapacity;
    };
    if (groupFits(0, cuts[0]) && groupFits(cuts[0], cuts[1]) && cuts[1] < n &&
        rest <= kLeafCapacity)
        return cuts;
    return EvenCuts(sizes, 3, kLeafCapacity);
}

size_t ShareCut(const Node& all, uint32_t freeOfBoth) {
    if (!all.leaf) return all.kids.size() / 2;
    const std::vector<uint32_t> sizes = LeafSizes(all);
    const size_t n = sizes.size();
    uint32_t total = 0;
    for (uint32_t s : sizes) total += s;
    const uint32_t half = freeOfBoth / 2;
    const uint32_t budget = half < kLeafCapacity ? kLeafCapacity - half : 0;
    size_t i = 0;
    uint32_t used = 0;
    while (i < n && used + sizes[i] <= budget) used += sizes[i++];
    if (i > 0 && i < n && total - used <= kLeafCapacity) return i;
    return EvenCuts(sizes, 2, kLeafCapacity)[0];
}

}  // namespace recaster::store
