#include "store/btree_node.h"

#include <gtest/gtest.h>

namespace recaster::store {
namespace {

// A leaf of `n` items of 50 bytes (52 with their offset entries).
Node LeafOf(size_t n) {
    Node all;
    for (size_t i = 0; i < n; ++i) all.items.push_back(Bytes(50, 0));
    return all;
}

TEST(BTreeNodeTest, LeafSplitsFollowTheTwoAndThreePageRules) {
    // A full page (39 items, 5 free) and a neighbour with 993 free take one more
    // item: the left page may use 2033 - 998/2 = 1534 bytes, 29 items.
    EXPECT_EQ(SplitCuts(LeafOf(39 + 20 + 1), 5 + 993), std::vector<size_t>{29});
    // Two full pages and one more item: the rest (40 items) does not fit a page, so
    // three pages fill to T = 2033 - (10 + 2033) / 3 = 1352 bytes, exactly 26 items.
    EXPECT_EQ(SplitCuts(LeafOf(79), 10), (std::vector<size_t>{26, 52}));
    // A page alone gets a new right neighbour counted as empty: left budget 2033 - 1019.
    EXPECT_EQ(SplitCuts(LeafOf(40), 5 + 2033), std::vector<size_t>{19});
    // Sharing after a removal splits the used bytes evenly.
    EXPECT_EQ(ShareCut(LeafOf(50), 2 * 2033 - 50 * 52), 25u);
}

TEST(BTreeNodeTest, InternalSplitsKeepEveryPageWithinCapacity) {
    for (size_t kids : {146u, 290u, 291u, 435u}) {
        Node all;
        all.leaf = false;
        all.kids.assign(kids, Kid{Key{}, true, 1536});
        std::vector<size_t> cuts = SplitCuts(all, 0);
        cuts.push_back(kids);
        size_t from = 0;
        for (size_t cut : cuts) {
            EXPECT_GT(cut, from);
            EXPECT_LE((cut - from - 1) * 14, kInternalCapacity) << kids;
            from = cut;
        }
        EXPECT_EQ(cuts.size(), kids <= 290 ? 2u : 3u);
    }
}

}  // namespace
}  // namespace recaster::store
