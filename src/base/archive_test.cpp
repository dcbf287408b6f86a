// Archive encodings: exact bytes, object tables, and hostile or cut-off input.
#include "base/archive.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

#include "base/coding.h"

// Records the largest single allocation so the hostile-length tests can show
// that nothing is sized from an unchecked prefix. (Sanitizer builds keep their
// own allocator; there the tests still check the error.)
#if !defined(__SANITIZE_ADDRESS__)
namespace {
std::atomic<size_t> g_largestAllocation{0};
}
void* operator new(size_t n) {
    size_t seen = g_largestAllocation.load();
    while (n > seen && !g_largestAllocation.compare_exchange_weak(seen, n)) {
    }
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
// The replacement pair is matched, but GCC's optimiser cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop
#define LARGEST_ALLOCATION_TRACKED 1
#endif

namespace recaster {
namespace {

using Bytes = std::vector<uint8_t>;
using Cause = ArchiveError::Cause;

// Two small persistent classes: a text pair, and a holder of one child object.
class Pair : public ArchiveObject {
  public:
    static const RuntimeClass kClass;
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteText(a);
            ar.WriteText(b);
        } else {
            a = ar.ReadText();
            b = ar.ReadText();
        }
    }
    std::string a, b;
};
const RuntimeClass Pair::kClass{"Pair", 0, [] { return std::unique_ptr<ArchiveObject>(new Pair); }};

class Holder : public ArchiveObject {
  public:
    static const RuntimeClass kClass;
    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteObject(child.get());
        } else {
            child = ar.ReadObject();
        }
    }
    std::unique_ptr<ArchiveObject> child;
};
const RuntimeClass Holder::kClass{"Holder", 2,
                                  [] { return std::unique_ptr<ArchiveObject>(new Holder); }};

const bool kRegistered = RegisterRuntimeClass(Pair::kClass) && RegisterRuntimeClass(Holder::kClass);

std::unique_ptr<Pair> MakePair(std::string a, std::string b) {
    auto p = std::make_unique<Pair>();
    p->a = std::move(a);
    p->b = std::move(b);
    return p;
}

Bytes TextBytes(size_t n) {
    Archive ar = Archive::ForStore();
    ar.WriteText(std::string(n, 'x'));
    return ar.bytes();
}

Cause LoadCause(const Bytes& bytes, void (*read)(Archive&)) {
    Archive ar = Archive::ForLoad(bytes, "/cfg/x.cfg", "record CDBS 5");
    try {
        read(ar);
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.path(), "/cfg/x.cfg");
        EXPECT_EQ(e.message().rfind("record CDBS 5: ", 0), 0u) << e.message();
        return e.cause();
    }
    ADD_FAILURE() << "no ArchiveError";
    return Cause::Generic;
}

TEST(Archive, TextPrefixesAtEveryBoundary) {
    EXPECT_EQ(TextBytes(0), Bytes{0x00});
    Bytes b = TextBytes(254);
    EXPECT_EQ(b.size(), 255u);
    EXPECT_EQ(b[0], 0xFE);
    b = TextBytes(255);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 3), (Bytes{0xFF, 0xFF, 0x00}));
    b = TextBytes(65533);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 3), (Bytes{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(b.size(), 65536u);
    b = TextBytes(65534);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 7), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));

    for (size_t n : {0, 254, 255, 65533, 65534, 70000}) {
        const Bytes stored = TextBytes(n);
        Archive ar = Archive::ForLoad(stored);
        EXPECT_EQ(ar.ReadText(), std::string(n, 'x'));
        EXPECT_EQ(ar.Remaining(), 0u);
    }
    // Readers accept the longer forms for short texts too.
    const Bytes forms = {0xFF, 0x02, 0x00, 'h', 'i', 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 'a', 'b', 'c'};
    Archive ar = Archive::ForLoad(forms);
    EXPECT_EQ(ar.ReadText(), "hi");
    EXPECT_EQ(ar.ReadText(), "abc");
}

TEST(Archive, SixteenBitTextsAreConvertedToCp1252) {
    const Bytes wide = {0xFF, 0xFE, 0xFF, 4,    0x61, 0x00, 0xAC, 0x20, 0x16, 0x04,
                        0xE9, 0x00,                                               // 4 units
                        0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 2,    0,    0,    0,  // long form
                        0x3D, 0xD8, 0x00, 0xDE,                                   // U+1F600
                        0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF};                      // marker twice
    Archive ar = Archive::ForLoad(wide);
    EXPECT_EQ(ar.ReadText(), "a\x80?\xE9");
    EXPECT_EQ(ar.ReadText(), "?");  // one surrogate pair, one character
    EXPECT_EQ(LoadCause(Bytes(wide.begin() + 26, wide.end()), [](Archive& a) { a.ReadText(); }),
              Cause::Generic);  // the marker twice
}

TEST(Archive, CountsAndFixedItems) {
    Archive st = Archive::ForStore();
    st.WriteCount(65534);
    st.WriteCount(65535);
    st.WriteI16(-1);
    st.WritePackedFlags(false, true);
    st.WriteBool(true);
    EXPECT_EQ(st.bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 2, 1}));

    Bytes in = st.bytes();
    in.resize(in.size() + 70000);  // room for 65535 one-byte elements
    Archive ar = Archive::ForLoad(in);
    EXPECT_EQ(ar.ReadCount(), 65534u);
    EXPECT_EQ(ar.ReadCount(), 65535u);
    EXPECT_EQ(ar.ReadI16(), -1);
    EXPECT_EQ(ar.ReadPackedFlags(), std::make_pair(false, true));
    EXPECT_TRUE(ar.ReadBool());

    // A count needs its elements' bytes to follow.
    EXPECT_EQ(LoadCause({3, 0, 'a', 'b'}, [](Archive& a) { a.ReadCount(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadCause({2, 0, 1, 2, 3}, [](Archive& a) { a.ReadCount(4); }), Cause::EndOfFile);
    const Bytes two = {2, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    Archive ok = Archive::ForLoad(two);
    EXPECT_EQ(ok.ReadCount(4), 2u);

    // Direction is enforced both ways.
    EXPECT_THROW(st.ReadU8(), ArchiveError);
    EXPECT_THROW(ar.WriteU8(1), ArchiveError);
}

TEST(Archive, ObjectsUseOneClassTablePerArchive) {
    ASSERT_TRUE(kRegistered);
    auto holder = std::make_unique<Holder>();
    holder->child = MakePair("c", "");
    Archive st = Archive::ForStore();
    st.WriteObject(MakePair("x", "y").get());  // class 1, object 2
    st.WriteObject(MakePair("", "z").get());   // object 3
    st.WriteObject(nullptr);
    st.WriteObject(holder.get());  // class 4, object 5, child object 6
    const Bytes expected = {0xFF, 0xFF, 0x00, 0x00, 0x04, 0x00, 'P',  'a', 'i', 'r',
                            1,    'x',  1,    'y',  0x01, 0x80, 0,    1,   'z', 0x00,
                            0x00, 0xFF, 0xFF, 0x02, 0x00, 0x06, 0x00, 'H', 'o', 'l',
                            'd',  'e',  'r',  0x01, 0x80, 1,    'c',  0};
    EXPECT_EQ(st.bytes(), expected);

    Archive ar = Archive::ForLoad(st.bytes());
    auto p1 = ar.ReadObject(&Pair::kClass);
    auto p2 = ar.ReadObject(&Pair::kClass);
    EXPECT_EQ(ar.ReadObject(), nullptr);
    auto h = ar.ReadObject(&Holder::kClass);
    EXPECT_EQ(dynamic_cast<Pair&>(*p1).b, "y");
    EXPECT_EQ(dynamic_cast<Pair&>(*p2).b, "z");
    EXPECT_EQ(dynamic_cast<Pair&>(*dynamic_cast<Holder&>(*h).child).a, "c");
    EXPECT_EQ(ar.Remaining(), 0u);

    // A fresh archive starts a fresh table.
    Archive again = Archive::ForStore();
    again.WriteObject(MakePair("", "").get());
    EXPECT_EQ(again.bytes()[0], 0xFF);
}

TEST(Archive, BigIndexFormIsReadAndWrittenPastTheThreshold) {
    const Bytes in = {0xFF, 0xFF, 0,    0, 4, 0, 'P',  'a', 'i', 'r', 0,
                      0,    0xFF, 0x7F, 1, 0, 0, 0x80, 1,   'q', 0,  // class 1, long form
                      0xFF, 0x7F, 0,    0, 0, 0};                    // object 0: null
    Archive ar = Archive::ForLoad(in);
    ar.ReadObject();
    EXPECT_EQ(dynamic_cast<Pair&>(*ar.ReadObject(&Pair::kClass)).a, "q");
    EXPECT_EQ(ar.ReadObject(), nullptr);

    // Class Pair is 1; its objects take 2..0x7FFE, so Holder gets 0x7FFF.
    Archive st = Archive::ForStore();
    Pair pair;
    for (int i = 0; i < 0x7FFD; ++i) st.WriteObject(&pair);
    Holder holder;
    st.WriteObject(&holder);
    const size_t mark = st.bytes().size();
    st.WriteObject(&holder);
    EXPECT_EQ(Bytes(st.bytes().begin() + mark, st.bytes().end()),
              (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}));
    Archive back = Archive::ForLoad(st.bytes());
    for (int i = 0; i < 0x7FFF; ++i) back.ReadObject();
    EXPECT_EQ(back.Remaining(), 0u);
}

TEST(Archive, BadClassesSchemasAndIndexes) {
    ASSERT_TRUE(kRegistered);
    // Holder registered with schema 2, written with 0.
    EXPECT_EQ(LoadCause({0xFF, 0xFF, 0, 0, 6, 0, 'H', 'o', 'l', 'd', 'e', 'r', 0, 0},
                        [](Archive& a) { a.ReadObject(); }),
              Cause::BadSchema);
    EXPECT_EQ(
        LoadCause({0xFF, 0xFF, 0, 0, 3, 0, 'N', 'o', '\x01'}, [](Archive& a) { a.ReadObject(); }),
        Cause::BadClass);
    EXPECT_EQ(LoadCause({0xFF, 0xFF, 0, 0, 4, 0, 'P', 'a', 'i', 'r', 0, 0},
                        [](Archive& a) { a.ReadObject(&Holder::kClass); }),
              Cause::BadClass);
    // Class index 3 before anything is in the table; index 2 names an object;
    // a back reference to object 2.
    EXPECT_EQ(LoadCause({0x03, 0x80}, [](Archive& a) { a.ReadObject(); }), Cause::BadIndex);
    const Bytes onePair = {0xFF, 0xFF, 0, 0, 4, 0, 'P', 'a', 'i', 'r', 0, 0};
    Bytes b = onePair;
    b.insert(b.end(), {0x02, 0x80});
    EXPECT_EQ(LoadCause(b, [](Archive& a) { a.ReadObject(), a.ReadObject(); }), Cause::BadIndex);
    b = onePair;
    b.insert(b.end(), {0x02, 0x00});
    EXPECT_EQ(LoadCause(b, [](Archive& a) { a.ReadObject(), a.ReadObject(); }), Cause::BadIndex);
    b = onePair;
    b.insert(b.end(), {0xFF, 0x7F, 0x00, 0x01, 0x00, 0x80});
    EXPECT_EQ(LoadCause(b, [](Archive& a) { a.ReadObject(), a.ReadObject(); }), Cause::BadIndex);

    // Holders inside holders without end: refused long before the stack runs out.
    const Bytes holderClass = {0xFF, 0xFF, 2, 0, 6, 0, 'H', 'o', 'l', 'd', 'e', 'r'};
    Bytes deep = holderClass;
    for (int i = 0; i < 10000; ++i) deep.insert(deep.end(), {0x01, 0x80});
    EXPECT_EQ(LoadCause(deep, [](Archive& a) { a.ReadObject(); }), Cause::Generic);
}

TEST(Archive, TruncationAtEveryByteRaisesEndOfFile) {
    auto holder = std::make_unique<Holder>();
    holder->child = MakePair("left", std::string(300, 'r'));
    Archive st = Archive::ForStore();
    st.WriteU8(7);
    st.WriteU16(0x1234);
    st.WriteU32(0xDEADBEEF);
    st.WriteText("name");
    st.WriteCount(2);
    st.WriteText("one");
    st.WriteText("");
    st.WriteObject(holder.get());
    const Bytes full = st.bytes();

    const auto readAll = [](Archive& a) {
        a.ReadU8();
        a.ReadU16();
        a.ReadU32();
        a.ReadText();
        for (uint32_t n = a.ReadCount(); n > 0; --n) a.ReadText();
        a.ReadObject(&Holder::kClass);
    };
    for (size_t len = 0; len < full.size(); ++len) {
        const Bytes cut(full.begin(), full.begin() + len);  // exact-size buffer for ASan
        EXPECT_EQ(LoadCause(cut, readAll), Cause::EndOfFile) << "length " << len;
    }
    Archive whole = Archive::ForLoad(full);
    readAll(whole);
    EXPECT_EQ(whole.Remaining(), 0u);
}

TEST(Archive, RandomDamageRaisesOnlyArchiveErrors) {
    auto holder = std::make_unique<Holder>();
    holder->child = MakePair("child", "text");
    Archive st = Archive::ForStore();
    st.WriteCount(3);
    st.WriteObject(MakePair("a", "b").get());
    st.WriteObject(holder.get());
    st.WriteObject(nullptr);
    const Bytes valid = st.bytes();

    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        Bytes b = valid;
        for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0; --edits) {
            const size_t at = rng() % b.size();
            switch (rng() % 3) {
                case 0:
                    b[at] = static_cast<uint8_t>(rng());
                    break;
                case 1:
                    b[at] = (rng() & 1) ? 0xFF : 0x80;
                    break;
                default:
                    b.resize(at);
                    break;
            }
            if (b.empty()) break;
        }
        Archive ar = Archive::ForLoad(b);
        try {
            for (uint32_t n = ar.ReadCount(); n > 0; --n) ar.ReadObject();
        } catch (const ArchiveError&) {
        }
    }
}

TEST(Archive, HostileLengthsNeverAllocate) {
    const std::vector<Bytes> hostile = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'},              // text of 2 GiB
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},  // 16-bit text of 4 G units
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},                         // count of 4 G
        {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 'P'},                    // class name of 64 KiB
    };
#ifdef LARGEST_ALLOCATION_TRACKED
    g_largestAllocation = 0;
#endif
    EXPECT_EQ(LoadCause(hostile[0], [](Archive& a) { a.ReadText(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadCause(hostile[1], [](Archive& a) { a.ReadText(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadCause(hostile[2], [](Archive& a) { a.ReadCount(); }), Cause::EndOfFile);
    EXPECT_EQ(LoadCause(hostile[3], [](Archive& a) { a.ReadObject(); }), Cause::EndOfFile);
#ifdef LARGEST_ALLOCATION_TRACKED
    EXPECT_LT(g_largestAllocation.load(), 4096u);
#endif
}

}  // namespace
}  // namespace recaster
