// A set of pages of one store file, one bit per page (which committed pages
// the journal holds): a few KiB even for a file of a hundred thousand pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/page_format.h"

namespace recaster::store {

class PageBits {
  public:
    bool Has(uint32_t pgno) const {
        const size_t i = Index(pgno);
        return i / 64 < words_.size() && (words_[i / 64] >> (i % 64)) & 1;
    }
    void Add(uint32_t pgno) {
        const size_t i = Index(pgno);
        if (i / 64 >= words_.size()) words_.resize(i / 64 + 1, 0);
        words_[i / 64] |= uint64_t{1} << (i % 64);
    }
    void Clear() {
        words_.clear();
        words_.shrink_to_fit();
    }

  private:
    static size_t Index(uint32_t pgno) { return (pgno - kFirstPage) / kPageSize; }

    std::vector<uint64_t> words_;
};

}  // namespace recaster::store
