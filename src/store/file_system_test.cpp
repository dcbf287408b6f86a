#include "store/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <numeric>
#include <set>
#include <vector>

#include "store/temp_dir_test_util.h"

namespace recaster::store {
namespace {

// More parts than one vectored call takes, of uneven sizes and some empty, so
// the writer has to carry on across calls and step over empty parts.
std::vector<std::vector<uint8_t>> UnevenParts() {
    std::vector<std::vector<uint8_t>> parts(1100);
    for (size_t i = 0; i < parts.size(); ++i)
        parts[i].assign(i % 7 == 0 ? 0 : i % 13 + 1, uint8_t(i));
    return parts;
}

std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& parts) {
    std::vector<uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

void WriteParts(File& f, uint64_t off, const std::vector<std::vector<uint8_t>>& parts) {
    std::vector<std::span<const uint8_t>> spans(parts.begin(), parts.end());
    f.WriteGatherAt(off, spans);
}

class PosixFiles : public testing::TempDirTest {
  protected:
    size_t Entries() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                 std::filesystem::directory_iterator()));
    }
};

TEST_F(PosixFiles, GatheredWritesLandInOrderAcrossManyParts) {
    FileSystem& fs = PosixFileSystem();
    auto f = fs.Open(dir_ + "/a", OpenFlags{.write = true, .create = true});
    const auto parts = UnevenParts();
    const std::vector<uint8_t> want = Joined(parts);
    WriteParts(*f, 100, parts);
    std::vector<uint8_t> got(want.size() + 100);
    ASSERT_EQ(f->ReadAt(0, got), got.size());
    EXPECT_TRUE(std::all_of(got.begin(), got.begin() + 100, [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(want.begin(), want.end(), got.begin() + 100));
}

TEST_F(PosixFiles, ScratchSpaceHasNoNameAndHoldsWhatWasWritten) {
    FileSystem& fs = PosixFileSystem();
    const std::string near = dir_ + "/doc.cfg";
    {
        auto scratch = fs.OpenScratch(near);
        EXPECT_EQ(Entries(), 0u) << "scratch space shows up in the folder";
        std::vector<uint8_t> page(2048);
        std::iota(page.begin(), page.end(), uint8_t{0});
        scratch->WriteAt(4096, page);
        std::vector<uint8_t> back(2048);
        ASSERT_EQ(scratch->ReadAt(4096, back), back.size());
        EXPECT_EQ(back, page);
    }
    EXPECT_EQ(Entries(), 0u);
    EXPECT_THROW(fs.OpenScratch(dir_ + "/missing/doc.cfg"), FileError);
}

TEST(MemFiles, GatheredWritesAndScratchSpace) {
    MemFileSystem fs;
    auto f = fs.Open("/a", OpenFlags{.write = true, .create = true});
    const auto parts = UnevenParts();
    WriteParts(*f, 0, parts);
    EXPECT_EQ(fs.Get("/a"), Joined(parts));

    auto scratch = fs.OpenScratch("/a");
    scratch->WriteAt(0, std::vector<uint8_t>{1, 2, 3});
    std::vector<uint8_t> back(3);
    EXPECT_EQ(scratch->ReadAt(0, back), 3u);
    EXPECT_EQ(back, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(fs.Exists("/a (scratch)"));
    fs.Crash();
    EXPECT_THROW(scratch->ReadAt(0, back), FileError) << "scratch space does not outlive a crash";
}

// The torn crash must be able to leave each state a disk that writes back on
// its own can leave, and no other: every sector whole as synced or as some
// later write left it, the length one the file had.
TEST(MemFiles, TornCrashLandsAnyMixOfUnsyncedSectorsButNeverTouchesSyncedOnes) {
    constexpr size_t kSector = 512;
    auto sectors = [](std::initializer_list<uint8_t> fills) {
        std::vector<uint8_t> bytes;
        for (uint8_t f : fills) bytes.insert(bytes.end(), kSector, f);
        return bytes;
    };
    int partly = 0, laterFirst = 0, olderImage = 0, all = 0, none = 0, grewEmpty = 0, cutOrNot = 0;
    auto crashed = [&](uint64_t seed) {
        auto fs = std::make_unique<MemFileSystem>();
        fs->Put("/synced", sectors({0x55, 0x66}));
        fs->Put("/a", sectors({0x11, 0x11, 0x11, 0x11}));
        fs->Put("/cut", sectors({0x22, 0x22}));
        {
            auto f = fs->Open("/a", OpenFlags{.write = true});
            f->WriteAt(0, sectors({0xAA, 0xAA}));            // write 1
            f->WriteAt(2 * kSector, sectors({0xBB, 0xBB}));  // write 2
            f->WriteAt(1 * kSector, sectors({0xCC}));        // write 3, over write 1
            f->WriteAt(4 * kSector + 100, std::vector<uint8_t>(412, 0xDD));  // grows the file
            auto cut = fs->Open("/cut", OpenFlags{.write = true});
            cut->Truncate(700);
            auto synced = fs->Open("/synced", OpenFlags{.write = true});
            synced->WriteAt(0, sectors({0x77}));
            synced->Sync();
        }
        fs->CrashTorn(seed);
        return fs;
    };
    for (uint64_t seed = 0; seed < 300; ++seed) {
        const auto crash = crashed(seed);
        MemFileSystem& fs = *crash;

        EXPECT_EQ(fs.Get("/synced"), sectors({0x77, 0x66}));
        const auto cut = fs.Get("/cut");
        const auto whole = sectors({0x22, 0x22});
        ASSERT_TRUE(cut == whole ||
                    cut == std::vector<uint8_t>(whole.begin(), whole.begin() + 700));
        cutOrNot |= cut.size() == 700 ? 1 : 2;

        const auto a = fs.Get("/a");
        ASSERT_TRUE(a.size() == 4 * kSector || a.size() == 5 * kSector) << a.size();
        uint8_t s[5] = {};
        for (size_t i = 0; i * kSector < a.size(); ++i) {
            s[i] = a[i * kSector];
            if (i == 4) {
                // The grown sector holds zeros up to the write, then the write or zeros.
                for (size_t k = 0; k < 100; ++k) ASSERT_EQ(a[i * kSector + k], 0);
                s[i] = a[i * kSector + 100];
            }
            for (size_t k = i == 4 ? 100 : 0; k < kSector; ++k)
                ASSERT_EQ(a[i * kSector + k], s[i]) << "sector " << i << " torn inside";
        }
        const std::set<uint8_t> allowed[5] = {
            {0x11, 0xAA}, {0x11, 0xAA, 0xCC}, {0x11, 0xBB}, {0x11, 0xBB}, {0x00, 0xDD}};
        for (size_t i = 0; i * kSector < a.size(); ++i)
            ASSERT_TRUE(allowed[i].count(s[i])) << "sector " << i << " holds " << int(s[i]);

        partly += (s[0] == 0xAA) != (s[1] != 0x11) || (s[2] == 0xBB) != (s[3] == 0xBB);
        laterFirst += s[0] == 0x11 && s[1] == 0x11 && s[2] == 0xBB;
        olderImage += s[1] == 0xAA;
        all += a.size() == 5 * kSector && s[0] == 0xAA && s[1] == 0xCC && s[2] == 0xBB &&
               s[3] == 0xBB && s[4] == 0xDD;
        none += a == sectors({0x11, 0x11, 0x11, 0x11});
        grewEmpty += a.size() == 5 * kSector && s[4] == 0;
    }
    EXPECT_GT(partly, 0) << "a write always landed whole or not at all";
    EXPECT_GT(laterFirst, 0) << "a later write never landed without an earlier one";
    EXPECT_GT(olderImage, 0) << "a sector always kept its newest image";
    EXPECT_GT(all, 0);
    EXPECT_GT(none, 0);
    EXPECT_GT(grewEmpty, 0) << "a file never grew without its data";
    EXPECT_EQ(cutOrNot, 3) << "a truncation always or never landed";

    // The same seed gives the same crash, so a failing case can be replayed.
    EXPECT_EQ(crashed(7)->Get("/a"), crashed(7)->Get("/a"));
}

TEST(MemFiles, TornCrashKeepsOrDropsEachUnsyncedDirectoryChange) {
    std::set<std::pair<bool, bool>> seen;
    for (uint64_t seed = 0; seed < 40; ++seed) {
        MemFileSystem fs;
        fs.Put("/d/kept", {1});
        fs.Put("/d/removed", {2});
        fs.Put("/e/durable", {3});
        {
            auto made = fs.Open("/d/made", OpenFlags{.write = true, .create = true});
            made->WriteAt(0, std::vector<uint8_t>{4});
            made->Sync();
            fs.Remove("/d/removed");
            auto other = fs.Open("/e/new", OpenFlags{.write = true, .create = true});
            other->Sync();
            fs.SyncDir("/e/new");
            fs.Remove("/e/durable");
            fs.SyncDir("/e/durable");
        }
        auto live = fs.Open("/d/kept", OpenFlags{});
        fs.CrashTorn(seed);
        EXPECT_THROW(live->Size(), FileError) << "handles die with the crash";
        EXPECT_EQ(fs.Get("/d/kept"), std::vector<uint8_t>{1});
        EXPECT_TRUE(fs.Exists("/e/new"));
        EXPECT_FALSE(fs.Exists("/e/durable"));
        const bool made = fs.Exists("/d/made"), removed = !fs.Exists("/d/removed");
        if (made) {
            EXPECT_EQ(fs.Get("/d/made"), std::vector<uint8_t>{4});
        }
        if (!removed) {
            EXPECT_EQ(fs.Get("/d/removed"), std::vector<uint8_t>{2});
        }
        seen.insert({made, removed});
    }
    EXPECT_EQ(seen.size(), 4u)
        << "a later directory change must be able to land before an earlier one";
}

}  // namespace
}  // namespace recaster::store
