#include "store/btree.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/coding.h"
#include "store/btree_test_util.h"
#include "store/check.h"
#include "store/store.h"

namespace recaster::store {
namespace {

constexpr uint32_t kTag = FourCC("CGNL");
constexpr char kPath[] = "/t.cfg";
// Descriptor 0 sits at header offset 13.
constexpr size_t kRoot = 13, kFirstLeafOff = 17, kLastLeafOff = 21, kCount = 25, kCursor = 33,
                 kCursorPos = 37, kHeight = 41;

Bytes Value(size_t n, uint8_t seed) {
    Bytes v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 7);
    return v;
}

class BTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store_ = std::make_unique<Store>(DefaultKeyOrder(), fs_);
        store_->Create(kPath);
        store_->Open(kPath, OpenMode::ReadWrite);
    }
    Store& s() { return *store_; }
    Bytes Committed() {
        s().Commit();
        return fs_.Get(kPath);
    }
    Bytes Read(const Key& k) {
        Bytes v;
        EXPECT_TRUE(s().Read(k, v)) << KeyText(k);
        return v;
    }
    void ExpectSound() {
        const testing::TreeShape shape = testing::WalkTree(s().pager(), DefaultKeyOrder());
        EXPECT_EQ(shape.problem, "");
        const CheckReport report = CheckStore(s().pager(), DefaultKeyOrder());
        for (const std::string& p : report.problems) ADD_FAILURE() << p;
    }
    // Opens `file` after `damage` was done to it.
    void OpenWith(Bytes file, const std::function<void(Bytes&)>& damage) {
        s().Close();
        damage(file);
        fs_.Put(kPath, std::move(file));
        s().Open(kPath, OpenMode::ReadWrite);
    }

    MemFileSystem fs_;
    std::unique_ptr<Store> store_;
};

TEST_F(BTreeTest, FirstRecordsMakePage1536ARootLeaf) {
    const Bytes v = Value(37, 1);
    ASSERT_TRUE(s().Insert({kTag, 5}, v));
    Bytes f = Committed();
    ASSERT_EQ(f.size(), kFirstPage + kPageSize);
    EXPECT_EQ(DecodeU32(&f[kRoot]), kFirstPage);
    EXPECT_EQ(DecodeU32(&f[kFirstLeafOff]), kFirstPage);
    EXPECT_EQ(DecodeU32(&f[kLastLeafOff]), kFirstPage);
    EXPECT_EQ(DecodeU32(&f[kCount]), 1u);
    EXPECT_EQ(f[kHeight], 1);

    const uint8_t* p = &f[kFirstPage];
    EXPECT_EQ(p[0], kLeafPage);
    EXPECT_EQ(DecodeI16(p + 1), 1);
    EXPECT_EQ(DecodeU16(p + 3), 2033 - (8 + 2 + 37 + 2));
    EXPECT_EQ(DecodeU32(p + 5), 0u);
    EXPECT_EQ(DecodeU32(p + 9), 0u);
    EXPECT_EQ(DecodeU16(p + 2046), 13);
    EXPECT_EQ(DecodeU16(p + 2044), 13 + 47);
    const uint8_t key[] = {0x4C, 0x4E, 0x47, 0x43, 5, 0, 0, 0, 37, 0};
    EXPECT_TRUE(std::equal(std::begin(key), std::end(key), p + 13));
    EXPECT_TRUE(std::equal(v.begin(), v.end(), p + 23));

    // A smaller key goes in front; the offset table is rebuilt; a read moves the cursor.
    ASSERT_TRUE(s().Insert({kTag, 2}, Value(3, 9)));
    EXPECT_FALSE(s().Insert({kTag, 2}, Value(4, 9))) << "duplicate refused";
    EXPECT_EQ(Read({kTag, 5}), v);
    f = Committed();
    p = &f[kFirstPage];
    EXPECT_EQ(DecodeI16(p + 1), 2);
    EXPECT_EQ(DecodeU16(p + 3), 2033 - 49 - 15);
    EXPECT_EQ(DecodeU16(p + 2046), 13);
    EXPECT_EQ(DecodeU16(p + 2044), 13 + 13);
    EXPECT_EQ(DecodeU16(p + 2042), 13 + 13 + 47);
    EXPECT_EQ(DecodeU32(p + 17), 2u);
    EXPECT_EQ(DecodeU32(&f[kCursor]), kFirstPage);
    EXPECT_EQ(DecodeU16(&f[kCursorPos]), 1);
    EXPECT_EQ(DecodeU32(&f[kCount]), 2u);

    // Reading a store opened for reading leaves nothing to save.
    s().Close();
    s().Open(kPath, OpenMode::ReadOnly);
    EXPECT_EQ(Read({kTag, 2}), Value(3, 9));
    EXPECT_NO_THROW(s().Commit());
}

TEST_F(BTreeTest, ValuesOver256BytesGoToOverflowChains) {
    const Bytes v256 = Value(256, 1), v257 = Value(257, 2), v2038 = Value(2038, 3),
                v2039 = Value(2039, 4);
    ASSERT_TRUE(s().Insert({kTag, 1}, v256));
    ASSERT_TRUE(s().Insert({kTag, 2}, v257));
    ASSERT_TRUE(s().Insert({kTag, 3}, v2038));
    ASSERT_TRUE(s().Insert({kTag, 4}, v2039));
    const Bytes f = Committed();
    ASSERT_EQ(f.size(), kFirstPage + 5 * kPageSize) << "leaf + 1 + 1 + 2 chain pages";
    const uint8_t* leaf = &f[kFirstPage];
    EXPECT_EQ(DecodeI16(leaf + 1), 4);
    EXPECT_EQ(DecodeU16(leaf + 2044) - DecodeU16(leaf + 2046), 8 + 2 + 256);
    auto chainOf = [&](int i) {
        const uint8_t* item = leaf + DecodeU16(leaf + 2046 - 2 * i);
        EXPECT_EQ(DecodeU16(leaf + 2044 - 2 * i) - DecodeU16(leaf + 2046 - 2 * i), 14);
        EXPECT_EQ(DecodeU16(item + 8), 0xFFFF);
        return DecodeU32(item + 10);
    };
    const uint8_t* c257 = &f[chainOf(1)];
    EXPECT_EQ(c257[0], kOverflowFirst);
    EXPECT_EQ(DecodeU32(c257 + 2), 0u);
    EXPECT_EQ(DecodeU32(c257 + 6), 257u);
    EXPECT_TRUE(std::equal(v257.begin(), v257.end(), c257 + 10));
    EXPECT_TRUE(std::all_of(c257 + 10 + 257, c257 + kPageSize, [](uint8_t b) { return b == 0; }));
    const uint8_t* c2038 = &f[chainOf(2)];
    EXPECT_EQ(DecodeU32(c2038 + 2), 0u) << "2038 bytes fill exactly one page";
    EXPECT_EQ(c2038[kPageSize - 1], v2038.back());
    const uint8_t* c2039 = &f[chainOf(3)];
    const uint32_t second = DecodeU32(c2039 + 2);
    ASSERT_NE(second, 0u);
    EXPECT_EQ(f[second], kOverflowNext);
    EXPECT_EQ(DecodeU32(&f[second + 2]), 0u);
    EXPECT_EQ(f[second + 6], v2039.back());
    EXPECT_EQ(f[second + 7], 0);

    EXPECT_EQ(Read({kTag, 1}), v256);
    EXPECT_EQ(Read({kTag, 2}), v257);
    EXPECT_EQ(Read({kTag, 3}), v2038);
    EXPECT_EQ(Read({kTag, 4}), v2039);
    Bytes untouched = {7};
    EXPECT_FALSE(s().Read({kTag, 9}, untouched));
    EXPECT_EQ(untouched, Bytes{7});
    ExpectSound();
}

TEST_F(BTreeTest, NewIdFollowsTheHighestOrTheLowestGap) {
    const uint32_t other = FourCC("CGNM");
    EXPECT_EQ(s().NewId(kTag), 0u);
    ASSERT_TRUE(s().Insert({kTag - 1, 40}, Value(5, 1)));
    ASSERT_TRUE(s().Insert({other, 0}, Value(5, 1)));
    EXPECT_EQ(s().NewId(kTag), 0u) << "neighbouring tags do not count";
    for (uint32_t id : {0u, 1u, 2u}) ASSERT_TRUE(s().Insert({kTag, id}, Value(5, 1)));
    EXPECT_EQ(s().NewId(kTag), 3u);
    EXPECT_EQ(s().NewId(other), 1u);
    ASSERT_TRUE(s().Delete({kTag, 1}));
    EXPECT_EQ(s().NewId(kTag), 3u);
    ASSERT_TRUE(s().Insert({kTag, 0xFFFFFFFF}, Value(5, 1)));
    EXPECT_EQ(s().NewId(kTag), 1u);
    ASSERT_TRUE(s().Insert({kTag, 1}, Value(5, 1)));
    EXPECT_EQ(s().NewId(kTag), 3u);

    // With many records per tag the highest one is often the last item of the
    // leaf before the one the search ends in.
    const uint32_t big = FourCC("CFLD");
    for (uint32_t id = 0; id < 60; ++id) {
        ASSERT_TRUE(s().Insert({big, id}, Value(180, 2)));
        ASSERT_EQ(s().NewId(big), id + 1);
    }
    ExpectSound();
}

TEST_F(BTreeTest, DeletingTheOnlyRecordFreesItsPageForReuse) {
    ASSERT_TRUE(s().Insert({kTag, 0}, Value(10, 1)));
    s().Commit();
    EXPECT_FALSE(s().Delete({kTag, 1}));
    ASSERT_TRUE(s().Delete({kTag, 0}));
    EXPECT_FALSE(s().Delete({kTag, 0}));
    Bytes f = Committed();
    EXPECT_EQ(DecodeU32(&f[kRoot]), 0u);
    EXPECT_EQ(DecodeU32(&f[kFirstLeafOff]), 0u);
    EXPECT_EQ(DecodeU32(&f[kCount]), 0u);
    EXPECT_EQ(f[kHeight], 0);
    EXPECT_EQ(DecodeU32(&f[3]), 1u) << "free count";
    EXPECT_EQ(DecodeU32(&f[7]), kFirstPage) << "free list head";
    Bytes none;
    EXPECT_FALSE(s().Read({kTag, 0}, none));

    ASSERT_TRUE(s().Insert({kTag, 7}, Value(10, 1)));
    f = Committed();
    EXPECT_EQ(f.size(), kFirstPage + kPageSize);
    EXPECT_EQ(DecodeU32(&f[kRoot]), kFirstPage);
    EXPECT_EQ(DecodeU32(&f[3]), 0u);
    ExpectSound();
}

TEST_F(BTreeTest, UpdateRewritesChainsInPlaceAndMovesBetweenInlineAndChain) {
    const Key k{kTag, 3};
    ASSERT_TRUE(s().Insert({kTag, 1}, Value(20, 1)));
    ASSERT_TRUE(s().Insert(k, Value(300, 2)));
    auto chainPage = [&] {
        Bytes f = Committed();
        const uint8_t* leaf = &f[kFirstPage];
        return DecodeU32(leaf + DecodeU16(leaf + 2044) + 10);
    };
    const uint32_t first = chainPage();
    auto freeCount = [&] { return s().pager().header().freeCount; };

    s().Update(k, Value(5000, 3));  // 3 pages
    EXPECT_EQ(Read(k), Value(5000, 3));
    EXPECT_EQ(chainPage(), first) << "the chain keeps its first page";
    EXPECT_EQ(s().pager().Length(), kFirstPage + 4 * kPageSize);
    ExpectSound();

    s().Update(k, Value(2500, 4));  // 2 pages: one given back
    EXPECT_EQ(Read(k), Value(2500, 4));
    EXPECT_EQ(chainPage(), first);
    EXPECT_EQ(freeCount(), 1u);
    ExpectSound();

    s().Update(k, Value(100, 5));  // inline: the chain is freed
    EXPECT_EQ(Read(k), Value(100, 5));
    EXPECT_EQ(freeCount(), 3u);
    ExpectSound();

    s().Update(k, Value(700, 6));  // back to a chain, on a reused page
    EXPECT_EQ(Read(k), Value(700, 6));
    EXPECT_EQ(freeCount(), 2u);
    EXPECT_EQ(s().pager().Length(), kFirstPage + 4 * kPageSize);
    EXPECT_EQ(s().RecordCount(), 2u);
    ExpectSound();

    try {
        s().Update({kTag, 99}, Value(1, 1));
        FAIL() << "update of a missing record";
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::Generic);
    }
}

TEST_F(BTreeTest, RefusedInsertLeavesNoOverflowPages) {
    ASSERT_TRUE(s().Insert({kTag, 1}, Value(3000, 1)));
    const uint64_t length = s().pager().Length();
    EXPECT_FALSE(s().Insert({kTag, 1}, Value(3000, 2)));
    EXPECT_EQ(s().pager().Length(), length);
    EXPECT_EQ(Read({kTag, 1}), Value(3000, 1));
    ExpectSound();
}

// ---------------------------------------------------------------------------
// Damaged files: every access raises ArchiveError or FileError, never more.

// Fills the store with enough records for a two-level tree with overflow values.
void FillTwoLevels(Store& s) {
    for (uint32_t id = 0; id < 200; ++id)
        ASSERT_TRUE(
            s.Insert({kTag, id}, Value(id % 25 == 0 ? 2500 : 60, static_cast<uint8_t>(id))));
}

template <typename E>
bool Throws(const std::function<void()>& f) {
    try {
        f();
    } catch (const E&) {
        return true;
    }
    return false;
}

TEST_F(BTreeTest, DamagedTreePagesRaiseArchiveError) {
    FillTwoLevels(s());
    const TreeDescriptor t = s().pager().header().tree;
    ASSERT_EQ(t.height, 2);
    const Bytes good = Committed();
    Bytes v;
    auto readAndScan = [&] {
        return Throws<ArchiveError>([&] {
                   s().Read({kTag, 199}, v);
               }) &&
               Throws<ArchiveError>([&] { s().Scan([](const Key&, auto) { return true; }); });
    };
    const uint32_t leaf = t.lastLeaf;
    OpenWith(good, [&](Bytes& f) { f[leaf] = 7; });
    EXPECT_TRUE(readAndScan()) << "bad kind";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 1], 2000); });
    EXPECT_TRUE(readAndScan()) << "count too large";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 1], 0xFFFF); });
    EXPECT_TRUE(readAndScan()) << "negative count";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 2044], 3000); });
    EXPECT_TRUE(readAndScan()) << "offset out of the page";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 2044], 13); });
    EXPECT_TRUE(readAndScan()) << "empty item";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 3], DecodeU16(&f[leaf + 3]) + 1); });
    EXPECT_TRUE(readAndScan()) << "free bytes";
    OpenWith(good, [&](Bytes& f) { EncodeU16(&f[leaf + 13 + 8], 300); });
    EXPECT_TRUE(readAndScan()) << "item length";

    const uint32_t root = t.root;
    auto readAndInsert = [&] {
        return Throws<ArchiveError>([&] {
                   s().Read({kTag, 199}, v);
               }) &&
               Throws<ArchiveError>([&] {
                   s().Insert({kTag, 500}, Value(9, 9));
               });
    };
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[root + 13], 0x7FFFF800); });
    EXPECT_TRUE(readAndInsert()) << "child outside the file";
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[root + 13], root); });
    EXPECT_TRUE(readAndInsert()) << "child is the page itself";
    OpenWith(good, [&](Bytes& f) { f[kHeight] = 3; });
    EXPECT_TRUE(readAndInsert()) << "height larger than the tree";
    OpenWith(good, [&](Bytes& f) { f[kHeight] = 10; });
    EXPECT_TRUE(readAndInsert()) << "height beyond the path stack";
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[kRoot], 0); });
    EXPECT_TRUE(readAndInsert()) << "root 0 with a height";
}

TEST_F(BTreeTest, CyclesInLinksAndChainsEndInAnError) {
    FillTwoLevels(s());
    const TreeDescriptor t = s().pager().header().tree;
    const Bytes good = Committed();
    Bytes v;
    // The leaf chain runs back to its start.
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[t.lastLeaf + 9], t.firstLeaf); });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Scan([](const Key&, auto) { return true; }); }));
    EXPECT_TRUE(Throws<ArchiveError>([&] {
        for (uint32_t id = 0; id < 200; ++id) s().Delete({kTag, id});
    })) << "links that disagree with the tree are refused";

    // Record 25 holds 2500 bytes over two chain pages whose first value byte is 25.
    uint32_t first = 0;
    for (uint32_t pg = kFirstPage; pg < good.size(); pg += kPageSize) {
        if (good[pg] == kOverflowFirst && good[pg + 10] == 25) first = pg;
    }
    ASSERT_NE(first, 0u);
    const uint32_t second = DecodeU32(&good[first + 2]);
    OpenWith(good, [&](Bytes& f) {
        EncodeU32(&f[second + 2], second);
        EncodeU32(&f[first + 6], 9000);
    });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 25}, v); })) << "chain cycle";
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Delete({kTag, 25}); }));
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Update({kTag, 25}, Value(3000, 1)); }));
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[first + 6], 5000); });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 25}, v); })) << "chain ends early";
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[first + 6], 0xFFFFFFF0); });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 25}, v); })) << "huge length";
    OpenWith(good, [&](Bytes& f) { f[second] = kOverflowFirst; });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 25}, v); })) << "wrong kind";
    OpenWith(good, [&](Bytes& f) { EncodeU32(&f[first + 2], 0x7FFFF800); });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 25}, v); })) << "next outside the file";
    OpenWith(good, [](Bytes&) {});
    EXPECT_EQ(Read({kTag, 25}), Value(2500, 25));

    // A chain of 15 pages whose last page leads back to its tenth: pages seen
    // far into a chain count as much as the first few.
    s().Insert({kTag, 5000}, Value(30000, 7));
    s().Commit();
    const Bytes longChain = Committed();
    std::vector<uint32_t> pages;
    for (uint32_t pg = kFirstPage; pg < longChain.size(); pg += kPageSize) {
        if (longChain[pg] == kOverflowFirst && DecodeU32(&longChain[pg + 6]) == 30000)
            pages.push_back(pg);
    }
    ASSERT_EQ(pages.size(), 1u);
    while (uint32_t next = DecodeU32(&longChain[pages.back() + 2])) pages.push_back(next);
    ASSERT_EQ(pages.size(), 15u);
    OpenWith(longChain, [&](Bytes& f) {
        EncodeU32(&f[pages.back() + 2], pages[9]);
        EncodeU32(&f[pages.front() + 6], 90000);
    });
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Read({kTag, 5000}, v); })) << "long chain cycle";
    EXPECT_TRUE(Throws<ArchiveError>([&] { s().Delete({kTag, 5000}); }));
}

TEST_F(BTreeTest, AChangeThatFailsHalfWayIsNeverSaved) {
    FillTwoLevels(s());
    const Bytes good = Committed();

    // A failure before anything changed leaves the store usable.
    EXPECT_THROW(s().Update({kTag, 100000}, Value(10, 1)), FileError);
    EXPECT_TRUE(s().Insert({kTag, 7000}, Value(20, 1)));
    EXPECT_NO_THROW(s().Commit());
    const Bytes committed = fs_.Get(kPath);
    EXPECT_NE(committed, good);

    // A value longer than the cache must write some of its chain before the
    // commit; the disk is full, so the insertion fails after it began.
    fs_.SetFaultHook([](FileOp op, const std::string& path) {
        if (op == FileOp::Write && path == kPath)
            throw FileError(FileError::Cause::DiskFull, path, "no space left");
    });
    EXPECT_THROW(s().Insert({kTag, 9999}, Value(200000, 3)), FileError);
    fs_.SetFaultHook({});
    try {
        s().Commit();
        ADD_FAILURE() << "a half-made change was committed";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("half made"), std::string::npos) << e.what();
    }
    EXPECT_THROW(s().SaveAs("/copy.cfg"), FileError);
    EXPECT_FALSE(fs_.Exists("/copy.cfg"));
    s().Close();
    EXPECT_EQ(fs_.Get(kPath), committed);

    s().Open(kPath, OpenMode::ReadWrite);
    ExpectSound();
    EXPECT_EQ(Read({kTag, 7000}), Value(20, 1));
    EXPECT_TRUE(s().Insert({kTag, 9999}, Value(200000, 3)));
    EXPECT_NO_THROW(s().Commit());
    EXPECT_EQ(Read({kTag, 9999}), Value(200000, 3));
}

}  // namespace
}  // namespace recaster::store
