#include "store/buffer_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace recaster::store {
namespace {

uint32_t PageAt(uint32_t index) {
    return kFirstPage + index * kPageSize;
}

std::vector<uint32_t> NewestFirst(const BufferSet& set) {
    std::vector<uint32_t> order;
    for (PageBuffer* b = set.Newest(); b; b = b->older) order.push_back(b->pgno);
    return order;
}

// Random adds, removals and moves against a plain list; pages are drawn from a
// small range and from multiples of the table size, so probe runs collide,
// wrap around the table's end and are closed again by removals.
TEST(BufferSet, FindsEveryBufferAndKeepsTheOrderThroughRemovals) {
    std::mt19937 rng(7);
    std::vector<std::unique_ptr<PageBuffer>> pool;
    BufferSet set;
    std::vector<uint32_t> model;  // newest first
    for (int step = 0; step < 20000; ++step) {
        const int op = static_cast<int>(rng() % 3);
        if (op == 0 && model.size() < BufferSet::kCapacity) {
            uint32_t index = rng() % 2 ? rng() % 200 : (rng() % 64) * BufferSet::kSlots;
            uint32_t pgno = PageAt(index);
            if (std::find(model.begin(), model.end(), pgno) != model.end()) continue;
            pool.push_back(std::make_unique<PageBuffer>());
            pool.back()->pgno = pgno;
            set.AddNewest(pool.back().get());
            model.insert(model.begin(), pgno);
        } else if (!model.empty()) {
            const uint32_t pgno = model[rng() % model.size()];
            PageBuffer* b = set.Find(pgno);
            ASSERT_NE(b, nullptr);
            model.erase(std::find(model.begin(), model.end(), pgno));
            if (op == 1) {
                set.Remove(b);
            } else {
                set.MakeNewest(b);
                model.insert(model.begin(), pgno);
            }
        }
        ASSERT_EQ(set.size(), model.size());
        for (uint32_t pgno : model) ASSERT_NE(set.Find(pgno), nullptr) << "step " << step;
        ASSERT_EQ(set.Find(PageAt(100000)), nullptr);
        if (step % 97 == 0) {
            ASSERT_EQ(NewestFirst(set), model);
            if (!model.empty()) {
                ASSERT_EQ(set.Oldest()->pgno, model.back());
            }
        }
    }
    set.Clear();
    EXPECT_EQ(set.size(), 0u);
    EXPECT_EQ(set.Newest(), nullptr);
    EXPECT_EQ(set.Find(model.empty() ? PageAt(0) : model.front()), nullptr);
}

}  // namespace
}  // namespace recaster::store
