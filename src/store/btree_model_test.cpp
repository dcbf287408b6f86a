// The tree against a std::map: random inserts, updates, deletes, reads and id
// requests, with commits, closes without commit, and a second store competing
// for the shared page cache; contents and structure are checked after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "base/coding.h"
#include "store/btree_test_util.h"
#include "store/check.h"
#include "store/store.h"

namespace recaster::store {
namespace {

using Model = std::map<std::pair<uint32_t, uint32_t>, Bytes>;

Model Contents(Store& s) {
    Model m;
    s.Scan([&](const Key& k, std::span<const uint8_t> v) {
        m[{k.tag, k.id}] = Bytes(v.begin(), v.end());
        return true;
    });
    return m;
}

uint32_t ExpectedNewId(const Model& m, uint32_t tag) {
    if (m.count({tag, UINT32_MAX})) {
        uint32_t id = 0;
        while (m.count({tag, id})) ++id;
        return id;
    }
    auto it = m.lower_bound({tag + 1, 0});
    if (it == m.begin() || (--it)->first.first != tag) return 0;
    return it->first.second + 1;
}

std::string Sound(Store& s, bool full) {
    const testing::TreeShape shape = testing::WalkTree(s.pager(), DefaultKeyOrder());
    if (!shape.problem.empty()) return shape.problem;
    if (full) {
        const CheckReport report = CheckStore(s.pager(), DefaultKeyOrder());
        if (!report.ok()) return report.problems.front();
    }
    return "";
}

TEST(BTreeModelTest, RandomOperationsMatchAMap) {
    MemFileSystem fs;
    std::mt19937 rng(20261208);
    auto randomValue = [&] {
        const unsigned r = rng() % 100;
        const size_t n = r < 55   ? rng() % 40
                         : r < 82 ? 200 + rng() % 57  // around the inline limit
                         : r < 95 ? 257 + rng() % 1800
                                  : 2030 + rng() % 4500;
        Bytes v(n);
        for (auto& b : v) b = static_cast<uint8_t>(rng());
        return v;
    };

    // A second open store whose pages compete for the shared cache.
    Store other(DefaultKeyOrder(), fs);
    other.Create("/other.cfg");
    other.Open("/other.cfg", OpenMode::ReadWrite);
    for (uint32_t id = 0; id < 400; ++id) ASSERT_TRUE(other.Insert({7, id}, Bytes(150, 7)));
    other.Commit();

    auto s = std::make_unique<Store>(DefaultKeyOrder(), fs);
    s->Create("/m.cfg");
    s->Open("/m.cfg", OpenMode::ReadWrite);
    Model model, committed;
    const uint32_t tags[] = {FourCC("CDBS"), FourCC("CFLD"), FourCC("CGNL")};
    uint32_t maxHeight = 0;
    size_t reopenings = 0;

    for (int step = 0; step < 2400; ++step) {
        // Phases of growth and shrinking, so that pages split, merge and the root
        // comes and goes.
        const bool growing = (step / 500) % 2 == 0;
        const Key k{tags[rng() % 3], static_cast<uint32_t>(rng() % 250)};
        const std::pair<uint32_t, uint32_t> mk{k.tag, k.id};
        const unsigned op = rng() % 100;
        if (op < (growing ? 45u : 20u)) {
            const Bytes v = randomValue();
            const bool added = s->Insert(k, v);
            ASSERT_EQ(added, model.count(mk) == 0) << step;
            if (added) model[mk] = v;
        } else if (op < 62) {
            const Bytes v = randomValue();
            if (model.count(mk)) {
                s->Update(k, v);
                model[mk] = v;
            } else {
                EXPECT_THROW(s->Update(k, v), FileError);
            }
        } else if (op < 90) {
            ASSERT_EQ(s->Delete(k), model.erase(mk) == 1) << step;
        } else if (op < 94) {
            Bytes v = {1, 2};
            const bool found = s->Read(k, v);
            ASSERT_EQ(found, model.count(mk) == 1);
            EXPECT_EQ(v, found ? model[mk] : Bytes({1, 2}));
        } else if (op < 96) {
            EXPECT_EQ(s->NewId(k.tag), ExpectedNewId(model, k.tag));
        } else if (op < 98) {
            s->Commit();
            committed = model;
        } else if (op < 99) {
            s->Close();
            s->Open("/m.cfg", OpenMode::ReadWrite);
            model = committed;
            ++reopenings;
        } else {
            EXPECT_EQ(Contents(other).size(), 400u);
        }
        maxHeight = std::max<uint32_t>(maxHeight, s->pager().header().tree.height);
        ASSERT_EQ(s->RecordCount(), model.size()) << step;
        ASSERT_EQ(Sound(*s, step % 100 == 0), "") << step;
        ASSERT_TRUE(Contents(*s) == model) << step;
    }
    EXPECT_GE(maxHeight, 2u);
    EXPECT_GT(reopenings, 5u);
    EXPECT_GT(s->pager().PageReads(), 0u) << "pages were evicted and read again";
}

// Enough small records for three levels, inserted and then deleted in random
// order: internal pages split, merge and share, and the root collapses level
// by level until every page is back on the free list.
TEST(BTreeModelTest, ThreeLevelsGrowAndShrinkToNothing) {
    MemFileSystem fs;
    Store s(DefaultKeyOrder(), fs);
    s.Create("/d.cfg");
    s.Open("/d.cfg", OpenMode::ReadWrite);
    std::mt19937 rng(7);
    std::vector<uint32_t> ids(9000);
    for (uint32_t i = 0; i < ids.size(); ++i) ids[i] = i * 3;
    std::shuffle(ids.begin(), ids.end(), rng);
    auto value = [](uint32_t id) { return Bytes(30 + id % 20, static_cast<uint8_t>(id)); };
    for (size_t i = 0; i < ids.size(); ++i) {
        ASSERT_TRUE(s.Insert({1, ids[i]}, value(ids[i])));
        if (i % 1000 == 999) {
            ASSERT_EQ(Sound(s, false), "") << i;
        }
    }
    EXPECT_EQ(s.pager().header().tree.height, 3);
    ASSERT_EQ(Sound(s, true), "");
    s.Commit();
    s.Close();
    s.Open("/d.cfg", OpenMode::ReadWrite);
    EXPECT_EQ(Contents(s).size(), ids.size());
    EXPECT_EQ(s.NewId(1), 3 * 8999 + 1);

    // Churn around the root's separators, where neighbouring leaves hang under
    // different parents: their splits and merges change separators two levels up.
    std::set<uint32_t> live(ids.begin(), ids.end());
    std::vector<uint32_t> bounds;
    {
        PageRef root = s.pager().Get(s.pager().header().tree.root);
        for (int i = 0; i < DecodeI16(root.data() + 1); ++i)
            bounds.push_back(DecodeU32(root.data() + 17 + 12 * i + 4));
    }
    ASSERT_FALSE(bounds.empty());
    for (size_t bi = 0; bi < std::min<size_t>(bounds.size(), 2); ++bi) {
        const uint32_t b = bounds[bi];
        std::vector<uint32_t> window;
        for (uint32_t id = b - std::min<uint32_t>(b, 90); id < b + 90; ++id) window.push_back(id);
        std::shuffle(window.begin(), window.end(), rng);
        for (uint32_t id : window) {
            if (live.erase(id)) {
                ASSERT_TRUE(s.Delete({1, id}));
                ASSERT_EQ(Sound(s, false), "") << id;
            }
        }
        std::shuffle(window.begin(), window.end(), rng);
        for (uint32_t id : window) {
            ASSERT_TRUE(s.Insert({1, id}, value(id)));
            live.insert(id);
            ASSERT_EQ(Sound(s, false), "") << id;
        }
    }
    // Growing values just below the first boundary pushes items into the next
    // leaf (under the other parent) until both are full and three pages are needed.
    std::set<uint32_t> grown;
    for (int step = 0; step < 80; ++step) {
        PageRef root = s.pager().Get(s.pager().header().tree.root);
        uint32_t id = DecodeU32(root.data() + 17 + 4);
        root = PageRef();
        while (id > 0 && (grown.count(id) || !live.count(id))) --id;
        s.Update({1, id}, Bytes(250, 9));
        grown.insert(id);
        ASSERT_EQ(Sound(s, false), "") << id;
    }
    ids.assign(live.begin(), live.end());
    std::shuffle(ids.begin(), ids.end(), rng);
    uint32_t heightSeen = 3;
    for (size_t i = 0; i < ids.size(); ++i) {
        ASSERT_TRUE(s.Delete({1, ids[i]}));
        const uint32_t h = s.pager().header().tree.height;
        EXPECT_LE(h, heightSeen);
        heightSeen = h;
        if (i % 1000 == 999 || ids.size() - i < 300) {
            ASSERT_EQ(Sound(s, false), "") << i;
        }
    }
    const TreeDescriptor& t = s.pager().header().tree;
    EXPECT_EQ(t.root, 0u);
    EXPECT_EQ(t.height, 0);
    EXPECT_EQ(s.pager().header().freeCount, (s.pager().Length() - kFirstPage) / kPageSize);
    EXPECT_EQ(Sound(s, true), "");
}

// Keys in ascending and descending order always land on the edge page, so its
// neighbour is full too and pages split three ways; removing them from either
// end merges with the previous and the next page in turn.
TEST(BTreeModelTest, SequentialKeysFromBothEnds) {
    for (const bool ascending : {true, false}) {
        MemFileSystem fs;
        Store s(DefaultKeyOrder(), fs);
        s.Create("/q.cfg");
        s.Open("/q.cfg", OpenMode::ReadWrite);
        const uint32_t n = 5000;
        auto id = [&](uint32_t i) { return ascending ? i : n - 1 - i; };
        for (uint32_t i = 0; i < n; ++i) {
            ASSERT_TRUE(s.Insert({3, id(i)}, Bytes(60, static_cast<uint8_t>(i))));
            if (i % 40 == 0) {
                ASSERT_EQ(Sound(s, false), "") << i;
            }
        }
        const testing::TreeShape full = testing::WalkTree(s.pager(), DefaultKeyOrder());
        EXPECT_EQ(full.height, 3u);
        // Balancing with the neighbour leaves pages about two-thirds full (three-page
        // splits fill to T); splitting alone would leave them half full.
        EXPECT_LT(full.treePages, n * 72 / 1300 + 10);
        ASSERT_EQ(Sound(s, true), "");
        for (uint32_t i = 0; i < n; ++i) {
            ASSERT_TRUE(s.Delete({3, id(i)}));
            if (i % 40 == 0 || n - i < 100) {
                ASSERT_EQ(Sound(s, false), "") << i;
            }
        }
        EXPECT_EQ(s.pager().header().tree.root, 0u);
    }
}

// Random bytes of tree and chain pages overwritten: every operation either
// works or raises ArchiveError / FileError; nothing crashes, hangs or throws
// anything else.
TEST(BTreeModelTest, RandomDamageOnlyRaisesFileErrors) {
    MemFileSystem fs;
    Bytes good;
    {
        Store s(DefaultKeyOrder(), fs);
        s.Create("/g.cfg");
        s.Open("/g.cfg", OpenMode::ReadWrite);
        for (uint32_t id = 0; id < 300; ++id)
            ASSERT_TRUE(s.Insert({2, id}, Bytes(id % 30 == 0 ? 2600 : 40 + id % 50, 1)));
        s.Commit();
        good = fs.Get("/g.cfg");
    }
    std::mt19937 rng(99);
    int errors = 0;
    for (int round = 0; round < 300; ++round) {
        Bytes f = good;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) {
            const size_t pos = kFirstPage + rng() % (f.size() - kFirstPage);
            // Small values hit the header fields of pages more often than random bytes would.
            f[pos] = rng() % 2 ? static_cast<uint8_t>(rng()) : static_cast<uint8_t>(rng() % 8);
        }
        fs.Put("/g.cfg", f);
        Store s(DefaultKeyOrder(), fs);
        s.Open("/g.cfg", OpenMode::ReadWrite);
        auto attempt = [&](const std::function<void()>& op) {
            try {
                op();
            } catch (const ArchiveError&) {
                ++errors;
            } catch (const FileError&) {
                ++errors;
            }
        };
        Bytes v;
        attempt([&] { s.Scan([](const Key&, auto) { return true; }); });
        for (int i = 0; i < 6; ++i) {
            const uint32_t id = rng() % 320;
            attempt([&] { s.Read({2, id}, v); });
            attempt([&] { s.Insert({2, id + 1000}, Bytes(rng() % 600, 3)); });
            attempt([&] { s.Delete({2, id}); });
            attempt([&] { s.Update({2, id / 2}, Bytes(rng() % 3000, 4)); });
            attempt([&] { s.NewId(2); });
        }
        s.Close();
    }
    EXPECT_GT(errors, 100);
}

}  // namespace
}  // namespace recaster::store
