// Overflow page layout (kinds 3 and 4), little-endian:
//
//   | Offset  | Size | Field                                               |
//   |---------|------|-----------------------------------------------------|
//   | 0       | u8   | 3 on the first page of a chain, 4 on the others     |
//   | 1       | u8   | zero                                                |
//   | 2       | u32  | next page of the chain (0 = last page)              |
//   | 6       | u32  | first page only: total length of the value          |
//   | 10 or 6 | ...  | value bytes: up to 2038 on the first page (from 10),|
//   |         |      | up to 2042 on each further page (from 6)            |
//   | ...     | ...  | the rest of the page is zero                        |
//
// A chain holds exactly as many pages as its length needs; the last one has
// next = 0.
#include "store/overflow.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>

#include "base/coding.h"
#include "base/errors.h"

namespace recaster::store {
namespace {

// Damage is an ArchiveError, as for every page the pager reads: the bytes were
// read and are wrong, which callers tell apart from a file they cannot read.
[[noreturn]] void Broken(const Pager& pager, uint32_t pgno, const std::string& what) {
    throw ArchiveError(ArchiveError::Cause::Generic, pager.path(),
                       "The file is damaged: overflow page " + std::to_string(pgno) + ": " + what);
}

// Tells whether a chain comes back to a page it passed. Chains are short: the
// first pages are kept on the stack, and only a long chain needs the heap.
class CycleGuard {
  public:
    // False when `pg` was seen before.
    bool Visit(uint32_t pg) {
        const size_t known = std::min(n_, kShort);
        if (std::find(short_, short_ + known, pg) != short_ + known) return false;
        if (n_ < kShort) {
            short_[n_++] = pg;
            return true;
        }
        ++n_;
        return long_.insert(pg).second;
    }

  private:
    static constexpr size_t kShort = 8;
    uint32_t short_[kShort];
    size_t n_ = 0;
    std::unordered_set<uint32_t> long_;
};

size_t PagesFor(size_t length) {
    if (length <= kOvfFirstCapacity) return 1;
    return 1 + (length - kOvfFirstCapacity + kOvfNextCapacity - 1) / kOvfNextCapacity;
}

// The pages of the chain at `first`, each checked before it is used: a page of
// the file, kind 3 first and 4 after, never seen before in this chain.
std::vector<uint32_t> ChainPages(Pager& pager, uint32_t first) {
    if (first == 0) Broken(pager, 0, "a record points to no overflow page");
    std::vector<uint32_t> pages;
    CycleGuard guard;
    for (uint32_t pg = first; pg != 0;) {
        if (!pager.IsPage(pg)) Broken(pager, pg, "not a page of the file");
        if (!guard.Visit(pg)) Broken(pager, pg, "the chain runs in a cycle");
        PageRef ref = pager.Get(pg);
        const uint8_t want = pages.empty() ? kOverflowFirst : kOverflowNext;
        if (ref.data()[0] != want)
            Broken(pager, pg,
                   "page kind " + std::to_string(ref.data()[0]) + ", expected " +
                       std::to_string(want));
        pages.push_back(pg);
        pg = DecodeU32(ref.data() + kOvfOffNext);
    }
    return pages;
}

// Fills page `index` of a chain of `pages` with its share of `value`.
void FillPage(Pager& pager, const std::vector<uint32_t>& pages, size_t index,
              std::span<const uint8_t> value) {
    PageRef ref = pager.Get(pages[index]);
    uint8_t* p = ref.Mutable();
    std::memset(p, 0, kPageSize);
    const bool first = index == 0;
    p[0] = first ? kOverflowFirst : kOverflowNext;
    EncodeU32(p + kOvfOffNext, index + 1 < pages.size() ? pages[index + 1] : 0);
    size_t from = 0;
    if (!first) from = kOvfFirstCapacity + (index - 1) * kOvfNextCapacity;
    const size_t cap = first ? kOvfFirstCapacity : kOvfNextCapacity;
    const size_t n = std::min(cap, value.size() - from);
    if (first) EncodeU32(p + kOvfOffTotal, static_cast<uint32_t>(value.size()));
    std::memcpy(p + (first ? kOvfFirstData : kOvfNextData), value.data() + from, n);
}

// Writes the chain over `pages` (reused in order), allocating the pages still needed.
std::vector<uint32_t> WriteChain(Pager& pager, std::vector<uint32_t> pages,
                                 std::span<const uint8_t> value) {
    while (pages.size() < PagesFor(value.size())) pages.push_back(pager.Allocate().pgno());
    for (size_t i = 0; i < pages.size(); ++i) FillPage(pager, pages, i, value);
    return pages;
}

}  // namespace

uint32_t WriteOverflow(Pager& pager, std::span<const uint8_t> value) {
    return WriteChain(pager, {}, value).front();
}

void RewriteOverflow(Pager& pager, uint32_t first, std::span<const uint8_t> value) {
    std::vector<uint32_t> old = ChainPages(pager, first);
    const size_t keep = std::min(old.size(), PagesFor(value.size()));
    WriteChain(pager, std::vector<uint32_t>(old.begin(), old.begin() + keep), value);
    for (size_t i = keep; i < old.size(); ++i) pager.Free(old[i]);
}

void ReadOverflow(Pager& pager, uint32_t first, std::vector<uint8_t>& out) {
    if (first == 0 || !pager.IsPage(first)) Broken(pager, first, "not a page of the file");
    const uint64_t filePages = pager.Length() / kPageSize;
    uint8_t p[kPageSize];
    uint64_t total = 0;
    uint32_t pg = first;
    CycleGuard guard;
    out.clear();
    try {
        for (uint64_t step = 0; pg != 0; ++step) {
            if (!pager.IsPage(pg)) Broken(pager, pg, "not a page of the file");
            if (!guard.Visit(pg)) Broken(pager, pg, "the chain runs in a cycle");
            pager.ReadCopy(pg, p);
            const uint8_t want = step == 0 ? kOverflowFirst : kOverflowNext;
            if (p[0] != want)
                Broken(pager, pg,
                       "page kind " + std::to_string(p[0]) + ", expected " + std::to_string(want));
            if (step == 0) {
                total = DecodeU32(p + kOvfOffTotal);
                if (total > filePages * kOvfNextCapacity)
                    Broken(pager, pg,
                           "value length " + std::to_string(total) +
                               " is more than the file can hold");
                out.reserve(total);
            }
            const size_t cap = step == 0 ? kOvfFirstCapacity : kOvfNextCapacity;
            const size_t n = static_cast<size_t>(std::min<uint64_t>(cap, total - out.size()));
            const uint8_t* data = p + (step == 0 ? kOvfFirstData : kOvfNextData);
            out.insert(out.end(), data, data + n);
            if (out.size() == total) break;
            pg = DecodeU32(p + kOvfOffNext);
        }
        if (out.size() != total)
            Broken(pager, first,
                   "the chain ends before the value's " + std::to_string(total) + " bytes");
    } catch (...) {
        out.clear();
        throw;
    }
}

void FreeOverflow(Pager& pager, uint32_t first) {
    for (uint32_t pg : ChainPages(pager, first)) pager.Free(pg);
}

}  // namespace recaster::store
