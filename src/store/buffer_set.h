// The page buffers that one pager holds: a most-recently-used-first list
// threaded through the buffers themselves, and an open-addressing table that
// finds a buffer by page number. Neither allocates, so taking a buffer over
// for another page costs no heap traffic.
#pragma once

#include <cstddef>
#include <cstdint>

#include "store/page_format.h"

namespace recaster::store {

class Pager;

struct PageBuffer {
    Pager* owner = nullptr;
    uint32_t pgno = 0;
    bool dirty = false;
    bool verified = false;
    int pins = 0;
    PageBuffer* newer = nullptr;  // towards the most recently used
    PageBuffer* older = nullptr;  // towards the least recently used
    uint8_t bytes[kPageSize];
};

class BufferSet {
  public:
    // Table size: a power of two; the set holds at most half as many buffers,
    // which keeps the probe sequences short.
    static constexpr size_t kSlots = 128;
    static constexpr size_t kCapacity = kSlots / 2;

    PageBuffer* Find(uint32_t pgno) const;
    // Adds a buffer whose page is not in the set yet, as the most recently used.
    void AddNewest(PageBuffer* buf);
    void MakeNewest(PageBuffer* buf);
    void Remove(PageBuffer* buf);
    void Clear();

    // Walk with buf->older from Newest(), or buf->newer from Oldest().
    PageBuffer* Newest() const { return newest_; }
    PageBuffer* Oldest() const { return oldest_; }
    size_t size() const { return size_; }

  private:
    static size_t Home(uint32_t pgno) {
        // Page numbers step by the page size: hash the page index.
        return static_cast<uint32_t>((pgno >> 11) * 2654435769u) >> (32 - 7);
    }
    static_assert(kSlots == size_t{1} << 7);
    void Unlink(PageBuffer* buf);

    PageBuffer* slots_[kSlots] = {};
    PageBuffer* newest_ = nullptr;
    PageBuffer* oldest_ = nullptr;
    size_t size_ = 0;
};

}  // namespace recaster::store
