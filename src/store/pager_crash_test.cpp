// Crash tests of the pager: a transaction failed or crashed at each durable
// operation, by a power cut that loses unsynced data whole or tears and
// reorders it, by the death of the process, or by a failure; a crash during
// the rollback of a hot journal; journals whose tail did not land whole. After
// each, the file opens at exactly the old or the new commit, and at the new
// one whenever Commit reported success.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "base/coding.h"
#include "store/pager.h"
#include "store/pager_test_util.h"

namespace recaster::store {
namespace {

using testing::ChangeToVersion2;
using testing::CommitVersion1;
using testing::Content;
using testing::Cut;
using testing::CutName;
using testing::Fault;
using testing::Fill;
using testing::ReadContent;
using testing::SameContent;

const std::string kPath = "/a.cfg";
const std::string kJournal = "/a.cfg-journal";

// The journal's layout (see pager.cpp), for building damaged journals.
constexpr size_t kJournalHeaderSize = 32 + kFirstPage;
constexpr size_t kRecordSize = 4 + kPageSize + 4;

using Files = std::map<std::string, std::vector<uint8_t>>;
using Ops = std::vector<std::pair<FileOp, std::string>>;

// Whether a power cut before operation `at` of `ops` (or after the last) can
// leave a state that a cut before an earlier one cannot. What is durable
// changes only at a sync, so a power cut that loses whole files leaves the
// same state anywhere between two syncs, and a torn one can drop any write it
// has seen, so the cut just before the next sync can leave every state an
// earlier one can.
bool BeforeSync(const Ops& ops, int at) {
    return at == static_cast<int>(ops.size()) || ops[at].first == FileOp::Sync ||
           ops[at].first == FileOp::SyncDir;
}

// A file system holding exactly `files`, all durable.
std::unique_ptr<MemFileSystem> FromFiles(const Files& files) {
    auto fs = std::make_unique<MemFileSystem>();
    for (const auto& [path, bytes] : files) fs->Put(path, bytes);
    return fs;
}

Files StoreFiles(MemFileSystem& fs) {
    Files files;
    for (const std::string& path : {kPath, kJournal})
        if (fs.Exists(path)) files[path] = fs.Get(path);
    return files;
}

// A file layer whose journal syncs do nothing. A pager on it overwrites
// committed pages before their journal is durable: the wrong commit order that
// the crash loops are there to catch.
class UnsyncedJournal final : public FileSystem {
  public:
    explicit UnsyncedJournal(MemFileSystem& fs) : fs_(fs) {}

    std::unique_ptr<File> Open(const std::string& path, OpenFlags flags) override {
        auto file = fs_.Open(path, flags);
        if (path != kJournal) return file;
        return std::make_unique<NoSync>(std::move(file));
    }
    std::unique_ptr<File> OpenScratch(const std::string& nearPath) override {
        return fs_.OpenScratch(nearPath);
    }
    bool Exists(const std::string& path) override { return fs_.Exists(path); }
    void Remove(const std::string& path) override { fs_.Remove(path); }
    void Rename(const std::string& from, const std::string& to) override { fs_.Rename(from, to); }
    void SyncDir(const std::string& path) override {
        if (path != kJournal) fs_.SyncDir(path);
    }
    bool Identify(const std::string& path, FileIdentity& out) override {
        return fs_.Identify(path, out);
    }

  private:
    class NoSync final : public File {
      public:
        explicit NoSync(std::unique_ptr<File> file) : file_(std::move(file)) {}
        size_t ReadAt(uint64_t off, std::span<uint8_t> buf) override {
            return file_->ReadAt(off, buf);
        }
        void WriteAt(uint64_t off, std::span<const uint8_t> data) override {
            file_->WriteAt(off, data);
        }
        void Sync() override {}
        void Truncate(uint64_t length) override { file_->Truncate(length); }
        uint64_t Size() override { return file_->Size(); }
        bool TryLock(LockKind kind) override { return file_->TryLock(kind); }
        const std::string& path() const override { return file_->path(); }
        void SetPath(const std::string& path) override { file_->SetPath(path); }

      private:
        std::unique_ptr<File> file_;
    };

    MemFileSystem& fs_;
};

Fault At(int at, Cut cut, uint64_t seed = 0) {
    Fault fault;
    fault.at = at;
    fault.cut = cut;
    fault.seed = seed;
    return fault;
}

// Version 2 the other way round: the new pages first, so the journal is synced
// for them (and they reach the file) before any committed page is journaled;
// then the committed pages, whose records stay unsynced until the commit.
void NewPagesFirst(Pager& pager, Content& c) {
    const std::vector<uint32_t> pgnos = CommittedPages(c);
    AddNewPages(pager, c);
    RewriteCommittedPages(pager, c, pgnos);
    pager.MutableHeader().tree.recordCount = c.version = 2;
}

using Change = void (*)(Pager&, Content&);

// A transaction from version 1 to version 2 (by default the one of
// pager_test_util.h), its durable operations, and what a reopened file may hold.
class CrashLoop {
  public:
    explicit CrashLoop(Change change = ChangeToVersion2) : change_(change) {
        MemFileSystem base;
        v1_ = CommitVersion1(base, kPath);
        v1Files_ = StoreFiles(base);

        auto fs = FromFiles(v1Files_);
        fs->SetFaultHook([this](FileOp op, const std::string& path) { ops.push_back({op, path}); });
        v2_ = v1_;
        {
            Pager pager(*fs);
            pager.Open(kPath, OpenMode::ReadWrite);
            change_(pager, v2_);
            EXPECT_GT(fs->Get(kPath).size(), v1Bytes().size())
                << "the transaction must write new pages before its commit";
            commitStart_ = Total();
            pager.Commit();
        }
        fs->SetFaultHook({});
        v2Bytes_ = fs->Get(kPath);
        shape_ = v2_;
        for (const auto& [pgno, fill] : v1_.pages) shape_.pages[pgno] = fill;
    }

    // The durable operations of the transaction, in order.
    Ops ops;
    int Total() const { return static_cast<int>(ops.size()); }
    // Index of the first operation of the commit.
    int CommitStart() const { return commitStart_; }
    // Index of the last operation of this kind on this path.
    int Last(FileOp op, const std::string& path) const {
        for (int i = Total() - 1; i >= 0; --i)
            if (ops[i].first == op && ops[i].second == path) return i;
        return -1;
    }

    const Files& v1Files() const { return v1Files_; }
    const std::vector<uint8_t>& v1Bytes() const { return v1Files_.at(kPath); }
    const Content& v1() const { return v1_; }
    Change change() const { return change_; }

    // What a reopened file holds; `problem` says why it is neither commit.
    struct Outcome {
        bool committed = false;  // Commit reported success
        int version = 0;         // 1 or 2 when the file is exactly that commit, else 0
        std::string problem;
    };

    // The transaction on a copy of version 1, with `fault` at its operation
    // `fault.at`; when the commit reports success a crash still follows. With
    // syncJournal false the pager runs on UnsyncedJournal. With failedAt set,
    // the commit first fails at that operation and is then tried again, and
    // `fault` counts the operations of the second try. Then reopened.
    Outcome Run(Fault fault, bool syncJournal = true, int failedAt = -1) const {
        auto fs = FromFiles(v1Files_);
        UnsyncedJournal unsynced(*fs);
        FileSystem& used = syncJournal ? static_cast<FileSystem&>(*fs) : unsynced;
        fault.fs = fs.get();
        Fault first = At(failedAt, Cut::Failure);
        fs->SetFaultHook(failedAt >= 0 ? first.Hook() : fault.Hook());
        Outcome outcome;
        {
            Pager pager(used);
            try {
                pager.Open(kPath, OpenMode::ReadWrite);
                Content scratch = v1_;
                change_(pager, scratch);
                if (failedAt >= 0) {
                    EXPECT_THROW(pager.Commit(), FileError) << "no failure at " << failedAt;
                    fs->SetFaultHook(fault.Hook());
                }
                pager.Commit();
                outcome.committed = true;
                fault.Crash();  // what reported success must be durable
            } catch (const FileError&) {
            }
            if (fault.cut == Cut::Failure) {
                try {
                    pager.Close();
                } catch (const FileError&) {
                }
            }
        }
        fs->SetFaultHook({});
        Reopen(*fs, outcome);
        return outcome;
    }

    // Opens for reading (the journal applied in memory), then for writing (the
    // journal rolled back): both must see the same commit, and the settled
    // file must be byte for byte that commit, with no journal left.
    void Reopen(MemFileSystem& fs, Outcome& outcome) const {
        try {
            int seen = 0;
            {
                Pager reader(fs);
                reader.Open(kPath, OpenMode::ReadOnly);
                seen = Classify(reader);
            }
            Pager writer(fs);
            writer.Open(kPath, OpenMode::ReadWrite);
            const int version = Classify(writer);
            writer.Close();
            const std::vector<uint8_t> bytes = fs.Get(kPath);
            if (version == 0 || seen == 0)
                outcome.problem = "neither commit";
            else if (seen != version)
                outcome.problem = "a reader saw another commit than the writer";
            else if (bytes != (version == 1 ? v1Bytes() : v2Bytes_))
                outcome.problem = "the settled file differs from the commit it holds";
            else if (fs.Exists(kJournal))
                outcome.problem = "the journal was left behind";
            else
                outcome.version = version;
        } catch (const std::exception& e) {
            outcome.problem = std::string("reopening failed: ") + e.what();
        }
    }

    // Checks an outcome: exactly one commit, and the new one when Commit said so.
    static ::testing::AssertionResult Sound(const Outcome& o) {
        if (o.version == 0) return ::testing::AssertionFailure() << o.problem;
        if (o.committed && o.version != 2)
            return ::testing::AssertionFailure() << "a commit that reported success was lost";
        return ::testing::AssertionSuccess();
    }

  private:
    int Classify(Pager& pager) const {
        const Content got = ReadContent(pager, shape_);
        auto holds = [&](const Content& want, const std::vector<uint8_t>& bytes) {
            if (got.version != want.version || pager.Length() != bytes.size()) return false;
            for (const auto& [pgno, fill] : want.pages) {
                auto it = got.pages.find(pgno);
                if (it == got.pages.end() || it->second != fill) return false;
            }
            return true;
        };
        return holds(v1_, v1Bytes()) ? 1 : holds(v2_, v2Bytes_) ? 2 : 0;
    }

    Change change_;
    int commitStart_ = 0;
    Content v1_, v2_, shape_;
    Files v1Files_;
    std::vector<uint8_t> v2Bytes_;
};

// For every durable operation of a transaction (early write-backs and the
// commit), fail there or crash there; reopening gives exactly the old or the
// new commit, and the new one after a commit that reported success.
TEST(PagerCrash, EveryFaultInATransactionLeavesOldOrNewState) {
    const CrashLoop loop;
    ASSERT_GT(loop.Total(), 10);
    int sawOld = 0, sawNew = 0;
    for (Cut cut : {Cut::PowerCut, Cut::ProcessDeath, Cut::Failure}) {
        // One past the last operation: the commit succeeds, then the crash comes.
        for (int at = 0; at <= loop.Total(); ++at) {
            if (cut == Cut::PowerCut && !BeforeSync(loop.ops, at)) continue;
            const auto o = loop.Run(At(at, cut));
            EXPECT_TRUE(CrashLoop::Sound(o))
                << CutName(cut) << " at operation " << at << " of " << loop.Total();
            sawOld += o.version == 1;
            sawNew += o.version == 2;
        }
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

// The same with torn power cuts: many seeds for a cut right before each sync
// and after the commit, one for a cut before every other operation. Also the
// transaction that writes its new pages first (its journal is synced before it
// takes any record), with cuts before the syncs.
TEST(PagerCrash, EveryTornPowerCutInATransactionLeavesOldOrNewState) {
    int runs = 0;
    for (Change change : {ChangeToVersion2, NewPagesFirst}) {
        const CrashLoop loop(change);
        const char* name = change == NewPagesFirst ? "new pages first" : "changes first";
        int sawOld = 0, sawNew = 0;
        for (int at = 0; at <= loop.Total(); ++at) {
            const bool everyOp = change == ChangeToVersion2;
            const uint64_t seeds = BeforeSync(loop.ops, at) ? 16 : everyOp ? 1 : 0;
            for (uint64_t seed = 0; seed < seeds; ++seed) {
                const auto o = loop.Run(At(at, Cut::TornPowerCut, at * 100 + seed));
                EXPECT_TRUE(CrashLoop::Sound(o))
                    << name << ": torn power cut (seed " << at * 100 + seed << ") at operation "
                    << at << " of " << loop.Total();
                ++runs;
                sawOld += o.version == 1;
                sawNew += o.version == 2;
            }
        }
        EXPECT_GT(sawOld, 0) << name;
        EXPECT_GT(sawNew, 0) << name;
    }
    EXPECT_LT(runs, 500) << "keep the loop short";
}

// The loops must be able to fail. A pager whose journal is never made durable
// overwrites committed pages that nothing can restore. A power cut that loses
// whole files cannot tell (the pages and the journal vanish together, or the
// pages are synced whole); a torn one must.
TEST(PagerCrash, TornPowerCutCatchesPagesWrittenBeforeTheirJournalIsDurable) {
    const CrashLoop loop;
    int caught = 0;
    for (int at = 0; at <= loop.Total() && caught == 0; ++at) {
        if (!BeforeSync(loop.ops, at)) continue;
        for (uint64_t seed = 0; seed < 16; ++seed)
            caught += !CrashLoop::Sound(loop.Run(At(at, Cut::TornPowerCut, seed), false));
    }
    EXPECT_GT(caught, 0) << "no torn power cut found the pages written before their journal";
}

// A commit that fails and is tried again. Whatever failed (up to and
// including the deletion of the journal that commits it, or the folder sync
// after it), the second try that succeeds is durable, and one cut at any of
// its operations leaves the old or the new commit.
TEST(PagerCrash, CommitTriedAgainAfterAFailureLeavesOldOrNewState) {
    const CrashLoop loop;
    int runs = 0;
    for (int failedAt = loop.CommitStart(); failedAt < loop.Total(); ++failedAt) {
        const auto o = loop.Run(At(-1, Cut::TornPowerCut, failedAt), true, failedAt);
        EXPECT_TRUE(o.committed) << "the second try failed after a failure at " << failedAt;
        EXPECT_TRUE(CrashLoop::Sound(o)) << "after a failure at " << failedAt;
        ++runs;
    }
    for (FileOp op : {FileOp::Sync, FileOp::Remove, FileOp::SyncDir}) {
        const int failedAt = loop.Last(op, op == FileOp::Sync ? kPath : kJournal);
        Ops retry;
        Fault logged = At(-1, Cut::Failure);
        logged.log = &retry;
        ASSERT_TRUE(loop.Run(logged, true, failedAt).committed);
        for (int at = 0; at <= static_cast<int>(retry.size()); ++at) {
            for (Cut cut : {Cut::ProcessDeath, Cut::Failure, Cut::PowerCut, Cut::TornPowerCut}) {
                if ((cut == Cut::PowerCut || cut == Cut::TornPowerCut) && !BeforeSync(retry, at))
                    continue;
                for (uint64_t seed = 0; seed < (cut == Cut::TornPowerCut ? 8 : 1); ++seed) {
                    EXPECT_TRUE(CrashLoop::Sound(loop.Run(At(at, cut, seed), true, failedAt)))
                        << FileOpName(op) << " failed, then " << CutName(cut) << " (seed " << seed
                        << ") at operation " << at << " of " << retry.size()
                        << " of the second try";
                    ++runs;
                }
            }
        }
    }
    EXPECT_LT(runs, 600) << "keep the loop short";
}

// A new store created over version 1 (it replaces the file at its first
// commit), cut at each operation; a failed creation is committed again. The
// file is then the old one or the new one, the new one whenever a commit said
// so.
TEST(PagerCrash, CreatingOverAFileLeavesTheOldOrTheNewFile) {
    const CrashLoop loop;
    int commitStart = -1;
    auto create = [&](FileSystem& fs, Fault& fault, Content& made) {
        Pager pager(fs);
        bool committed = false;
        try {
            pager.Create(kPath);
            for (int i = 0; i < 3; ++i) {
                PageRef ref = pager.Allocate();
                Fill(ref, 0x77);
                made.pages[ref.pgno()] = 0x77;
            }
            pager.MutableHeader().tree.recordCount = made.version = 7;
            commitStart = fault.count;
            try {
                pager.Commit();
            } catch (const FileError&) {
                if (fault.cut != Cut::Failure) throw;
                pager.Commit();  // a failure, then the same commit again
            }
            committed = true;
            fault.Crash();
        } catch (const FileError&) {
        }
        return committed;
    };
    Ops ops;
    {
        auto fs = FromFiles(loop.v1Files());
        Fault logged = At(-1, Cut::Failure);
        logged.log = &ops;
        fs->SetFaultHook(logged.Hook());
        Content made;
        ASSERT_TRUE(create(*fs, logged, made));
    }
    int runs = 0;
    for (int at = 0; at <= static_cast<int>(ops.size()); ++at) {
        for (Cut cut : {Cut::ProcessDeath, Cut::Failure, Cut::PowerCut, Cut::TornPowerCut}) {
            if ((cut == Cut::PowerCut || cut == Cut::TornPowerCut) && !BeforeSync(ops, at))
                continue;
            for (uint64_t seed = 0; seed < (cut == Cut::TornPowerCut ? 8 : 1); ++seed) {
                auto fs = FromFiles(loop.v1Files());
                Fault fault = At(at, cut, seed);
                fault.fs = fs.get();
                fs->SetFaultHook(fault.Hook());
                Content made;
                const bool committed = create(*fs, fault, made);
                fs->SetFaultHook({});
                Pager pager(*fs);
                pager.Open(kPath, OpenMode::ReadWrite);
                const bool isOld = fs->Get(kPath) == loop.v1Bytes();
                const bool isNew = SameContent(ReadContent(pager, made), made) &&
                                   pager.Length() == kFirstPage + 3 * kPageSize;
                EXPECT_TRUE(isOld || isNew) << CutName(cut) << " (seed " << seed
                                            << ") at operation " << at << " of " << ops.size();
                EXPECT_TRUE(isNew || !committed) << "a commit that reported success was lost";
                if (cut == Cut::Failure && at >= commitStart) {
                    EXPECT_TRUE(committed)
                        << "a new store could not be committed again after a failure at " << at;
                }
                ++runs;
            }
        }
    }
    EXPECT_LT(runs, 200) << "keep the loop short";
}

// The files a transaction leaves when it stops with `fault`.
Files Stopped(const CrashLoop& loop, Fault fault) {
    auto fs = FromFiles(loop.v1Files());
    fault.fs = fs.get();
    fs->SetFaultHook(fault.Hook());
    {
        Pager pager(*fs);
        pager.Open(kPath, OpenMode::ReadWrite);
        Content scratch = loop.v1();
        loop.change()(pager, scratch);
        EXPECT_THROW(pager.Commit(), FileError);
    }
    fs->SetFaultHook({});
    return StoreFiles(*fs);
}

// The durable operations of opening `files` for writing.
Ops OpenOps(const Files& files) {
    auto fs = FromFiles(files);
    Ops ops;
    fs->SetFaultHook([&](FileOp op, const std::string& path) { ops.push_back({op, path}); });
    Pager pager(*fs);
    pager.Open(kPath, OpenMode::ReadWrite);
    return ops;
}

// A commit that stopped after overwriting committed pages leaves a hot
// journal. The open that rolls it back is killed at each of its operations
// (a failure there leaves the same files), or loses power before each sync,
// whole or torn; the open after that is cut once more, torn, at an operation
// drawn at random. The file still opens at the last commit.
TEST(PagerCrash, CrashDuringHotJournalRollbackStillGivesTheLastCommit) {
    const CrashLoop loop;
    const int journalSync = loop.Last(FileOp::Sync, kJournal);
    const int fileSync = loop.Last(FileOp::Sync, kPath);
    ASSERT_LT(journalSync, fileSync);
    const std::pair<const char*, Fault> hot[] = {
        {"killed half way through the commit's writes",
         At((journalSync + fileSync) / 2, Cut::ProcessDeath)},
        {"killed after the file was synced", At(fileSync + 1, Cut::ProcessDeath)},
        {"torn power cut before the file was synced", At(fileSync, Cut::TornPowerCut, 5)},
    };
    std::mt19937 rng(15);
    int runs = 0;
    for (const auto& [name, stop] : hot) {
        const Files files = Stopped(loop, stop);
        ASSERT_TRUE(files.count(kJournal)) << name;
        ASSERT_NE(files.at(kPath), loop.v1Bytes()) << name << ": no committed page overwritten";
        const Ops ops = OpenOps(files);
        const int total = static_cast<int>(ops.size());
        ASSERT_GT(total, 60) << name;
        for (Cut cut : {Cut::ProcessDeath, Cut::PowerCut, Cut::TornPowerCut}) {
            for (int at = 0; at <= total; ++at) {
                if (cut != Cut::ProcessDeath && !BeforeSync(ops, at)) continue;
                for (uint64_t seed = 0; seed < (cut == Cut::TornPowerCut ? 8 : 1); ++seed) {
                    auto fs = FromFiles(files);
                    Fault fault = At(at, cut, at * 100 + seed);
                    fault.fs = fs.get();
                    fs->SetFaultHook(fault.Hook());
                    try {
                        Pager pager(*fs);
                        pager.Open(kPath, OpenMode::ReadWrite);
                        EXPECT_EQ(at, total) << "the fault did not stop the rollback";
                        fault.Crash();  // what was rolled back must be durable
                    } catch (const FileError&) {
                        EXPECT_LT(at, total);
                    }
                    const int againAt = static_cast<int>(rng() % (total + 1));
                    Fault again = At(againAt, Cut::TornPowerCut, rng());
                    again.fs = fs.get();
                    fs->SetFaultHook(again.Hook());
                    try {
                        Pager pager(*fs);
                        pager.Open(kPath, OpenMode::ReadWrite);
                        again.Crash();
                    } catch (const FileError&) {
                    }
                    fs->SetFaultHook({});
                    CrashLoop::Outcome o;
                    loop.Reopen(*fs, o);
                    EXPECT_EQ(o.version, 1)
                        << name << "; " << CutName(cut) << " (seed " << fault.seed
                        << ") at operation " << at << " of the rollback, then at " << again.at
                        << ": " << o.problem;
                    ++runs;
                }
            }
        }
    }
    EXPECT_LT(runs, 400) << "keep the loop short";
}

// A record of the journal of an earlier transaction on the same file: whole
// and with a good checksum, but under that journal's nonce, and holding an
// image of `pgno` that version 1 never had.
std::vector<uint8_t> StaleRecord(const CrashLoop& loop, uint32_t pgno) {
    auto fs = FromFiles(loop.v1Files());
    auto change = [&](uint8_t fill) {
        Pager pager(*fs);
        pager.Open(kPath, OpenMode::ReadWrite);
        PageRef ref = pager.Get(pgno);
        Fill(ref, fill);
        ref = PageRef();
        pager.Commit();
    };
    change(0x33);
    // The next commit journals the 0x33 image; it is killed before it deletes the journal.
    Fault kill = At(4, Cut::ProcessDeath);
    kill.fs = fs.get();
    fs->SetFaultHook(kill.Hook());
    EXPECT_THROW(change(0x44), FileError);
    fs->SetFaultHook({});
    const std::vector<uint8_t> journal = fs->Get(kJournal);
    EXPECT_EQ(journal.size(), kJournalHeaderSize + kRecordSize);
    std::vector<uint8_t> record(journal.begin() + kJournalHeaderSize, journal.end());
    EXPECT_EQ(DecodeU32(record.data()), pgno);
    EXPECT_EQ(record[4], 0x33);
    return record;
}

// Journals whose records did not all land whole: a bad checksum, a record of
// an earlier journal (another nonce), a record cut short. Whatever the damage,
// the journal ends there, nothing past it is applied, nothing before it is
// skipped, and the file opens at the last commit, for reading and for writing.
TEST(PagerCrash, DamagedJournalRecordsEndTheJournal) {
    const CrashLoop loop(NewPagesFirst);
    const uint32_t foreignPage = std::next(loop.v1().pages.begin(), 60)->first;  // never journaled
    const std::vector<uint8_t> stale = StaleRecord(loop, foreignPage);
    const auto opensAtTheLastCommit = [&](const Files& files) {
        auto fs = FromFiles(files);
        CrashLoop::Outcome o;
        loop.Reopen(*fs, o);
        return o.version == 1
                   ? ::testing::AssertionSuccess()
                   : ::testing::AssertionFailure() << "version " << o.version << ": " << o.problem;
    };

    // Killed just before the commit syncs the journal: its header was synced
    // for the new pages already in the file, its records were not, so any of
    // them may be damaged; by the commit order none of their pages was
    // overwritten yet.
    const Files tail = Stopped(loop, At(loop.Last(FileOp::Sync, kJournal), Cut::ProcessDeath));
    ASSERT_GT(tail.at(kPath).size(), loop.v1Bytes().size()) << "no new pages reached the file";
    const std::vector<uint8_t>& journal = tail.at(kJournal);
    ASSERT_EQ((journal.size() - kJournalHeaderSize) % kRecordSize, 0u);
    const size_t records = (journal.size() - kJournalHeaderSize) / kRecordSize;
    ASSERT_GE(records, 60u);
    int runs = 0;
    for (size_t k = 0; k < records; ++k) {
        const size_t at = kJournalHeaderSize + k * kRecordSize;
        auto damaged = [&](const char* what, auto damage) {
            Files files = tail;
            damage(files[kJournal]);
            EXPECT_TRUE(opensAtTheLastCommit(files)) << what << " in record " << k;
            ++runs;
        };
        damaged("a flipped image byte", [&](auto& j) { j[at + 4 + 1000] ^= 0x01; });
        damaged("another page number", [&](auto& j) { EncodeU32(&j[at], foreignPage); });
        damaged("a flipped checksum bit", [&](auto& j) { j[at + kRecordSize - 1] ^= 0x80; });
        damaged("a record of an earlier journal", [&](auto& j) {
            std::copy(stale.begin(), stale.end(), j.begin() + static_cast<ptrdiff_t>(at));
        });
        for (size_t cut : {size_t{4}, kRecordSize - 1})
            damaged("the journal cut short", [&](auto& j) { j.resize(at + cut); });
    }

    // Killed half way through the commit's writes: the journal is synced whole
    // and committed pages are overwritten. Garbage past its last record (as a
    // journal that reused a longer file would have) must not stop it early.
    const int journalSync = loop.Last(FileOp::Sync, kJournal);
    const Files hot =
        Stopped(loop, At((journalSync + loop.Last(FileOp::Sync, kPath)) / 2, Cut::ProcessDeath));
    ASSERT_NE(hot.at(kPath), loop.v1Bytes());
    ASSERT_TRUE(opensAtTheLastCommit(hot));
    auto flipped = stale;
    flipped[100] ^= 0x01;
    for (const auto& garbage :
         {stale, flipped, std::vector<uint8_t>(stale.begin(), stale.begin() + 1000)}) {
        Files files = hot;
        files[kJournal].insert(files[kJournal].end(), garbage.begin(), garbage.end());
        EXPECT_TRUE(opensAtTheLastCommit(files)) << garbage.size() << " bytes appended";
        ++runs;
    }
    EXPECT_LT(runs, 500) << "keep the loop short";
}

}  // namespace
}  // namespace recaster::store
