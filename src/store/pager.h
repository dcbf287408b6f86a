// The pager: one store file, its header, its free list, and its share of the
// process-wide page cache (at most kMaxBuffers buffers for all open stores
// together, reused least recently used first). Committed data in the file is
// protected by a rollback journal "<file>-journal"; see pager.cpp for the
// journal format and the numbered rules that keep a file openable at the state
// of its last commit after any crash or close.
//
// Page numbers are byte offsets (1536, 3584, ...). Every page number handed to
// Get() is checked against the file; a bad one raises ArchiveError naming the file.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/buffer_set.h"
#include "store/file_system.h"
#include "store/page_bits.h"
#include "store/page_format.h"

namespace recaster::store {

inline constexpr size_t kMaxBuffers = 50;

struct TreeDescriptor {
    uint32_t root = 0;
    uint32_t firstLeaf = 0;
    uint32_t lastLeaf = 0;
    uint32_t recordCount = 0;
    uint32_t cursorPage = 0;
    uint16_t cursorPos = 0;
    uint8_t height = 0;
};

// The decoded header. Bytes the program does not use (descriptors 1..49) are
// kept as read and written back unchanged.
struct StoreHeader {
    uint16_t version = 3;
    uint8_t marker = 1;
    uint32_t freeCount = 0;
    uint32_t freeHead = 0;
    uint16_t treeIndex = 0;
    TreeDescriptor tree;
};

enum class OpenMode { ReadOnly, ReadWrite };

class Pager;

// A pinned page. While a PageRef lives its buffer is never reused; let it go as
// soon as the operation is done with the page. Move-only.
class PageRef {
  public:
    PageRef() = default;
    PageRef(PageRef&& other) noexcept;
    PageRef& operator=(PageRef&& other) noexcept;
    PageRef(const PageRef&) = delete;
    PageRef& operator=(const PageRef&) = delete;
    ~PageRef();

    explicit operator bool() const { return buf_ != nullptr; }
    uint32_t pgno() const;
    const uint8_t* data() const;
    // Marks the page dirty and returns its bytes for writing; the page is no
    // longer verified.
    uint8_t* Mutable();
    // Whether the page's owner checked the bytes since they were read or last
    // changed (the tree checks each page once, not at every visit).
    bool Verified() const;
    void SetVerified();

  private:
    friend class Pager;
    explicit PageRef(PageBuffer* buf);
    void Release();
    PageBuffer* buf_ = nullptr;
};

class Pager {
  public:
    explicit Pager(FileSystem& fs);
    ~Pager();  // Close(), errors swallowed
    Pager(const Pager&) = delete;
    Pager& operator=(const Pager&) = delete;

    // A new, empty store under `path`. It is built under a temporary name and
    // only replaces `path` at the first Commit(), so a failed creation never
    // leaves a half-made file (nor destroys an existing one).
    // Throws FileError, e.g. sharing violation when a writer has `path` open.
    void Create(const std::string& path);
    // Opens and checks the header (version 2 or 3, marker byte 1; else
    // ArchiveError bad class). A leftover journal is rolled back first (in
    // memory only for a read-only open). Read-write opens lock the file
    // exclusively, read-only opens shared; a conflict is a sharing violation.
    void Open(const std::string& path, OpenMode mode);
    // Makes the current state durable in the file (atomic; see pager.cpp).
    void Commit();
    // Copies the file to `newPath`, commits the current state there and switches
    // to it; the old file keeps its last committed state. Refuses (FileError
    // bad path) when newPath is the current file, by name or through a link.
    void SaveAs(const std::string& newPath);
    // Drops uncommitted changes (rolling back early write-backs) and closes.
    void Close();

    bool IsOpen() const { return file_ != nullptr; }
    bool Writable() const { return mode_ == OpenMode::ReadWrite; }
    const std::string& path() const { return path_; }
    FileSystem& fs() { return fs_; }

    const StoreHeader& header() const { return header_; }
    // The header for changing; it is written at the next Commit().
    StoreHeader& MutableHeader() {
        headerDirty_ = true;
        ++changes_;
        return header_;
    }
    // The search cursor: working state kept in the header, not counted as a change.
    void SetCursor(uint32_t page, uint16_t pos) {
        header_.tree.cursorPage = page;
        header_.tree.cursorPos = pos;
        headerDirty_ = true;
    }

    // How many times pages or the header were changed: an owner compares it
    // before and after an operation that failed to tell whether the failure
    // left a change half made.
    uint64_t Changes() const { return changes_; }
    // Marks the changes since the last commit as unfinished: Commit and SaveAs
    // refuse them (FileError) until Close drops them, so a half-made change
    // never reaches a file.
    void MarkUnfinished() { unfinished_ = true; }
    bool Unfinished() const { return unfinished_; }

    // Logical length of the file in bytes (pages allocated but not yet written count).
    uint64_t Length() const { return length_; }
    // True when pgno names a whole page inside the file.
    bool IsPage(uint32_t pgno) const;
    // The page, from the cache or read from the file; pinned while the ref lives.
    PageRef Get(uint32_t pgno);
    // Copies the page into `out` (kPageSize bytes): from the cache when it is
    // there, else straight from the file without taking a buffer, so that
    // reading a long value does not push the tree's pages out of the cache.
    void ReadCopy(uint32_t pgno, uint8_t* out);
    // Whether the page is in the cache now (no change to its place in the LRU order).
    bool Cached(uint32_t pgno) const { return buffers_.Find(pgno) != nullptr; }
    // A zeroed, dirty page: the head of the free list, else a new page at the end.
    PageRef Allocate();
    // Pushes the page on the free list.
    void Free(uint32_t pgno);

    // Throws ArchiveError (generic) naming the file: for damage found in pages.
    [[noreturn]] void Corrupt(const std::string& what) const;

    // Cache statistics for tests and benchmarks.
    size_t CachedPages() const { return buffers_.size(); }
    uint64_t PageReads() const { return pageReads_; }
    uint64_t PageWrites() const { return pageWrites_; }

    // Process-wide: buffers in use by all open pagers.
    static size_t BuffersInUse();
    // Process-wide: every writable store writes back its unpinned dirty pages
    // (as when the cache makes room), then every unpinned clean buffer is
    // freed. Dirty pages of a read-only store stay, and so do the dirty pages
    // of a store whose write-back fails: they are still in memory, and its
    // next commit meets (and reports) the failure. Never throws.
    static void ReleaseUnusedBuffers();

  private:
    friend class PageRef;
    friend class BufferPool;

    PageBuffer* Lookup(uint32_t pgno);
    PageBuffer* Obtain(uint32_t pgno);  // a buffer for pgno, reusing one when at the limit
    void ReadPage(PageBuffer* buf);
    // Reads page pgno as this transaction last left it: from the read-only
    // overlay, the scratch file or the store file, in that order.
    void ReadCurrent(uint32_t pgno, uint8_t* out);
    void Touch(PageBuffer* buf);
    void Detach(PageBuffer* buf);
    void DropBuffers();

    void RefuseUnfinished() const;
    void EncodeHeader(uint8_t* out) const;
    void DecodeHeader(const uint8_t* in);

    // Journal (pager.cpp).
    std::string JournalPath() const { return path_ + "-journal"; }
    void EnsureJournal();  // created and written, not yet synced
    void JournalPages(const std::vector<uint32_t>& pgnos);
    void SyncJournal();  // the journal, and its folder when it is new
    // Makes room in the cache: writes back every unpinned dirty page (committed
    // ones to the scratch file, new ones to the store file).
    void Spill();
    void BeforeFirstChange(PageBuffer* buf);
    void RollbackFromJournal(bool writeBack);
    // Puts the file back to its last commit (or drops a store being created).
    void AbandonTransaction();

    // Scratch file of committed pages spilled in this transaction (pager.cpp).
    void SpillToScratch(const std::vector<PageBuffer*>& pages);
    // Writes the newest image of every spilled page into `target` at its place.
    void CopySpilled(File& target);
    void ResetSpill();

    FileSystem& fs_;
    std::unique_ptr<File> file_;
    std::string path_;
    std::string creatingTemp_;      // a store being created lives here until its first Commit()
    ReplaceTarget creatingTarget_;  // ... and then takes this file's place
    OpenMode mode_ = OpenMode::ReadOnly;

    StoreHeader header_;
    uint8_t headerBytes_[kHeaderSize] = {};  // as last read or committed
    bool headerDirty_ = false;
    uint64_t length_ = 0;           // logical length
    uint64_t committedLength_ = 0;  // length at the last commit

    BufferSet buffers_;

    std::unique_ptr<File> journal_;
    uint64_t journalEnd_ = 0;
    uint64_t journalNonce_ = 0;
    bool journalNew_ = false;       // its folder entry is not synced yet
    bool journalUnsynced_ = false;  // written since the last sync
    // A path in the folder whose sync the last commit point still owes; empty when none.
    std::string unsyncedFolder_;
    PageBits journaled_;  // committed pages whose image the journal holds
    // Committed images of pages changed since the journal last took records;
    // at most the pages the cache holds dirty.
    std::unordered_map<uint32_t, std::vector<uint8_t>> pendingImages_;
    // A read-only open over a hot journal sees committed pages from here.
    std::map<uint32_t, std::vector<uint8_t>> overlay_;
    std::vector<uint8_t> overlayHeader_;

    // Committed pages that the cache had to give up before the commit: their
    // new images wait in an unnamed scratch file, so the store file keeps its
    // committed pages untouched until Commit and the journal needs one sync
    // per transaction instead of one per write-back. Pages given up together
    // take adjacent slots, so they are written (and read back) in one call.
    std::unique_ptr<File> scratch_;
    std::vector<uint32_t> spillSlot_;  // per page of the file: slot + 1, 0 = not spilled
    uint32_t spillCount_ = 0;          // slots handed out
    uint32_t SpillSlot(uint32_t pgno) const {
        const size_t i = (pgno - kFirstPage) / kPageSize;
        return i < spillSlot_.size() ? spillSlot_[i] : 0;
    }

    uint64_t changes_ = 0;
    bool unfinished_ = false;
    uint64_t pageReads_ = 0;
    uint64_t pageWrites_ = 0;
};

}  // namespace recaster::store
