// The B+-tree of records over the pager: search, insert and delete with the
// two- and three-page balancing of the file format, overflow chains for values
// longer than 256 bytes, and ordered scans along the leaf chain. The page
// layouts and the tree invariants are documented at the top of btree.cpp.
//
// Every page number, count, offset and length read from a page is checked; a
// damaged tree raises ArchiveError naming the file, never reads out of bounds
// and never loops (chains and sibling links are bounded by the file's pages).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "store/btree_node.h"
#include "store/key.h"
#include "store/pager.h"

namespace recaster::store {

class BTree {
  public:
    BTree(Pager& pager, const KeyOrder& order)
        : pager_(pager), order_(order), natural_(order.IsNatural()) {}

    // The identifier a new record of `tag` gets: when (tag, 0xFFFFFFFF) exists the
    // lowest free identifier from 0 up, else the highest identifier + 1, else 0.
    uint32_t NewId(uint32_t tag);
    // Adds a record; false (nothing changed) when the key is already present.
    bool Insert(const Key& key, std::span<const uint8_t> value);
    // Replaces `into` with the value; false and `into` untouched when absent.
    bool Read(const Key& key, std::vector<uint8_t>& into);
    // Replaces the value of an existing record; FileError (generic) when absent.
    void Update(const Key& key, std::span<const uint8_t> value);
    // Removes the record and its overflow chain; false when absent.
    bool Delete(const Key& key);
    // Every record in key order along the leaf chain; stops when visit returns false.
    // `visit` must not change the store.
    void Scan(const std::function<bool(const Key&, std::span<const uint8_t>)>& visit);

  private:
    // An internal page on the way down and the child taken there (the number of
    // items stands for the rightmost child).
    struct Step {
        uint32_t pgno = 0;
        size_t pos = 0;
    };
    // The internal pages above a page, root first; the last step leads to the
    // page. Held inline: a descent never takes more than kMaxHeight steps (the
    // height is checked first), and every operation makes at least one path.
    class Path {
      public:
        Path() = default;
        Path(const Step* first, const Step* last) {
            for (; first != last; ++first) push_back(*first);
        }
        void push_back(const Step& s) {
            if (n_ == steps_.size()) throw std::length_error("tree path longer than its limit");
            steps_[n_++] = s;
        }
        size_t size() const { return n_; }
        bool empty() const { return n_ == 0; }
        Step& operator[](size_t i) { return steps_[i]; }
        const Step& operator[](size_t i) const { return steps_[i]; }
        const Step& back() const { return steps_[n_ - 1]; }
        const Step* begin() const { return steps_.data(); }
        const Step* end() const { return steps_.data() + n_; }

      private:
        std::array<Step, kMaxHeight> steps_{};
        size_t n_ = 0;
    };
    struct Found {
        Path path;
        uint32_t leafPgno = 0;
        std::optional<Node> leaf;  // decoded only when a change needs it (LeafOf)
        size_t pos = 0;            // of the key, or where it would go
        bool found = false;
    };
    using LeafVisit = std::function<bool(const Node& leaf, size_t index)>;

    // btree.cpp: pages, search, walks.
    bool Empty() const;
    // With `leafCopy` (kPageSize bytes), a leaf that is not in the cache is
    // read into it instead: a lookup that only reads must not push the upper
    // levels, which every lookup needs, out of the cache for a leaf it visits once.
    Found Search(const Key& key, uint8_t* leafCopy = nullptr);
    Node& LeafOf(Found& f);
    uint32_t ChainOf(const Found& f);  // the found item's overflow chain, or 0
    // The page checked once (the first visit after it was read or changed), then
    // read in place.
    RawPage Verify(PageRef& ref, bool leaf);
    // A checked leaf: from the cache (pinned in `ref`) when it is there, else
    // read into `copy` past the cache when `copy` is given.
    RawPage ReadLeaf(uint32_t pgno, PageRef& ref, uint8_t* copy);
    size_t Bisect(const RawPage& page, size_t count, const Key& key, bool* found) const;
    Node Load(uint32_t pgno, bool leaf);
    void Store(const Node& node);
    LeafItem MakeItem(const Key& key, std::span<const uint8_t> value);
    // Puts a new item where the search `f` (not found) says it belongs.
    void InsertAt(Found& f, const Key& key, const LeafItem& item);
    // Replaces the found item in its leaf when the leaf then neither overflows
    // nor (unless it is the root) falls below its fill limit; false, and
    // nothing changed, otherwise.
    bool ReplaceInPlace(const Found& f, const LeafItem& item);
    void WalkFrom(Node leaf, size_t pos, const LeafVisit& visit);
    bool RecordBefore(Found& at, Key& out);
    void RemoveRecord(Found& f);
    void ResetTree();

    // btree_balance.cpp: keeping levels, links and separators right.
    bool Neighbour(const Path& path, bool next, Path& out, uint32_t& target);
    bool SeparatorOf(const Path& path, Key& out);
    void SetSeparator(const Path& path, const Key& key);
    void FillHighKey(const Path& path, Node& node);
    void Place(const Path& path, Node& node);
    void Split(const Path& pathA, Node& a, Node* b);
    void AddAfter(const Path& pathA, const Kid& a, const std::vector<Kid>& added);
    void NewRoot(const Kid& a, const std::vector<Kid>& added);
    void Rebalance(const Path& path, Node& node);
    void Join(const Path& pathA, Node& a, const Path& pathB, Node& b);
    void RemoveEntry(const Path& path);
    void Settle(const Path& path, Node& node);
    void Unlink(const Node& node);
    [[noreturn]] void LinkMismatch(const Node& node, const char* which) const;

    int Compare(const Key& a, const Key& b) const {
        return natural_ ? CompareNatural(a, b) : order_.Compare(a, b);
    }

    Pager& pager_;
    const KeyOrder& order_;
    const bool natural_;
};

}  // namespace recaster::store
