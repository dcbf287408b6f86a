#include "store/check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/coding.h"
#include "store/file_system.h"
#include "store/store.h"

namespace recaster::store {
namespace {

using Bytes = std::vector<uint8_t>;

const uint32_t kTags[] = {FourCC("CDBS"), FourCC("CFLD"), FourCC("CGNL")};
const Key kBig{FourCC("CZZZ"), 1};  // a value three overflow pages long
constexpr uint32_t kRecords = 300;

uint32_t U32(const Bytes& b, size_t off) {
    return DecodeU32(&b[off]);
}
uint16_t U16(const Bytes& b, size_t off) {
    return DecodeU16(&b[off]);
}
void PutU32(Bytes& b, size_t off, uint32_t v) {
    EncodeU32(&b[off], v);
}
void PutU16(Bytes& b, size_t off, uint16_t v) {
    EncodeU16(&b[off], v);
}

// Header fields of descriptor 0.
constexpr size_t kRoot = 13, kFirstLeafAt = 17, kRecordCountAt = 25, kHeightAt = 41;

Bytes Value(uint32_t i) {
    size_t len = i % 25 == 0 ? 300 + 11 * i : 20 + i % 60;
    Bytes v(len);
    for (size_t k = 0; k < len; ++k) v[k] = static_cast<uint8_t>(i + k);
    return v;
}

// Offset of item i in the page at pgno.
size_t Item(const Bytes& b, uint32_t pgno, uint32_t i) {
    return pgno + U16(b, pgno + kOffsetTableEnd - 2 * i);
}

testing::AssertionResult HasProblem(const CheckReport& r, uint32_t pgno, const std::string& word) {
    std::string prefix = pgno ? "page " + std::to_string(pgno) + ":" : "header:";
    std::string all;
    for (const std::string& p : r.problems) {
        if (p.rfind(prefix, 0) == 0 && p.find(word) != std::string::npos) {
            return testing::AssertionSuccess();
        }
        all += "\n  " + p;
    }
    return testing::AssertionFailure() << "no \"" << prefix << " ..." << word << "\" among:" << all;
}

class CheckTest : public testing::Test {
  protected:
    void SetUp() override {
        Store s(DefaultKeyOrder(), fs_);
        s.Create("/sound.cfg", [](Store& st) {
            for (uint32_t i = 0; i < kRecords; ++i) {
                Bytes v = Value(i);
                ASSERT_TRUE(st.Insert({kTags[i % 3], i}, v));
            }
            ASSERT_TRUE(st.Insert(kBig, Bytes(5000, 0x5A)));
        });
        sound_ = fs_.Get("/sound.cfg");
    }

    CheckReport Check(const Bytes& bytes) {
        fs_.Put("/x.cfg", bytes);
        Store s(DefaultKeyOrder(), fs_);
        s.Open("/x.cfg", OpenMode::ReadOnly);
        return CheckStore(s.pager(), s.order());
    }

    uint32_t Root() const { return U32(sound_, kRoot); }
    uint32_t FirstLeaf() const { return U32(sound_, kFirstLeafAt); }
    uint32_t PageCount() const {
        return static_cast<uint32_t>((sound_.size() - kFirstPage) / kPageSize);
    }

    // First page of the chain of kBig, found along the leaf chain.
    uint32_t BigChain() const {
        for (uint32_t leaf = FirstLeaf(); leaf != 0; leaf = U32(sound_, leaf + kOffNext)) {
            for (int i = 0; i < DecodeI16(&sound_[leaf + kOffCount]); ++i) {
                size_t item = Item(sound_, leaf, static_cast<uint32_t>(i));
                if (DecodeKey(&sound_[item]) == kBig) return U32(sound_, item + 10);
            }
        }
        return 0;
    }

    MemFileSystem fs_;
    Bytes sound_;
};

TEST_F(CheckTest, SoundStoresHaveNoProblem) {
    CheckReport r = Check(sound_);
    EXPECT_TRUE(r.ok()) << r.problems.front();
    EXPECT_EQ(r.records, kRecords + 1);
    EXPECT_EQ(r.height, 2u);
    EXPECT_EQ(r.internalPages, 1u);
    EXPECT_EQ(r.overflowPages, 3u + 12 + 5);  // kBig; 12 values of 300+ bytes, 5 of them over 2038
    EXPECT_EQ(r.pages, r.leafPages + r.internalPages + r.overflowPages + r.freePages);
    EXPECT_EQ(r.pages, PageCount());

    // A new, empty store and one whose records were all deleted again.
    Store s(DefaultKeyOrder(), fs_);
    s.Create("/empty.cfg");
    CheckReport empty = Check(fs_.Get("/empty.cfg"));
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.pages, 0u);
    EXPECT_EQ(empty.height, 0u);

    s.Open("/sound.cfg", OpenMode::ReadWrite);
    for (uint32_t i = 0; i < kRecords; i += 2) ASSERT_TRUE(s.Delete({kTags[i % 3], i}));
    s.Commit();
    s.Close();
    CheckReport halved = Check(fs_.Get("/sound.cfg"));
    EXPECT_TRUE(halved.ok()) << halved.problems.front();
    EXPECT_EQ(halved.records, kRecords / 2 + 1);
    EXPECT_GT(halved.freePages, 0u);
}

TEST_F(CheckTest, TreeDamageNamesThePage) {
    const uint32_t root = Root();
    const uint32_t leaf = FirstLeaf();
    ASSERT_EQ(sound_[root], kInternalPage);
    {  // separator 0 of the root lowered below its child's highest key
        Bytes b = sound_;
        size_t sep = Item(b, root, 0);
        PutU32(b, sep + 4, U32(b, sep + 4) - 1);
        EXPECT_TRUE(HasProblem(Check(b), root, "separator 0"));
    }
    {  // first leaf no longer links to its right neighbour
        Bytes b = sound_;
        PutU32(b, leaf + kOffNext, 0);
        EXPECT_TRUE(HasProblem(Check(b), leaf, "next link 0"));
    }
    {  // second leaf's back link points at itself
        Bytes b = sound_;
        uint32_t second = U32(b, leaf + kOffNext);
        PutU32(b, second + kOffPrev, second);
        EXPECT_TRUE(HasProblem(Check(b), second, "previous link"));
    }
    {
        Bytes b = sound_;
        PutU32(b, kRecordCountAt, kRecords);
        EXPECT_TRUE(HasProblem(Check(b), 0, "record count"));
        b = sound_;
        b[kHeightAt] = 3;
        EXPECT_TRUE(HasProblem(Check(b), 0, "height 3"));
    }
    {  // offset table entries 1 and 2 swapped
        Bytes b = sound_;
        uint16_t e1 = U16(b, leaf + kOffsetTableEnd - 2), e2 = U16(b, leaf + kOffsetTableEnd - 4);
        PutU16(b, leaf + kOffsetTableEnd - 2, e2);
        PutU16(b, leaf + kOffsetTableEnd - 4, e1);
        EXPECT_TRUE(HasProblem(Check(b), leaf, "offset table entry 2"));
    }
    {
        Bytes b = sound_;
        PutU16(b, leaf + kOffFree, static_cast<uint16_t>(U16(b, leaf + kOffFree) + 2));
        EXPECT_TRUE(HasProblem(Check(b), leaf, "free bytes"));
    }
    {  // two keys of a leaf swapped
        Bytes b = sound_;
        size_t a = Item(b, leaf, 0), c = Item(b, leaf, 1);
        for (int k = 0; k < 8; ++k) std::swap(b[a + k], b[c + k]);
        EXPECT_TRUE(HasProblem(Check(b), leaf, "is not above"));
    }
}

TEST_F(CheckTest, PageAccountingDamageNamesThePage) {
    const uint32_t leaf = FirstLeaf();
    const uint32_t end = static_cast<uint32_t>(sound_.size());
    {  // a leaf of the tree put on the free list as well
        Bytes b = sound_;
        PutU32(b, 3, 1);
        PutU32(b, 7, leaf);
        EXPECT_TRUE(HasProblem(Check(b), leaf, "on the free list but already used as leaf"));
    }
    {  // a page at the end that nothing refers to
        Bytes b = sound_;
        b.resize(b.size() + kPageSize);
        CheckReport r = Check(b);
        EXPECT_TRUE(HasProblem(r, end, "neither used nor free"));
        EXPECT_EQ(r.problems.size(), 1u);
    }
    {  // two free pages linking to each other
        Bytes b = sound_;
        b.resize(b.size() + 2 * kPageSize);
        PutU32(b, end, end + kPageSize);
        PutU32(b, end + kPageSize, end);
        PutU32(b, 3, 2);
        PutU32(b, 7, end);
        EXPECT_TRUE(HasProblem(Check(b), end, "free list (cycle)"));
    }
    {  // the second page of a chain links back to itself
        uint32_t first = BigChain();
        ASSERT_NE(first, 0u);
        Bytes b = sound_;
        uint32_t second = U32(b, first + kOvfOffNext);
        ASSERT_EQ(b[second], kOverflowNext);
        uint32_t third = U32(b, second + kOvfOffNext);
        PutU32(b, second + kOvfOffNext, second);
        CheckReport r = Check(b);
        EXPECT_TRUE(HasProblem(r, second, "comes round again in the overflow chain of CZZZ/1"));
        EXPECT_TRUE(HasProblem(r, third, "neither used nor free"));
        // and a chain cut short
        b = sound_;
        PutU32(b, second + kOvfOffNext, 0);
        EXPECT_TRUE(HasProblem(Check(b), second, "bytes missing"));
    }
    {  // a child pointer outside the file
        Bytes b = sound_;
        PutU32(b, Item(b, Root(), 1) + 8, end + 7 * kPageSize);
        EXPECT_TRUE(HasProblem(Check(b), Root(), "not a page of the file"));
    }
}

// Every bit flip in the page header of any tree page is noticed, and never
// makes the checker throw or crash.
TEST_F(CheckTest, EveryHeaderBitOfTreePagesMatters) {
    for (uint32_t pg = kFirstPage; pg < sound_.size(); pg += kPageSize) {
        uint8_t kind = sound_[pg];
        if (kind != kLeafPage && kind != kInternalPage) continue;
        uint32_t headerBytes = kind == kLeafPage ? kLeafItemsStart : kInternalItemsStart;
        for (uint32_t off = 0; off < headerBytes; ++off) {
            for (uint8_t bit : {0x01, 0x80}) {
                Bytes b = sound_;
                b[pg + off] ^= bit;
                CheckReport r;
                ASSERT_NO_THROW(r = Check(b));
                EXPECT_FALSE(r.ok()) << "page " << pg << " byte " << off << " bit " << int(bit);
            }
        }
    }
}

}  // namespace
}  // namespace recaster::store
