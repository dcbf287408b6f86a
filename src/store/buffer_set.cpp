#include "store/buffer_set.h"

#include <cassert>

namespace recaster::store {

PageBuffer* BufferSet::Find(uint32_t pgno) const {
    for (size_t i = Home(pgno);; i = (i + 1) % kSlots) {
        PageBuffer* b = slots_[i];
        if (!b || b->pgno == pgno) return b;
    }
}

void BufferSet::AddNewest(PageBuffer* buf) {
    assert(size_ < kCapacity && !Find(buf->pgno));
    size_t i = Home(buf->pgno);
    while (slots_[i]) i = (i + 1) % kSlots;
    slots_[i] = buf;
    buf->older = newest_;
    buf->newer = nullptr;
    if (newest_) newest_->newer = buf;
    newest_ = buf;
    if (!oldest_) oldest_ = buf;
    ++size_;
}

void BufferSet::Unlink(PageBuffer* buf) {
    (buf->newer ? buf->newer->older : newest_) = buf->older;
    (buf->older ? buf->older->newer : oldest_) = buf->newer;
    buf->newer = buf->older = nullptr;
}

void BufferSet::MakeNewest(PageBuffer* buf) {
    if (buf == newest_) return;
    Unlink(buf);
    buf->older = newest_;
    newest_->newer = buf;
    newest_ = buf;
}

void BufferSet::Remove(PageBuffer* buf) {
    size_t hole = Home(buf->pgno);
    while (slots_[hole] != buf) hole = (hole + 1) % kSlots;
    slots_[hole] = nullptr;
    // Linear probing without tombstones: pull later entries of the run back
    // into the hole when the hole lies between their home and their slot.
    for (size_t j = (hole + 1) % kSlots; slots_[j]; j = (j + 1) % kSlots) {
        const size_t home = Home(slots_[j]->pgno);
        const bool homeAfterHole =
            (j > hole) ? (home > hole && home <= j) : (home > hole || home <= j);
        if (homeAfterHole) continue;
        slots_[hole] = slots_[j];
        slots_[j] = nullptr;
        hole = j;
    }
    Unlink(buf);
    --size_;
}

void BufferSet::Clear() {
    for (PageBuffer*& s : slots_) s = nullptr;
    newest_ = oldest_ = nullptr;
    size_ = 0;
}

}  // namespace recaster::store
