// One tree page (leaf or internal) in memory: decoding with every check that
// makes a page read from the file safe to use, encoding back into page bytes,
// and the rules that spread a page's items over two or three pages. The byte
// layout of tree pages is documented at the top of btree.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/coding.h"
#include "store/key.h"
#include "store/page_format.h"
#include "store/pager.h"

namespace recaster::store {

using Bytes = std::vector<uint8_t>;

inline constexpr uint32_t kMaxLeafItem = kKeySize + 2 + kMaxInlineValue;

// One leaf item built for insertion, held on the stack.
struct LeafItem {
    uint8_t bytes[kMaxLeafItem];
    uint32_t size = 0;
    std::span<const uint8_t> view() const { return {bytes, size}; }
};

// The items of a leaf in memory, packed into one buffer as on the page, so
// that decoding and re-spreading pages costs two allocations, not one per item.
class ItemList {
  public:
    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::span<const uint8_t> operator[](size_t i) const {
        const uint32_t from = i == 0 ? 0 : ends_[i - 1];
        return {data_.data() + from, ends_[i] - from};
    }
    std::span<const uint8_t> front() const { return (*this)[0]; }
    std::span<const uint8_t> back() const { return (*this)[size() - 1]; }
    // Bytes of all items together (offset entries not counted).
    uint32_t Bytes() const { return static_cast<uint32_t>(data_.size()); }

    void Reserve(size_t items, size_t bytes) {
        ends_.reserve(items);
        data_.reserve(bytes);
    }
    void PushBack(std::span<const uint8_t> item) { Insert(size(), item); }
    void Insert(size_t pos, std::span<const uint8_t> item);
    void Erase(size_t pos);
    void Clear() {
        data_.clear();
        ends_.clear();
    }
    // Appends items [from, to) of `other`.
    void Append(const ItemList& other, size_t from, size_t to);

  private:
    std::vector<uint8_t> data_;
    std::vector<uint32_t> ends_;  // end of item i in data_
};

// A child of an internal page. Every child but the last comes from an item and
// carries that item's key (the child's highest key); the last one is the
// rightmost child, whose highest key lives further up the tree (or nowhere,
// on the right edge), so its key is known only when a caller fills it in.
struct Kid {
    Key key;
    bool keyKnown = false;
    uint32_t child = 0;
};

struct Node {
    uint32_t pgno = 0;
    bool leaf = true;
    uint32_t prev = 0;
    uint32_t next = 0;
    uint32_t freeAtLoad = 0;  // free bytes as read; the capacity for a new page
    ItemList items;           // leaf: whole items in key order
    std::vector<Kid> kids;    // internal: one per item, then the rightmost child

    // Items of a leaf, children of an internal page.
    size_t Units() const { return leaf ? items.size() : kids.size(); }
    uint32_t Capacity() const { return leaf ? kLeafCapacity : kInternalCapacity; }
    // Bytes of items and offset entries the page needs.
    uint32_t Used() const;
    bool Fits() const { return Units() > 0 && Used() <= Capacity(); }
    uint32_t Free() const { return Capacity() - Used(); }  // REQUIRES: Fits()
    // Rebalanced with a neighbour when not the root.
    bool Underflows() const {
        return Used() + (leaf ? kLeafUnderflow : kInternalUnderflow) < Capacity();
    }
    Key KeyAt(size_t i) const;  // leaf item or internal item i
    // Highest key of the subtree; false when unknown (rightmost child unknown).
    bool HighKey(Key& out) const;
};

// Leaf items: key, u16 length and the value, or key, 0xFFFF and a chain page.
inline Key ItemKey(std::span<const uint8_t> item) {
    return DecodeKey(item.data());
}
LeafItem MakeInlineItem(const Key& key, std::span<const uint8_t> value);  // REQUIRES size <= 256
LeafItem MakeOverflowItem(const Key& key, uint32_t firstPage);

// Checks a tree page without copying it; any violation of the page format
// raises ArchiveError through pager.Corrupt naming the page.
void CheckPage(const Pager& pager, uint32_t pgno, const uint8_t* page, bool wantLeaf,
               const KeyOrder& order);
// Decodes a tree page into a Node.
// REQUIRES: the bytes passed CheckPage for this kind (the tree checks each page
// once after it is read or changed, not at every decoding).
Node DecodeNode(uint32_t pgno, const uint8_t* page, bool leaf);
// Writes the whole page: header, packed items, offset table, zero gap.
// REQUIRES: node.Fits() and, for internal pages, every kid but the last known.
void EncodeNode(const Node& node, uint8_t* page);

// A tree page read in place, without copies.
// REQUIRES: the bytes passed CheckPage for their kind.
class RawPage {
  public:
    explicit RawPage(const uint8_t* page) : p_(page) {}
    size_t Count() const { return DecodeU16(p_ + kOffCount); }
    uint16_t FreeBytes() const { return DecodeU16(p_ + kOffFree); }
    uint32_t Prev() const { return DecodeU32(p_ + kOffPrev); }
    uint32_t Next() const { return DecodeU32(p_ + kOffNext); }
    uint16_t Offset(size_t i) const { return DecodeU16(p_ + kOffsetTableEnd - 2 * i); }
    Key KeyAt(size_t i) const { return DecodeKey(p_ + Offset(i)); }
    // Internal pages: the child of item i, or the rightmost child for i = Count().
    uint32_t ChildAt(size_t i) const {
        return i < Count() ? DecodeU32(p_ + Offset(i) + kKeySize) : DecodeU32(p_ + kOffRightmost);
    }
    // Leaf pages: item i as stored.
    std::span<const uint8_t> Item(size_t i) const {
        return std::span<const uint8_t>(p_ + Offset(i), Offset(i + 1) - Offset(i));
    }

  private:
    const uint8_t* p_;
};

// Leaf item views over stored bytes.
bool IsOverflowItem(std::span<const uint8_t> item);
uint32_t OverflowPageOf(std::span<const uint8_t> item);
std::span<const uint8_t> InlineValue(std::span<const uint8_t> item);

// Inserts `item` as item `pos` of a leaf page in place. False, and nothing
// changed, when it does not fit. REQUIRES: a verified leaf page.
bool InsertInPlace(uint8_t* page, size_t pos, std::span<const uint8_t> item);
// Removes item `pos` of a verified leaf page in place.
void RemoveInPlace(uint8_t* page, size_t pos);

// Where to cut `all` (units in key order) when it does not fit one page: one cut
// (two pages) or two cuts (three pages). Leaves follow the fixed rule of the
// file format (`freeBefore` = free bytes of the two pages before the change);
// internal pages are cut evenly.
std::vector<size_t> SplitCuts(const Node& all, uint32_t freeBefore);
// Where to cut `all` so that two pages share it (it does not fit in one).
size_t ShareCut(const Node& all, uint32_t freeOfBoth);

}  // namespace recaster::store
