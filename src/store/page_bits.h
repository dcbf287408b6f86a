// A set of pages of one store file, one bit per page: which committed pages
// the journal holds, which pages wait in the scratch file. A few KiB even for
// a file of a hundred thousand pages.
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
        if (!((words_[i / 64] >> (i % 64)) & 1)) ++count_;
        words_[i / 64] |= uint64_t{1} << (i % 64);
    }
    size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    void Clear() {
        words_.clear();
        words_.shrink_to_fit();
        count_ = 0;
    }
    // Calls f(pgno) for every page in the set, lowest first.
    template <typename F>
    void ForEach(F&& f) const {
        for (size_t w = 0; w < words_.size(); ++w) {
            for (uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
                const size_t i = w * 64 + static_cast<size_t>(__builtin_ctzll(bits));
                f(static_cast<uint32_t>(kFirstPage + i * kPageSize));
            }
        }
    }

  private:
    static size_t Index(uint32_t pgno) { return (pgno - kFirstPage) / kPageSize; }

    std::vector<uint64_t> words_;
    size_t count_ = 0;
};

}  // namespace recaster::store
