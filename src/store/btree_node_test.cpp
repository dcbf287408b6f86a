#include "store/btree_node.h"

#include <gtest/gtest.h>

namespace recaster::store {
namespace {

// A leaf of `n` items of 50 bytes (52 with their offset entries).
Node LeafOf(size_t n) {
    Node all;
    for (size_t i = 0; i < n; ++i) all.items.PushBack(Bytes(50, 0));
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

// Changing a leaf in place gives exactly the bytes of encoding the changed leaf.
TEST(BTreeNodeTest, InPlaceChangesMatchAFreshEncoding) {
    Node node;
    node.pgno = 1536;
    for (uint32_t i = 0; i < 12; ++i)
        node.items.PushBack(MakeInlineItem(Key{7, i * 2}, Bytes(10 + i * 9, uint8_t(i))).view());
    std::vector<uint8_t> page(kPageSize), expect(kPageSize);
    EncodeNode(node, page.data());

    const LeafItem added = MakeInlineItem(Key{7, 5}, Bytes(33, 0xAB));
    for (size_t pos : {0u, 3u, 12u}) {
        std::vector<uint8_t> p = page;
        ASSERT_TRUE(InsertInPlace(p.data(), pos, added.view()));
        Node grown = node;
        grown.items.Insert(pos, added.view());
        EncodeNode(grown, expect.data());
        EXPECT_EQ(p, expect) << "insert at " << pos;
        RemoveInPlace(p.data(), pos);
        EXPECT_EQ(p, page) << "remove at " << pos;
    }
    for (size_t pos : {0u, 5u, 11u}) {
        std::vector<uint8_t> p = page;
        RemoveInPlace(p.data(), pos);
        Node shrunk = node;
        shrunk.items.Erase(pos);
        EncodeNode(shrunk, expect.data());
        EXPECT_EQ(p, expect) << "remove at " << pos;
    }
    // An item that does not fit changes nothing.
    Node full;
    full.pgno = 1536;
    for (int i = 0; i < 7; ++i)
        full.items.PushBack(MakeInlineItem(Key{1, uint32_t(i)}, Bytes(256)).view());
    EncodeNode(full, page.data());
    std::vector<uint8_t> before = page;
    EXPECT_FALSE(InsertInPlace(page.data(), 2, MakeInlineItem(Key{1, 9}, Bytes(256)).view()));
    EXPECT_EQ(page, before);
}

}  // namespace
}  // namespace recaster::store
