// The B+-tree of records over the pager: search, insert and delete with the
// two- and three-page balancing of the file format, overflow chains for values
// longer than 256 bytes, and ordered scans along the leaf chain. The page
// layouts and the tree invariants are documented at the top of btree.cpp.
//
// Every page number, count, offset and length read from a page is checked; a
// damaged tree raises ArchiveError naming the file, never reads out of bounds
// and never loops (chains and sibling links are bounded by the file's pages).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "store/key.h"
#include "store/pager.h"

namespace recaster::store {

class BTree {
  public:
    BTree(Pager& pager, const KeyOrder& order) : pager_(pager), order_(order) {}

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
    void Scan(const std::function<bool(const Key&, std::span<const uint8_t>)>& visit);

  private:
    Pager& pager_;
    const KeyOrder& order_;
};

}  // namespace recaster::store
