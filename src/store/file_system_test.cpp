#include "store/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>
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

}  // namespace
}  // namespace recaster::store
