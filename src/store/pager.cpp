// The pager: file header, free list, page cache and rollback journal of one
// store file.
//
// FILE HEADER (offset 0, 1463 bytes, then 73 zero bytes; pages start at 1536)
//
//   offset size  field
//   0      u16   version: 3 when written; 2 and 3 accepted when read
//   2      u8    marker, must be 1
//   3      u32   number of pages on the free list
//   7      u32   first page of the free list (0 = empty)
//   11     u16   index of the tree in use (always 0)
//   13     50x29 tree descriptors; only descriptor 0 is used:
//                  +0 u32 root page (0 = empty tree)   +4  u32 first leaf
//                  +8 u32 last leaf                    +12 u32 record count
//                  +16 u32 zero                        +20 u32 cursor page
//                  +24 u16 cursor position             +26 u16 zero
//                  +28 u8 height in levels (0 = empty, 1 = root is a leaf)
//
// Descriptors 1..49 and the zero fields are written back as they were read.
// A free page holds the next free page in its first four bytes (0 = end);
// the rest of a freed page is zeroed.
//
// JOURNAL ("<file>-journal", present only while a transaction has touched the file)
//
//   offset size  field
//   0      8     magic "RCSTJRN1"
//   8      8     nonce, random per journal
//   16     8     length of the file at the last commit
//   24     4     page size (2048)
//   28     4     checksum of bytes 0..27 and 32..1567
//   32     1536  bytes 0..1535 of the file at the last commit (header + zeros)
//   1568   ...   page records, 2056 bytes each:
//                  +0 u32 page number  +4 2048 committed page image
//                  +2052 u32 checksum of nonce, page number and image
//
// NOTES ON THE DESIGN OF THE PAGER (the rules that keep committed data safe)
//
//  1. Nothing is written to the store file during a transaction until the
//     journal exists with a valid header and the journal and its folder are
//     synced. The header captures the committed length and bytes 0..1535.
//  2. Pages below the committed length are overwritten only by Commit, after
//     the journal holds the committed image of each of them and is synced.
//     When the cache must make room during a transaction, it gives up all of
//     the store's unpinned dirty pages at once: committed pages go to the
//     journal (their old image, not yet synced) and to an unnamed scratch file
//     (their new image, read from there until Commit copies it in); pages at
//     or above the committed length are new and go straight to the store
//     file, since a rollback truncates them away. So a transaction syncs its
//     journal once for its new pages and once at Commit, however large it is.
//  3. The header (offset 0) is written only by Commit, after every dirty page,
//     and the file is synced before the journal is deleted.
//  4. Deleting the journal (then syncing the folder) is the commit point.
//     A commit that fails before it keeps its transaction, journal and all, to
//     be retried or rolled back; past it the new state is the committed one,
//     and a folder sync that failed is made again by the next Commit, or
//     before the next transaction writes to the file.
//  5. A journal found by Open is hot: its records are written back, the header
//     image restored, the file truncated to the committed length and synced,
//     and only then is the journal deleted. Rollback is idempotent, so a crash
//     during rollback is mended by the next open. A read-only open applies the
//     journal in memory instead (overlay_), leaving the files alone.
//  6. A record with a bad checksum ends the journal: by rule 2 the page it
//     would restore was never overwritten. A journal with a bad header is
//     deleted: by rule 1 the file was never touched.
//  7. A store being created lives under a temporary name; its first Commit
//     syncs it and renames it over the target, so a failed creation leaves no
//     half-made file and never destroys an existing one. Save As works the same
//     way and rolls the old file back to its last commit afterwards.
//
// PAGE CACHE: at most kMaxBuffers buffers for all open pagers together. Each
// pager lists its buffers most recently used first; the pool lists pagers most
// recently used first. A buffer is reused from the least recently used pager's
// least recently used unpinned buffer that is clean after writing it back; a
// read-only pager's dirty buffers are never written and stay.
#include "store/pager.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cassert>
#include <chrono>
#include <cstring>
#include <list>
#include <new>
#include <random>

#include "base/coding.h"

namespace recaster::store {

static_assert(kMaxBuffers <= BufferSet::kCapacity);

namespace {

constexpr char kJournalMagic[8] = {'R', 'C', 'S', 'T', 'J', 'R', 'N', '1'};
constexpr uint32_t kJournalHeaderSize = 32 + kFirstPage;
constexpr uint32_t kJournalRecordSize = 4 + kPageSize + 4;

// A fast 64-bit mix over the bytes, eight at a time; it only has to tell a
// torn or stale journal record from a whole one.
uint32_t Checksum(uint64_t seed, const uint8_t* p, size_t n) {
    uint64_t h = seed ^ 0x9E3779B97F4A7C15ull;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        h ^= DecodeU64(p + i);
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    }
    for (; i < n; ++i) {
        h ^= p[i];
        h *= 0x94D049BB133111EBull;
    }
    h ^= h >> 31;
    return static_cast<uint32_t>(h ^ (h >> 32));
}

uint64_t NewNonce() {
    // Seeded once: a journal needs a nonce that differs from the last one, not
    // fresh entropy at every commit.
    static std::mt19937_64 engine = [] {
        std::random_device rd;
        const uint64_t t =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seq{rd(), rd(), static_cast<unsigned>(t), static_cast<unsigned>(::getpid())};
        return std::mt19937_64(seq);
    }();
    return engine();
}

// One page to write at a byte offset of some file.
struct PageOut {
    uint64_t off;
    const uint8_t* bytes;
};

// Writes the pages, each run of adjacent ones with a single call.
void WriteGathered(File& file, std::vector<PageOut>& pages) {
    std::sort(pages.begin(), pages.end(),
              [](const PageOut& a, const PageOut& b) { return a.off < b.off; });
    std::vector<std::span<const uint8_t>> run;
    for (size_t i = 0; i < pages.size();) {
        size_t j = i + 1;
        while (j < pages.size() && pages[j].off == pages[j - 1].off + kPageSize) ++j;
        run.clear();
        for (size_t k = i; k < j; ++k) run.emplace_back(pages[k].bytes, kPageSize);
        file.WriteGatherAt(pages[i].off, run);
        i = j;
    }
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('/') + 1);
}

std::string TempNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

// ---------------------------------------------------------------------------
// The process-wide pool.

class BufferPool {
  public:
    static BufferPool& Get() {
        static BufferPool pool;
        return pool;
    }

    std::list<Pager*> stores;  // most recently used first
    size_t inUse = 0;

    void Front(Pager* p) {
        if (!stores.empty() && stores.front() == p) return;
        auto it = std::find(stores.begin(), stores.end(), p);
        if (it == stores.end())
            stores.push_front(p);
        else if (it != stores.begin())
            stores.splice(stores.begin(), stores, it);
    }
    void Leave(Pager* p) { stores.remove(p); }

    // A buffer taken back from some pager, or null when none can be freed.
    PageBuffer* Reclaim() {
        for (auto sit = stores.rbegin(); sit != stores.rend(); ++sit) {
            Pager* p = *sit;
            for (PageBuffer* b = p->buffers_.Oldest(); b; b = b->newer) {
                if (b->pins > 0) continue;
                if (b->dirty) {
                    if (!p->Writable()) continue;
                    // One journal sync for every dirty page of the store, not one per page.
                    p->Spill();
                }
                if (!b->dirty) {
                    p->Detach(b);
                    return b;
                }
            }
        }
        return nullptr;
    }
};

size_t Pager::BuffersInUse() {
    return BufferPool::Get().inUse;
}

void Pager::ReleaseUnusedBuffers() {
    BufferPool& pool = BufferPool::Get();
    for (Pager* p : pool.stores) {
        try {
            p->Spill();
        } catch (...) {
            // Its pages stay dirty in memory; nothing is lost by keeping them.
        }
        for (PageBuffer* b = p->buffers_.Oldest(); b;) {
            PageBuffer* newer = b->newer;
            if (b->pins == 0 && !b->dirty) {
                p->Detach(b);
                delete b;
                pool.inUse--;
            }
            b = newer;
        }
    }
}

// ---------------------------------------------------------------------------
// PageRef

PageRef::PageRef(PageBuffer* buf) : buf_(buf) {
    buf_->pins++;
}
PageRef::PageRef(PageRef&& other) noexcept : buf_(other.buf_) {
    other.buf_ = nullptr;
}
PageRef& PageRef::operator=(PageRef&& other) noexcept {
    if (this != &other) {
        Release();
        buf_ = other.buf_;
        other.buf_ = nullptr;
    }
    return *this;
}
PageRef::~PageRef() {
    Release();
}
void PageRef::Release() {
    if (buf_) {
        assert(buf_->pins > 0);
        buf_->pins--;
        buf_ = nullptr;
    }
}
uint32_t PageRef::pgno() const {
    return buf_->pgno;
}
const uint8_t* PageRef::data() const {
    return buf_->bytes;
}
uint8_t* PageRef::Mutable() {
    ++buf_->owner->changes_;
    if (!buf_->dirty) buf_->owner->BeforeFirstChange(buf_);
    buf_->dirty = true;
    buf_->verified = false;
    return buf_->bytes;
}
bool PageRef::Verified() const {
    return buf_->verified;
}
void PageRef::SetVerified() {
    buf_->verified = true;
}

// ---------------------------------------------------------------------------
// Pager: lifecycle

Pager::Pager(FileSystem& fs) : fs_(fs) {}

Pager::~Pager() {
    try {
        Close();
    } catch (...) {
        // A destructor cannot report; the journal left behind is rolled back at the next open.
    }
}

void Pager::DecodeHeader(const uint8_t* in) {
    std::memcpy(headerBytes_, in, kHeaderSize);
    header_.version = DecodeU16(in + 0);
    header_.marker = in[2];
    header_.freeCount = DecodeU32(in + 3);
    header_.freeHead = DecodeU32(in + 7);
    header_.treeIndex = DecodeU16(in + 11);
    const uint8_t* d = in + 13;
    header_.tree.root = DecodeU32(d + 0);
    header_.tree.firstLeaf = DecodeU32(d + 4);
    header_.tree.lastLeaf = DecodeU32(d + 8);
    header_.tree.recordCount = DecodeU32(d + 12);
    header_.tree.cursorPage = DecodeU32(d + 20);
    header_.tree.cursorPos = DecodeU16(d + 24);
    header_.tree.height = d[28];
    headerDirty_ = false;
}

void Pager::EncodeHeader(uint8_t* out) const {
    std::memcpy(out, headerBytes_, kHeaderSize);
    EncodeU16(out + 0, header_.version);
    out[2] = header_.marker;
    EncodeU32(out + 3, header_.freeCount);
    EncodeU32(out + 7, header_.freeHead);
    EncodeU16(out + 11, header_.treeIndex);
    uint8_t* d = out + 13;
    EncodeU32(d + 0, header_.tree.root);
    EncodeU32(d + 4, header_.tree.firstLeaf);
    EncodeU32(d + 8, header_.tree.lastLeaf);
    EncodeU32(d + 12, header_.tree.recordCount);
    EncodeU32(d + 20, header_.tree.cursorPage);
    EncodeU16(d + 24, header_.tree.cursorPos);
    d[28] = header_.tree.height;
}

// Refuses to replace `path` while another writer has it open, and settles a
// journal left there by a crash, so that the file we put there is never
// "rolled back" with pages of the one it replaced.
static void PrepareToReplace(FileSystem& fs, const std::string& path) {
    if (!fs.Exists(path)) {
        fs.Remove(path + "-journal");
        return;
    }
    {
        auto probe = fs.Open(path, OpenFlags{});
        if (!probe->TryLock(LockKind::Exclusive))
            throw FileError(FileError::Cause::SharingViolation, path,
                            "The file is open in another program; close it there first");
    }
    if (fs.Exists(path + "-journal")) {
        try {
            Pager settle(fs);
            settle.Open(path, OpenMode::ReadWrite);
            settle.Close();
        } catch (const FileError& e) {
            if (e.cause() == FileError::Cause::SharingViolation) throw;
            fs.Remove(path + "-journal");
        } catch (const ArchiveError&) {
            fs.Remove(path + "-journal");
        }
    }
}

void Pager::Create(const std::string& path) {
    Close();
    ReplaceTarget target = fs_.ReplaceTargetOf(path);
    PrepareToReplace(fs_, path);
    std::string temp = TempNameFor(target.path);
    auto file = fs_.Open(temp, OpenFlags{.write = true, .create = true, .truncate = true});
    try {
        file->TryLock(LockKind::Exclusive);
        // Synced with the first commit, before it takes the old file's place.
        fs_.KeepAttributes(*file, target);
        uint8_t first[kFirstPage] = {};
        header_ = StoreHeader{};
        std::memset(headerBytes_, 0, sizeof headerBytes_);
        EncodeHeader(first);
        file->WriteAt(0, first);
    } catch (...) {
        file.reset();
        fs_.Remove(temp);
        throw;
    }
    file_ = std::move(file);
    path_ = path;
    creatingTemp_ = temp;
    creatingTarget_ = std::move(target);
    mode_ = OpenMode::ReadWrite;
    EncodeHeader(headerBytes_);
    length_ = committedLength_ = kFirstPage;
    headerDirty_ = false;
    BufferPool::Get().Front(this);
}

void Pager::Open(const std::string& path, OpenMode mode) {
    Close();
    auto file = fs_.Open(path, OpenFlags{.write = mode == OpenMode::ReadWrite});
    if (!file->TryLock(mode == OpenMode::ReadWrite ? LockKind::Exclusive : LockKind::Shared))
        throw FileError(FileError::Cause::SharingViolation, path,
                        mode == OpenMode::ReadWrite
                            ? "The file is already open for editing, in this or another program"
                            : "The file is being edited in another program; close it there first");
    file_ = std::move(file);
    path_ = path;
    mode_ = mode;
    try {
        length_ = file_->Size();
        if (fs_.Exists(JournalPath())) RollbackFromJournal(mode == OpenMode::ReadWrite);

        uint8_t head[kHeaderSize];
        size_t got;
        if (overlayHeader_.empty()) {
            got = file_->ReadAt(0, head);
        } else {
            got = kHeaderSize;
            std::memcpy(head, overlayHeader_.data(), kHeaderSize);
        }
        if (got < 3 || DecodeU16(head) < 2 || DecodeU16(head) > 3 || head[2] != 1)
            throw ArchiveError(ArchiveError::Cause::BadClass, path,
                               "Not a configuration file of a known format (version 2 or 3)");
        if (got < kHeaderSize)
            throw ArchiveError(
                ArchiveError::Cause::EndOfFile, path,
                "The file ends inside its header (" + std::to_string(got) + " of 1463 bytes)");
        DecodeHeader(head);
        if (length_ > UINT32_MAX) length_ = UINT32_MAX;
        committedLength_ = length_;
    } catch (...) {
        file_.reset();
        overlay_.clear();
        overlayHeader_.clear();
        throw;
    }
    BufferPool::Get().Front(this);
}

void Pager::AbandonTransaction() {
    if (!creatingTemp_.empty()) {
        file_.reset();
        fs_.Remove(creatingTemp_);
    } else if (journal_ && Writable()) {
        RollbackFromJournal(true);
    }
}

void Pager::Close() {
    if (!file_) return;
    std::exception_ptr failure;
    try {
        AbandonTransaction();
    } catch (...) {
        failure = std::current_exception();
    }
    DropBuffers();
    BufferPool::Get().Leave(this);
    file_.reset();
    journal_.reset();
    journalNew_ = journalUnsynced_ = false;
    unsyncedFolder_.clear();
    creatingTemp_.clear();
    overlay_.clear();
    overlayHeader_.clear();
    journaled_.Clear();
    pendingImages_.clear();
    ResetSpill();
    path_.clear();
    header_ = StoreHeader{};
    headerDirty_ = false;
    unfinished_ = false;
    length_ = committedLength_ = 0;
    if (failure) std::rethrow_exception(failure);
}

void Pager::RefuseUnfinished() const {
    if (unfinished_)
        throw FileError(FileError::Cause::Generic, path_,
                        "An earlier failure left the changes half made, so they cannot be "
                        "saved; close the file without saving and open it again");
}

void Pager::Commit() {
    if (!file_) throw FileError(FileError::Cause::InvalidFile, path_, "No file is open");
    RefuseUnfinished();
    std::vector<PageBuffer*> dirty;
    for (PageBuffer* b = buffers_.Newest(); b; b = b->older)
        if (b->dirty) dirty.push_back(b);

    header_.version = 3;
    uint8_t first[kFirstPage] = {};
    EncodeHeader(first);
    bool headerChanged = std::memcmp(first, headerBytes_, kHeaderSize) != 0;
    if (dirty.empty() && !headerChanged && !journal_ && creatingTemp_.empty() && spillCount_ == 0) {
        // The last commit failed only to sync the folder: that sync is owed.
        if (!unsyncedFolder_.empty()) {
            fs_.SyncDir(unsyncedFolder_);
            unsyncedFolder_.clear();
        }
        return;
    }
    if (!Writable())
        throw FileError(FileError::Cause::AccessDenied, path_,
                        "The file is open for reading only; its changes cannot be saved");

    if (creatingTemp_.empty()) {
        EnsureJournal();
        std::vector<uint32_t> old;
        for (PageBuffer* b : dirty)
            if (b->pgno < committedLength_) old.push_back(b->pgno);
        JournalPages(old);
        SyncJournal();
    }
    CopySpilled(*file_);
    std::vector<PageOut> out;
    for (PageBuffer* b : dirty)
        if (SpillSlot(b->pgno) == 0) out.push_back({b->pgno, b->bytes});
    WriteGathered(*file_, out);
    pageWrites_ += out.size();
    file_->WriteAt(0, first);
    file_->Sync();
    for (PageBuffer* b : dirty) b->dirty = false;

    // The commit point (rule 4). Until it is passed the transaction stays open,
    // journal and all, so a failed commit can be retried or rolled back; once
    // it is passed the new state is the committed one, even when the folder
    // sync after it fails.
    const std::string folder = creatingTemp_.empty() ? JournalPath() : creatingTarget_.path;
    if (!creatingTemp_.empty()) {
        PrepareToReplace(fs_, path_);
        fs_.Rename(creatingTemp_, creatingTarget_.path);
        file_->SetPath(path_);
        creatingTemp_.clear();
    } else {
        fs_.Remove(JournalPath());
        journal_.reset();
        journalNew_ = journalUnsynced_ = false;
    }
    std::memcpy(headerBytes_, first, kHeaderSize);
    headerDirty_ = false;
    committedLength_ = length_;
    journaled_.Clear();
    pendingImages_.clear();
    ResetSpill();
    unsyncedFolder_ = folder;
    fs_.SyncDir(folder);
    unsyncedFolder_.clear();
}

void Pager::SaveAs(const std::string& newPath) {
    if (!file_) throw FileError(FileError::Cause::InvalidFile, path_, "No file is open");
    RefuseUnfinished();
    FileIdentity a, b;
    if (newPath == path_ || newPath == creatingTemp_ ||
        (fs_.Identify(newPath, b) &&
         fs_.Identify(creatingTemp_.empty() ? path_ : creatingTemp_, a) && a == b))
        throw FileError(FileError::Cause::BadPath, newPath,
                        "This is the file being saved; choose another name for the copy");
    const ReplaceTarget target = fs_.ReplaceTargetOf(newPath);
    PrepareToReplace(fs_, newPath);

    std::string temp = TempNameFor(target.path);
    auto out = fs_.Open(temp, OpenFlags{.write = true, .create = true, .truncate = true});
    try {
        out->TryLock(LockKind::Exclusive);
        // The file as it stands (early write-backs included), block by block.
        uint64_t physical = std::min<uint64_t>(file_->Size(), length_);
        std::vector<uint8_t> block;
        size_t blockSize = 1 << 20;
        for (uint64_t off = 0; off < physical; off += blockSize) {
            block.resize(std::min<uint64_t>(blockSize, physical - off));
            size_t got = file_->ReadAt(off, block);
            out->WriteAt(off, std::span<const uint8_t>(block.data(), got));
        }
        for (const auto& [pgno, image] : overlay_) out->WriteAt(pgno, image);
        CopySpilled(*out);
        for (PageBuffer* buf = buffers_.Newest(); buf; buf = buf->older)
            if (buf->dirty)
                out->WriteAt(buf->pgno, std::span<const uint8_t>(buf->bytes, kPageSize));
        header_.version = 3;
        uint8_t first[kFirstPage] = {};
        EncodeHeader(first);
        out->WriteAt(0, first);
        out->Truncate(length_);
        fs_.KeepAttributes(*out, target);
        out->Sync();
        fs_.Rename(temp, target.path);
        out->SetPath(newPath);
        fs_.SyncDir(target.path);
        std::memcpy(headerBytes_, first, kHeaderSize);
    } catch (...) {
        out.reset();
        try {
            fs_.Remove(temp);
        } catch (...) {
        }
        throw;
    }

    // The new file is committed; the old one goes back to its last commit.
    try {
        AbandonTransaction();
    } catch (...) {
        // Its journal stays and is rolled back when that file is next opened.
    }
    file_ = std::move(out);
    journal_.reset();
    journalNew_ = journalUnsynced_ = false;
    unsyncedFolder_.clear();
    creatingTemp_.clear();
    overlay_.clear();
    overlayHeader_.clear();
    journaled_.Clear();
    pendingImages_.clear();
    ResetSpill();
    path_ = newPath;
    mode_ = OpenMode::ReadWrite;
    for (PageBuffer* buf = buffers_.Newest(); buf; buf = buf->older) buf->dirty = false;
    headerDirty_ = false;
    committedLength_ = length_;
}

// ---------------------------------------------------------------------------
// Journal

void Pager::EnsureJournal() {
    if (journal_) return;
    uint8_t head[kJournalHeaderSize] = {};
    std::memcpy(head, kJournalMagic, 8);
    journalNonce_ = NewNonce();
    EncodeU64(head + 8, journalNonce_);
    EncodeU64(head + 16, committedLength_);
    EncodeU32(head + 24, kPageSize);
    // Bytes 0..1535 of the file hold the committed header: it is only written by Commit.
    file_->ReadAt(0, std::span<uint8_t>(head + 32, kFirstPage));
    uint32_t sum = Checksum(journalNonce_, head, 28);
    sum = Checksum(sum, head + 32, kFirstPage);
    EncodeU32(head + 28, sum);

    auto journal =
        fs_.Open(JournalPath(), OpenFlags{.write = true, .create = true, .truncate = true});
    journal->WriteAt(0, head);
    journal_ = std::move(journal);
    journalEnd_ = kJournalHeaderSize;
    journalNew_ = true;
    journalUnsynced_ = true;
}

void Pager::JournalPages(const std::vector<uint32_t>& pgnos) {
    std::vector<uint8_t> records;
    for (uint32_t pgno : pgnos) {
        if (pgno + kPageSize > committedLength_ || journaled_.Has(pgno)) continue;
        size_t at = records.size();
        records.resize(at + kJournalRecordSize, 0);
        uint8_t* r = records.data() + at;
        EncodeU32(r, pgno);
        auto pending = pendingImages_.find(pgno);
        if (pending != pendingImages_.end()) {
            std::memcpy(r + 4, pending->second.data(), kPageSize);
            pendingImages_.erase(pending);
        } else {
            file_->ReadAt(pgno, std::span<uint8_t>(r + 4, kPageSize));
        }
        EncodeU32(r + 4 + kPageSize, Checksum(journalNonce_ ^ pgno, r + 4, kPageSize));
        journaled_.Add(pgno);
    }
    if (records.empty()) return;
    journal_->WriteAt(journalEnd_, records);
    journalEnd_ += records.size();
    journalUnsynced_ = true;
}

void Pager::BeforeFirstChange(PageBuffer* buf) {
    // A clean buffer of a committed page holds the committed image (a page
    // written back early in this transaction is journaled already): keep it for
    // the journal now rather than read it back from the file later.
    if (!Writable() || !creatingTemp_.empty() || !overlay_.empty()) return;
    if (static_cast<uint64_t>(buf->pgno) + kPageSize > committedLength_) return;
    if (journaled_.Has(buf->pgno) || pendingImages_.count(buf->pgno)) return;
    pendingImages_.emplace(buf->pgno, std::vector<uint8_t>(buf->bytes, buf->bytes + kPageSize));
}

void Pager::SyncJournal() {
    if (!journalUnsynced_) return;
    journal_->Sync();
    if (journalNew_) {
        // A folder sync the last commit owes comes before anything the new
        // transaction writes to the file (a new store renamed through a link
        // sits in another folder than its journal).
        if (!unsyncedFolder_.empty() && FolderOf(unsyncedFolder_) != FolderOf(JournalPath()))
            fs_.SyncDir(unsyncedFolder_);
        fs_.SyncDir(JournalPath());
        journalNew_ = false;
        unsyncedFolder_.clear();
    }
    journalUnsynced_ = false;
}

void Pager::RollbackFromJournal(bool writeBack) {
    std::unique_ptr<File> journal = std::move(journal_);
    journalNew_ = journalUnsynced_ = false;
    if (!journal) journal = fs_.Open(JournalPath(), OpenFlags{.write = writeBack});
    uint64_t size = journal->Size();
    uint8_t head[kJournalHeaderSize];
    bool valid = size >= kJournalHeaderSize && journal->ReadAt(0, head) == kJournalHeaderSize &&
                 std::memcmp(head, kJournalMagic, 8) == 0 && DecodeU32(head + 24) == kPageSize;
    if (valid) {
        uint64_t nonce = DecodeU64(head + 8);
        uint32_t sum = Checksum(nonce, head, 28);
        sum = Checksum(sum, head + 32, kFirstPage);
        valid = sum == DecodeU32(head + 28);
    }
    if (valid) {
        uint64_t nonce = DecodeU64(head + 8);
        uint64_t origLength = DecodeU64(head + 16);
        std::vector<uint8_t> rec(kJournalRecordSize);
        std::map<uint32_t, std::vector<uint8_t>> images;
        for (uint64_t off = kJournalHeaderSize; off + kJournalRecordSize <= size;
             off += kJournalRecordSize) {
            if (journal->ReadAt(off, rec) != kJournalRecordSize) break;
            uint32_t pgno = DecodeU32(rec.data());
            if (Checksum(nonce ^ pgno, rec.data() + 4, kPageSize) !=
                DecodeU32(rec.data() + 4 + kPageSize))
                break;
            if (pgno < kFirstPage || (pgno - kFirstPage) % kPageSize != 0 ||
                pgno + static_cast<uint64_t>(kPageSize) > origLength)
                break;
            images.emplace(pgno,
                           std::vector<uint8_t>(rec.begin() + 4, rec.begin() + 4 + kPageSize));
        }
        if (writeBack) {
            for (const auto& [pgno, image] : images) file_->WriteAt(pgno, image);
            file_->WriteAt(0, std::span<const uint8_t>(head + 32, kFirstPage));
            file_->Truncate(origLength);
            file_->Sync();
        } else {
            overlay_ = std::move(images);
            overlayHeader_.assign(head + 32, head + 32 + kFirstPage);
        }
        length_ = origLength;
    }
    if (writeBack) {
        journal.reset();
        fs_.Remove(JournalPath());
        fs_.SyncDir(JournalPath());
    }
    // Buffers of pages that were written back early now disagree with the file.
    for (PageBuffer* buf = buffers_.Newest(); buf; buf = buf->older) buf->dirty = false;
    DropBuffers();
    journaled_.Clear();
    pendingImages_.clear();
    ResetSpill();
}

// ---------------------------------------------------------------------------
// Pages

bool Pager::IsPage(uint32_t pgno) const {
    return pgno >= kFirstPage && (pgno - kFirstPage) % kPageSize == 0 &&
           static_cast<uint64_t>(pgno) + kPageSize <= length_;
}

void Pager::Corrupt(const std::string& what) const {
    throw ArchiveError(ArchiveError::Cause::Generic, path_, "The file is damaged: " + what);
}

PageBuffer* Pager::Lookup(uint32_t pgno) {
    return buffers_.Find(pgno);
}

void Pager::Touch(PageBuffer* buf) {
    buffers_.MakeNewest(buf);
    BufferPool::Get().Front(this);
}

void Pager::Detach(PageBuffer* buf) {
    buffers_.Remove(buf);
    buf->owner = nullptr;
}

PageBuffer* Pager::Obtain(uint32_t pgno) {
    BufferPool& pool = BufferPool::Get();
    PageBuffer* buf = nullptr;
    if (pool.inUse < kMaxBuffers) {
        buf = new (std::nothrow) PageBuffer;
        if (buf) pool.inUse++;
    }
    if (!buf) buf = pool.Reclaim();
    if (!buf) throw std::bad_alloc();
    buf->owner = this;
    buf->pgno = pgno;
    buf->dirty = false;
    buf->verified = false;
    buf->pins = 0;
    buffers_.AddNewest(buf);
    pool.Front(this);
    return buf;
}

void Pager::DropBuffers() {
    BufferPool& pool = BufferPool::Get();
    for (PageBuffer* b = buffers_.Newest(); b;) {
        assert(b->pins == 0);
        PageBuffer* older = b->older;
        delete b;
        pool.inUse--;
        b = older;
    }
    buffers_.Clear();
}

void Pager::ReadCurrent(uint32_t pgno, uint8_t* out) {
    auto ov = overlay_.find(pgno);
    if (ov != overlay_.end()) {
        std::memcpy(out, ov->second.data(), kPageSize);
        return;
    }
    pageReads_++;
    const std::span<uint8_t> into(out, kPageSize);
    if (const uint32_t slot = SpillSlot(pgno)) {
        if (scratch_->ReadAt(uint64_t{slot - 1} * kPageSize, into) != kPageSize)
            throw FileError(FileError::Cause::EndOfFile, scratch_->path(),
                            "The scratch file lost page " + std::to_string(pgno));
        return;
    }
    if (file_->ReadAt(pgno, into) != kPageSize)
        throw FileError(FileError::Cause::EndOfFile, path_,
                        "The file ends inside page " + std::to_string(pgno));
}

void Pager::ReadPage(PageBuffer* buf) {
    ReadCurrent(buf->pgno, buf->bytes);
}

void Pager::Spill() {
    if (!Writable()) return;
    // A store being created has no committed pages: all of its pages are new.
    const bool creating = !creatingTemp_.empty();
    std::vector<PageBuffer*> committed, fresh;
    for (PageBuffer* b = buffers_.Newest(); b; b = b->older) {
        if (!b->dirty || b->pins > 0) continue;
        const bool old = !creating && uint64_t{b->pgno} + kPageSize <= committedLength_;
        (old ? committed : fresh).push_back(b);
    }
    if (!committed.empty()) {
        EnsureJournal();
        std::vector<uint32_t> pgnos;
        for (PageBuffer* b : committed) pgnos.push_back(b->pgno);
        JournalPages(pgnos);
        SpillToScratch(committed);
    }
    if (!fresh.empty()) {
        // New pages may go to the store file once the journal that truncates
        // them away on a rollback is durable.
        if (!creating) {
            EnsureJournal();
            if (journalNew_) SyncJournal();
        }
        std::vector<PageOut> out;
        for (PageBuffer* b : fresh) out.push_back({b->pgno, b->bytes});
        WriteGathered(*file_, out);
        for (PageBuffer* b : fresh) b->dirty = false;
        pageWrites_ += fresh.size();
    }
}

// ---------------------------------------------------------------------------
// Scratch file

void Pager::SpillToScratch(const std::vector<PageBuffer*>& pages) {
    if (!scratch_) scratch_ = fs_.OpenScratch(path_);
    // Only committed pages spill: one slot entry for each, made at once rather
    // than grown (growing would briefly hold the old and the new array).
    if (spillSlot_.empty()) spillSlot_.assign((committedLength_ - kFirstPage) / kPageSize + 1, 0);
    std::vector<PageOut> out;
    for (PageBuffer* b : pages) {
        const size_t i = (b->pgno - kFirstPage) / kPageSize;
        if (i >= spillSlot_.size()) spillSlot_.resize(i + 1, 0);
        if (spillSlot_[i] == 0) spillSlot_[i] = ++spillCount_;
        out.push_back({uint64_t{spillSlot_[i] - 1} * kPageSize, b->bytes});
    }
    WriteGathered(*scratch_, out);
    for (PageBuffer* b : pages) b->dirty = false;
    pageWrites_ += pages.size();
}

void Pager::CopySpilled(File& target) {
    if (spillCount_ == 0) return;
    // A chunk at a time, lowest page first, so the staging memory stays small
    // however many pages spilled.
    constexpr size_t kChunk = 64;
    std::vector<uint8_t> staging(kChunk * kPageSize);
    std::vector<uint32_t> chunk;
    std::vector<PageOut> out;
    auto flush = [&] {
        out.clear();
        for (size_t k = 0; k < chunk.size();) {
            if (PageBuffer* b = Lookup(chunk[k])) {
                out.push_back({chunk[k], b->bytes});  // newer than, or equal to, its slot
                ++k;
                continue;
            }
            // Pages given up together sit in adjacent slots: read them in one call.
            const uint32_t slot = SpillSlot(chunk[k]);
            size_t run = 1;
            while (k + run < chunk.size() && SpillSlot(chunk[k + run]) == slot + run &&
                   !Lookup(chunk[k + run]))
                ++run;
            uint8_t* into = staging.data() + k * kPageSize;
            if (scratch_->ReadAt(uint64_t{slot - 1} * kPageSize,
                                 std::span<uint8_t>(into, run * kPageSize)) != run * kPageSize)
                throw FileError(FileError::Cause::EndOfFile, scratch_->path(),
                                "The scratch file lost page " + std::to_string(chunk[k]));
            for (size_t r = 0; r < run; ++r) out.push_back({chunk[k + r], into + r * kPageSize});
            k += run;
        }
        WriteGathered(target, out);
        chunk.clear();
    };
    for (size_t i = 0; i < spillSlot_.size(); ++i) {
        if (spillSlot_[i] == 0) continue;
        chunk.push_back(static_cast<uint32_t>(kFirstPage + i * kPageSize));
        if (chunk.size() == kChunk) flush();
    }
    if (!chunk.empty()) flush();
}

void Pager::ResetSpill() {
    spillSlot_.clear();
    spillSlot_.shrink_to_fit();
    spillCount_ = 0;
    scratch_.reset();  // an unnamed file: closing it gives its space back
}

PageRef Pager::Get(uint32_t pgno) {
    if (!IsPage(pgno))
        Corrupt("page number " + std::to_string(pgno) + " is not a page of this file");
    PageBuffer* buf = Lookup(pgno);
    if (buf) {
        Touch(buf);
        return PageRef(buf);
    }
    buf = Obtain(pgno);
    try {
        ReadPage(buf);
    } catch (...) {
        Detach(buf);
        delete buf;
        BufferPool::Get().inUse--;
        throw;
    }
    return PageRef(buf);
}

void Pager::ReadCopy(uint32_t pgno, uint8_t* out) {
    if (!IsPage(pgno))
        Corrupt("page number " + std::to_string(pgno) + " is not a page of this file");
    if (PageBuffer* buf = Lookup(pgno)) {
        Touch(buf);
        std::memcpy(out, buf->bytes, kPageSize);
        return;
    }
    ReadCurrent(pgno, out);
}

PageRef Pager::Allocate() {
    if (header_.freeHead != 0) {
        uint32_t pgno = header_.freeHead;
        if (header_.freeCount == 0 || !IsPage(pgno))
            Corrupt("the free list starts at " + std::to_string(pgno) + " with " +
                    std::to_string(header_.freeCount) + " pages");
        PageRef ref = Get(pgno);
        uint32_t next = DecodeU32(ref.data());
        if (next != 0 && !IsPage(next))
            Corrupt("free page " + std::to_string(pgno) + " links to " + std::to_string(next));
        StoreHeader& h = MutableHeader();
        h.freeHead = next;
        h.freeCount--;
        std::memset(ref.Mutable(), 0, kPageSize);
        return ref;
    }
    if (header_.freeCount != 0)
        Corrupt("the free list is empty but counts " + std::to_string(header_.freeCount) +
                " pages");
    if (length_ + kPageSize > UINT32_MAX)
        throw FileError(FileError::Cause::DiskFull, path_, "The file cannot grow beyond 4 GiB");
    uint32_t pgno = static_cast<uint32_t>(length_);
    PageBuffer* buf = Obtain(pgno);
    ++changes_;
    length_ += kPageSize;
    std::memset(buf->bytes, 0, kPageSize);
    buf->dirty = true;
    return PageRef(buf);
}

void Pager::Free(uint32_t pgno) {
    PageRef ref = Get(pgno);
    uint8_t* bytes = ref.Mutable();
    std::memset(bytes, 0, kPageSize);
    StoreHeader& h = MutableHeader();
    EncodeU32(bytes, h.freeHead);
    h.freeHead = pgno;
    h.freeCount++;
}

}  // namespace recaster::store
