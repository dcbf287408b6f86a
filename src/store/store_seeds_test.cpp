// The seed corpus of store_fuzz: small store files of each shape the tree can
// take. The test checks that every seed made here, and every seed committed in
// fuzz/corpus/store_fuzz/, is a sound store. To regenerate the committed files:
//   RECASTER_WRITE_SEEDS=fuzz/corpus/store_fuzz bin/store_tests --gtest_filter='StoreSeeds.*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "base/coding.h"
#include "store/check.h"
#include "store/file_system.h"
#include "store/store.h"

namespace recaster::store {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pattern(size_t len, uint32_t salt) {
    Bytes v(len);
    for (size_t i = 0; i < len; ++i) v[i] = static_cast<uint8_t>(salt * 31 + i);
    return v;
}

std::map<std::string, Bytes> MakeSeeds() {
    MemFileSystem fs;
    std::map<std::string, Bytes> seeds;
    auto make = [&](const std::string& name, const Store::Step& fill) {
        Store s(DefaultKeyOrder(), fs);
        s.Create("/" + name, fill);
        seeds[name] = fs.Get("/" + name);
    };
    make("empty.cfg", {});
    make("few.cfg", [](Store& s) {
        s.Insert({FourCC("CGNL"), 0}, Pattern(37, 1));
        s.Insert({FourCC("CFST"), 0}, Pattern(12, 2));
        s.Insert({FourCC("CDBL"), 0}, Pattern(4, 3));
        s.Insert({FourCC("CDBS"), 0}, Pattern(0, 4));
        s.Insert({FourCC("CDBS"), 1}, Pattern(256, 5));
    });
    make("overflow.cfg", [](Store& s) {
        s.Insert({FourCC("CDBS"), 0}, Pattern(257, 1));
        s.Insert({FourCC("CDBS"), 1}, Pattern(2038, 2));
        s.Insert({FourCC("CDBS"), 2}, Pattern(2039, 3));
        s.Insert({FourCC("CDBS"), 3}, Pattern(5000, 4));
        s.Insert({FourCC("CGNL"), 0}, Pattern(20, 5));
    });
    auto many = [](Store& s) {
        for (uint32_t i = 0; i < 200; ++i) {
            s.Insert({FourCC(i % 2 ? "CFLD" : "CSUB"), i}, Pattern(40 + i % 41, i));
        }
    };
    make("two_levels.cfg", many);
    // The same tree after deletes: merged pages and a free list.
    make("deleted.cfg", [&](Store& s) {
        many(s);
        s.Insert({FourCC("CZZZ"), 0}, Pattern(4500, 9));
        s.Delete({FourCC("CZZZ"), 0});
        for (uint32_t i = 0; i < 200; i += 3) s.Delete({FourCC(i % 2 ? "CFLD" : "CSUB"), i});
    });
    Bytes v2 = seeds["few.cfg"];
    v2[0] = 2;  // version 2 is still read
    seeds["version2.cfg"] = v2;
    return seeds;
}

CheckReport CheckBytes(const Bytes& bytes) {
    MemFileSystem fs;
    fs.Put("/seed.cfg", bytes);
    Store s(DefaultKeyOrder(), fs);
    s.Open("/seed.cfg", OpenMode::ReadOnly);
    return CheckStore(s.pager(), s.order());
}

TEST(StoreSeeds, AreSoundStores) {
    auto seeds = MakeSeeds();
    for (const auto& [name, bytes] : seeds) {
        CheckReport r = CheckBytes(bytes);
        EXPECT_TRUE(r.ok()) << name << ": " << r.problems.front();
    }
    EXPECT_EQ(CheckBytes(seeds["two_levels.cfg"]).height, 2u);
    EXPECT_GT(CheckBytes(seeds["deleted.cfg"]).freePages, 0u);
    EXPECT_EQ(CheckBytes(seeds["overflow.cfg"]).overflowPages, 1u + 1 + 2 + 3);

    if (const char* out = std::getenv("RECASTER_WRITE_SEEDS")) {
        std::filesystem::create_directories(out);
        for (const auto& [name, bytes] : seeds) {
            std::ofstream f(std::filesystem::path(out) / name, std::ios::binary | std::ios::trunc);
            f.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
            ASSERT_TRUE(f.good()) << name;
        }
    }
}

TEST(StoreSeeds, CommittedSeedsAreSound) {
    const char* source = std::getenv("RECASTER_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "RECASTER_SOURCE_DIR not set";
    std::filesystem::path dir = std::filesystem::path(source) / "fuzz/corpus/store_fuzz";
    size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        CheckReport r = CheckBytes(bytes);
        EXPECT_TRUE(r.ok()) << entry.path() << ": " << r.problems.front();
        ++seen;
    }
    EXPECT_GE(seen, 5u);
}

}  // namespace
}  // namespace recaster::store
