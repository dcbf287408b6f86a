#include "store/pager.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "base/coding.h"
#include "store/pager_test_util.h"
#include "store/temp_dir_test_util.h"

namespace recaster::store {
namespace {

using testing::ChangeToVersion2;
using testing::CommitVersion1;
using testing::Content;
using testing::Fault;
using testing::Fill;
using testing::ReadContent;
using testing::SameContent;

TEST(Pager, NewFileIsExactly1536BytesWithVersion3AndMarker) {
    MemFileSystem fs;
    Pager pager(fs);
    pager.Create("/d/new.cfg");
    EXPECT_FALSE(fs.Exists("/d/new.cfg")) << "a store being created lives under another name";
    pager.Commit();
    pager.Close();
    std::vector<uint8_t> bytes = fs.Get("/d/new.cfg");
    ASSERT_EQ(bytes.size(), 1536u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 1);
    for (size_t i = 3; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_FALSE(fs.Exists("/d/new.cfg-journal"));

    // A creation that is given up leaves nothing behind.
    Pager other(fs);
    other.Create("/d/other.cfg");
    other.Allocate();
    other.Close();
    EXPECT_FALSE(fs.Exists("/d/other.cfg"));
}

TEST(Pager, HeaderCheckRefusesOtherFormats) {
    MemFileSystem fs;
    std::vector<uint8_t> good(1536, 0);
    good[0] = 3;
    good[2] = 1;
    auto refused = [&](std::vector<uint8_t> bytes, ArchiveError::Cause cause) {
        fs.Put("/f.cfg", bytes);
        Pager pager(fs);
        try {
            pager.Open("/f.cfg", OpenMode::ReadWrite);
            ADD_FAILURE() << "opened";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.cause(), cause);
            EXPECT_EQ(e.path(), "/f.cfg");
        }
        EXPECT_FALSE(pager.IsOpen());
    };
    auto v1 = good;
    v1[0] = 1;
    refused(v1, ArchiveError::Cause::BadClass);
    auto marker = good;
    marker[2] = 2;
    refused(marker, ArchiveError::Cause::BadClass);
    refused({}, ArchiveError::Cause::BadClass);
    refused(std::vector<uint8_t>(good.begin(), good.begin() + 100), ArchiveError::Cause::EndOfFile);

    auto v2 = good;
    v2[0] = 2;
    fs.Put("/v2.cfg", v2);
    Pager pager(fs);
    pager.Open("/v2.cfg", OpenMode::ReadWrite);
    EXPECT_EQ(pager.header().version, 2);
    pager.MutableHeader().tree.recordCount = 0;
    pager.Allocate();
    pager.Commit();
    EXPECT_EQ(fs.Get("/v2.cfg")[0], 3) << "every commit writes version 3";

    Pager missing(fs);
    try {
        missing.Open("/nope.cfg", OpenMode::ReadOnly);
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(e.cause(), FileError::Cause::NotFound);
    }
}

TEST(Pager, BadPageNumbersAreReportedNotRead) {
    MemFileSystem fs;
    Pager pager(fs);
    pager.Create("/a.cfg");
    PageRef first = pager.Allocate();
    EXPECT_EQ(first.pgno(), 1536u);
    first = PageRef();
    for (uint32_t bad : {0u, 1000u, 1537u, 3584u, 0xFFFFF800u}) {
        EXPECT_FALSE(pager.IsPage(bad));
        EXPECT_THROW(pager.Get(bad), ArchiveError) << bad;
    }
    EXPECT_TRUE(pager.IsPage(1536));
}

TEST(Pager, FreedPagesAreReusedHeadFirst) {
    MemFileSystem fs;
    Pager pager(fs);
    pager.Create("/a.cfg");
    uint32_t a = pager.Allocate().pgno();
    uint32_t b = pager.Allocate().pgno();
    EXPECT_EQ(a, 1536u);
    EXPECT_EQ(b, 3584u);
    pager.Free(a);
    pager.Free(b);
    EXPECT_EQ(pager.header().freeCount, 2u);
    EXPECT_EQ(pager.header().freeHead, b);
    EXPECT_EQ(DecodeU32(pager.Get(b).data()), a);
    EXPECT_EQ(pager.Allocate().pgno(), b);
    EXPECT_EQ(pager.Allocate().pgno(), a);
    EXPECT_EQ(pager.header().freeCount, 0u);
    EXPECT_EQ(pager.Allocate().pgno(), 5632u);
}

TEST(Pager, CloseWithoutCommitLeavesTheCommittedFile) {
    MemFileSystem fs;
    const Content c = CommitVersion1(fs, "/a.cfg");
    std::vector<uint8_t> committed = fs.Get("/a.cfg");
    {
        Pager pager(fs);
        pager.Open("/a.cfg", OpenMode::ReadWrite);
        Content c2 = c;
        ChangeToVersion2(pager, c2);
        EXPECT_GT(pager.PageWrites(), 0u) << "the change must overflow the cache";
        EXPECT_TRUE(fs.Exists("/a.cfg-journal"));
        // Until Commit the committed pages stay as they were; new pages are added behind them.
        const std::vector<uint8_t> now = fs.Get("/a.cfg");
        EXPECT_GT(now.size(), committed.size());
        EXPECT_TRUE(std::equal(committed.begin(), committed.end(), now.begin()));
        // The pages the cache gave up are read back as changed.
        EXPECT_TRUE(SameContent(ReadContent(pager, c2), c2));
        pager.Close();
    }
    EXPECT_EQ(fs.Get("/a.cfg"), committed);
    EXPECT_FALSE(fs.Exists("/a.cfg-journal"));
}

TEST(Pager, FailedCommitCanBeRetried) {
    MemFileSystem fs;
    const Content v1 = CommitVersion1(fs, "/a.cfg");
    Pager pager(fs);
    pager.Open("/a.cfg", OpenMode::ReadWrite);
    Content v2 = v1;
    ChangeToVersion2(pager, v2);
    Fault fault;
    fault.at = 3;
    fs.SetFaultHook(fault.Hook());
    EXPECT_THROW(pager.Commit(), FileError);
    fs.SetFaultHook({});
    pager.Commit();
    pager.Close();
    pager.Open("/a.cfg", OpenMode::ReadOnly);
    EXPECT_TRUE(SameContent(ReadContent(pager, v2), v2));
}

TEST(Pager, HotJournalIsRolledBackOnOpenAndOverlaidWhenReadOnly) {
    MemFileSystem fs;
    const Content v1 = CommitVersion1(fs, "/a.cfg");
    const std::vector<uint8_t> v1Bytes = fs.Get("/a.cfg");
    // Leave a journal behind as a writer does that dies while its commit
    // overwrites committed pages; the process death keeps every write.
    {
        Pager pager(fs);
        pager.Open("/a.cfg", OpenMode::ReadWrite);
        Content v2 = v1;
        ChangeToVersion2(pager, v2);
        int writes = 0;
        bool dead = false;
        fs.SetFaultHook([&](FileOp op, const std::string& path) {
            if (dead) throw FileError(FileError::Cause::HardIO, path, "dead");
            if (op == FileOp::Write && path == "/a.cfg" && ++writes == 3) {
                fs.Crash(/*loseUnsynced=*/false);
                dead = true;
                throw FileError(FileError::Cause::HardIO, path, "killed");
            }
        });
        EXPECT_THROW(pager.Commit(), FileError);
    }
    fs.SetFaultHook({});
    ASSERT_TRUE(fs.Exists("/a.cfg-journal"));
    ASSERT_NE(fs.Get("/a.cfg"), v1Bytes);
    {
        Pager reader(fs);
        reader.Open("/a.cfg", OpenMode::ReadOnly);
        EXPECT_TRUE(SameContent(ReadContent(reader, v1), v1));
        EXPECT_EQ(reader.Length(), v1Bytes.size());
    }
    EXPECT_TRUE(fs.Exists("/a.cfg-journal")) << "a reader leaves the files alone";
    {
        Pager writer(fs);
        writer.Open("/a.cfg", OpenMode::ReadWrite);
        EXPECT_FALSE(fs.Exists("/a.cfg-journal"));
    }
    EXPECT_EQ(fs.Get("/a.cfg"), v1Bytes);

    // A journal whose header never became whole means the file was never touched.
    fs.Put("/a.cfg-journal", std::vector<uint8_t>(700, 0x5A));
    Pager writer(fs);
    writer.Open("/a.cfg", OpenMode::ReadWrite);
    EXPECT_FALSE(fs.Exists("/a.cfg-journal"));
    EXPECT_EQ(fs.Get("/a.cfg"), v1Bytes);
}

TEST(Pager, CacheIsBoundedAndReusesLeastRecentlyUsed) {
    MemFileSystem fs;
    Pager pager(fs);
    pager.Create("/a.cfg");
    pager.Commit();
    pager.Close();
    pager.Open("/a.cfg", OpenMode::ReadWrite);
    std::vector<uint32_t> pgnos;
    for (int i = 0; i < 60; ++i) {
        PageRef ref = pager.Allocate();
        Fill(ref, static_cast<uint8_t>(i));
        pgnos.push_back(ref.pgno());
        EXPECT_LE(Pager::BuffersInUse(), kMaxBuffers);
    }
    // Making room wrote back all dirty pages at once (one journal sync); the
    // first ten were the least recently used and were given up, so they are re-read.
    EXPECT_EQ(pager.PageWrites(), kMaxBuffers);
    uint64_t reads = pager.PageReads();
    EXPECT_EQ(pager.Get(pgnos[0]).data()[0], 0);
    EXPECT_EQ(pager.PageReads(), reads + 1);
    EXPECT_EQ(pager.Get(pgnos[59]).data()[0], 59);
    EXPECT_EQ(pager.PageReads(), reads + 1) << "a recent page comes from the cache";

    // Pinned pages are never taken; when everything is pinned there is no buffer.
    std::vector<PageRef> pins;
    for (size_t i = 0; i < kMaxBuffers; ++i) pins.push_back(pager.Get(pgnos[i]));
    EXPECT_THROW(pager.Get(pgnos[55]), std::bad_alloc);
    pins.clear();
    EXPECT_EQ(pager.Get(pgnos[55]).data()[0], 55);
    pager.Commit();

    // Pressure from a second store takes buffers across stores.
    Pager other(fs);
    other.Create("/b.cfg");
    for (int i = 0; i < 60; ++i) Fill(*std::make_unique<PageRef>(other.Allocate()), 1);
    EXPECT_LE(pager.CachedPages() + other.CachedPages(), kMaxBuffers);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(pager.Get(pgnos[i]).data()[0], i);
}

TEST(Pager, ReadOnlyStoreKeepsItsDirtyPages) {
    MemFileSystem fs;
    const Content v1 = CommitVersion1(fs, "/a.cfg");
    const std::vector<uint8_t> bytes = fs.Get("/a.cfg");
    Pager reader(fs);
    reader.Open("/a.cfg", OpenMode::ReadOnly);
    std::vector<uint32_t> pgnos;
    for (const auto& [pgno, fill] : v1.pages) pgnos.push_back(pgno);
    for (int i = 0; i < 30; ++i) {
        PageRef ref = reader.Get(pgnos[i]);
        Fill(ref, 0x77);
    }
    for (int i = 30; i < 80; ++i) reader.Get(pgnos[i]);  // pressure on the clean ones
    for (int i = 0; i < 30; ++i) EXPECT_EQ(reader.Get(pgnos[i]).data()[0], 0x77);
    EXPECT_EQ(reader.PageWrites(), 0u);
    EXPECT_THROW(reader.Commit(), FileError);
    // Once every buffer is dirty and unwritable, no page can be read.
    for (int i = 30; i < 50; ++i) {
        PageRef ref = reader.Get(pgnos[i]);
        Fill(ref, 0x77);
    }
    EXPECT_THROW(reader.Get(pgnos[60]), std::bad_alloc);
    reader.Close();
    EXPECT_EQ(fs.Get("/a.cfg"), bytes);
}

TEST(Pager, ReleasingUnusedBuffersWritesBackAndKeepsWhatIsPinnedOrUnwritable) {
    MemFileSystem fs;
    const Content v1 = CommitVersion1(fs, "/a.cfg");
    fs.Put("/b.cfg", fs.Get("/a.cfg"));
    std::vector<uint32_t> pgnos;
    for (const auto& [pgno, fill] : v1.pages) pgnos.push_back(pgno);

    Pager writer(fs);
    writer.Open("/a.cfg", OpenMode::ReadWrite);
    for (int i = 0; i < 10; ++i) {
        PageRef ref = writer.Get(pgnos[i]);
        Fill(ref, 0x55);
    }
    PageRef pinned = writer.Get(pgnos[20]);
    Pager reader(fs);
    reader.Open("/b.cfg", OpenMode::ReadOnly);
    for (int i = 0; i < 5; ++i) {
        PageRef ref = reader.Get(pgnos[i]);
        Fill(ref, 0x66);
    }
    reader.Get(pgnos[40]);

    Pager::ReleaseUnusedBuffers();
    EXPECT_EQ(writer.CachedPages(), 1u) << "only the pinned page stays";
    EXPECT_EQ(reader.CachedPages(), 5u) << "a read-only store cannot write its dirty pages";
    EXPECT_EQ(Pager::BuffersInUse(), 6u);

    // Nothing was lost: the changes read back, commit, and the file has them.
    for (int i = 0; i < 10; ++i) EXPECT_EQ(writer.Get(pgnos[i]).data()[0], 0x55);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(reader.Get(pgnos[i]).data()[0], 0x66);
    pinned = PageRef();
    writer.Commit();
    writer.Close();
    Pager check(fs);
    check.Open("/a.cfg", OpenMode::ReadOnly);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(check.Get(pgnos[i]).data()[0], 0x55);
    EXPECT_EQ(check.Get(pgnos[10]).data()[0], v1.pages.at(pgnos[10]));
}

using PosixPager = testing::TempDirTest;

TEST_F(PosixPager, SecondWriterIsRefusedWithASharingViolation) {
    FileSystem& fs = PosixFileSystem();
    Pager first(fs);
    first.Create(Path("a.cfg"));
    first.Commit();
    first.Close();
    first.Open(Path("a.cfg"), OpenMode::ReadWrite);
    for (OpenMode mode : {OpenMode::ReadWrite, OpenMode::ReadOnly}) {
        Pager second(fs);
        try {
            second.Open(Path("a.cfg"), mode);
            ADD_FAILURE() << "second opener got in";
        } catch (const FileError& e) {
            EXPECT_EQ(e.cause(), FileError::Cause::SharingViolation);
            EXPECT_NE(std::string(e.what()).find("a.cfg"), std::string::npos);
        }
    }
    // Nor may a new store or a copy replace the file under its writer.
    Pager third(fs);
    EXPECT_THROW(third.Create(Path("a.cfg")), FileError);
    first.Close();
    Pager r1(fs), r2(fs);
    r1.Open(Path("a.cfg"), OpenMode::ReadOnly);
    r2.Open(Path("a.cfg"), OpenMode::ReadOnly);
}

TEST_F(PosixPager, SaveAsRefusesTheSameFileAndKeepsTheSource) {
    FileSystem& fs = PosixFileSystem();
    const Content v1 = CommitVersion1(fs, Path("a.cfg"));
    std::filesystem::create_symlink(Path("a.cfg"), Path("link.cfg"));
    auto before = std::filesystem::file_size(Path("a.cfg"));
    Pager pager(fs);
    pager.Open(Path("a.cfg"), OpenMode::ReadWrite);
    Content v2 = v1;
    ChangeToVersion2(pager, v2);
    for (const std::string& same : {Path("a.cfg"), Path("link.cfg"), dir_ + "/./a.cfg"}) {
        try {
            pager.SaveAs(same);
            ADD_FAILURE() << same;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("choose another name"), std::string::npos);
        }
    }
    pager.SaveAs(Path("b.cfg"));
    EXPECT_EQ(pager.path(), Path("b.cfg"));
    EXPECT_FALSE(std::filesystem::exists(Path("a.cfg-journal")));
    EXPECT_EQ(std::filesystem::file_size(Path("a.cfg")), before);
    {
        Pager old(fs);
        old.Open(Path("a.cfg"), OpenMode::ReadOnly);
        EXPECT_TRUE(SameContent(ReadContent(old, v1), v1));
    }
    // Further changes go to the new file only.
    PageRef ref = pager.Allocate();
    Fill(ref, 0x42);
    v2.pages[ref.pgno()] = 0x42;
    ref = PageRef();
    pager.Commit();
    pager.Close();
    pager.Open(Path("b.cfg"), OpenMode::ReadOnly);
    EXPECT_TRUE(SameContent(ReadContent(pager, v2), v2));
    // The pages the cache gave up lived in scratch space that leaves no file behind.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"a.cfg", "b.cfg", "link.cfg"}));
}

// A new store created through a link to another folder is renamed into that
// folder. When syncing it fails after the rename the sync is owed: a second
// Commit with nothing new makes it, and so does the next transaction before
// it writes anything to the file (its journal sits in the link's folder).
TEST_F(PosixPager, AFolderSyncThatFailedIsMadeBeforeTheFileIsWrittenAgain) {
    auto fs = MakePosixFileSystem();
    std::filesystem::create_directory(Path("elsewhere"));
    const std::string real = Path("elsewhere/real.cfg");
    const std::string link = Path("link.cfg");
    CommitVersion1(*fs, real);
    std::filesystem::create_symlink(real, link);

    std::vector<std::pair<FileOp, std::string>> ops;
    bool failSync = true;
    fs->SetFaultHook([&](FileOp op, const std::string& path) {
        ops.push_back({op, path});
        if (op == FileOp::SyncDir && path == real && failSync)
            throw FileError(FileError::Cause::HardIO, path, "injected");
    });
    const auto syncs = [&] {
        return std::count(ops.begin(), ops.end(), std::make_pair(FileOp::SyncDir, real));
    };
    for (bool change : {false, true}) {
        Pager pager(*fs);
        pager.Create(link);
        PageRef ref = pager.Allocate();
        Fill(ref, 0x42);
        ref = PageRef();
        failSync = true;
        EXPECT_THROW(pager.Commit(), FileError);
        ASSERT_TRUE(std::filesystem::is_symlink(link)) << "the new store went through the link";
        failSync = false;
        ops.clear();
        if (!change) {
            pager.Commit();
            EXPECT_EQ(syncs(), 1) << "a commit with nothing new still owes the folder sync";
            continue;
        }
        for (size_t i = 0; i < kMaxBuffers + 10; ++i) {
            ref = pager.Allocate();
            Fill(ref, 0x43);
        }
        ref = PageRef();
        pager.Commit();
        const auto firstWrite = std::find_if(ops.begin(), ops.end(), [&](const auto& o) {
            return o.first == FileOp::Write && o.second == link;
        });
        ASSERT_NE(firstWrite, ops.end());
        EXPECT_EQ(std::count(ops.begin(), firstWrite, std::make_pair(FileOp::SyncDir, real)), 1)
            << "the owed folder sync did not come before the file was written";
    }
}

// A real process killed at each durable step of a commit: the file reopens at
// the old or the new state.
TEST_F(PosixPager, KilledChildLeavesOldOrNewState) {
    auto fs = MakePosixFileSystem();
    const Content v1 = CommitVersion1(*fs, Path("a.cfg"));
    std::filesystem::copy_file(Path("a.cfg"), Path("v1.bin"));
    Content v2 = v1;
    int total = 0;
    {
        std::filesystem::copy_file(Path("v1.bin"), Path("count.cfg"));
        Fault count;
        fs->SetFaultHook(count.Hook());
        Pager pager(*fs);
        pager.Open(Path("count.cfg"), OpenMode::ReadWrite);
        ChangeToVersion2(pager, v2);
        pager.Commit();
        total = count.count;
        fs->SetFaultHook({});
    }
    Content shape = v2;
    for (auto& [pgno, fill] : v1.pages) shape.pages[pgno] = fill;
    for (int at = 0; at < total; ++at) {
        std::filesystem::copy_file(Path("v1.bin"), Path("a.cfg"),
                                   std::filesystem::copy_options::overwrite_existing);
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int n = 0;
            fs->SetFaultHook([&](FileOp, const std::string&) {
                if (n++ == at) ::_exit(0);
            });
            Pager pager(*fs);
            pager.Open(Path("a.cfg"), OpenMode::ReadWrite);
            Content scratch = v1;
            ChangeToVersion2(pager, scratch);
            pager.Commit();
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the child was not stopped at " << at;
        Pager pager(*fs);
        pager.Open(Path("a.cfg"), OpenMode::ReadWrite);
        Content got = ReadContent(pager, shape);
        bool isOld = got.version == 1 && SameContent(ReadContent(pager, v1), v1);
        bool isNew = got.version == 2 && SameContent(ReadContent(pager, v2), v2);
        EXPECT_TRUE(isOld || isNew) << "killed at operation " << at;
    }
}

}  // namespace
}  // namespace recaster::store
