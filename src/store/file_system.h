// The file layer under the page store: a tiny file-system interface with a
// POSIX implementation for real files and an in-memory one for tests and
// fuzzing. Both honour a FaultHook that is asked before every operation that
// changes durable state, so tests can fail or "kill" the program at each write
// and sync of a commit.
//
// The in-memory file system models crashes for the journal's tests: Crash()
// loses file contents written since the file's last Sync and directory entries
// created or removed since the directory's last SyncDir; CrashTorn() lets any
// part of them land, in any order, as a disk that writes back on its own does.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/errors.h"

namespace recaster::store {

enum class FileOp { Write, Sync, Truncate, Remove, Rename, SyncDir, Create };

const char* FileOpName(FileOp op);

// Asked before each durable operation. Return normally to let it happen; throw
// (a FileError, say) to make it fail; a test may also end the process here.
using FaultHook = std::function<void(FileOp op, const std::string& path)>;

enum class LockKind { Shared, Exclusive };

class File {
  public:
    virtual ~File() = default;
    // Reads up to buf.size() bytes at off; returns how many were read (short at end of file).
    virtual size_t ReadAt(uint64_t off, std::span<uint8_t> buf) = 0;
    virtual void WriteAt(uint64_t off, std::span<const uint8_t> data) = 0;
    // Writes the parts one after the other from `off`, as one write where the
    // file layer can (a run of pages costs one call instead of one per page).
    virtual void WriteGatherAt(uint64_t off, std::span<const std::span<const uint8_t>> parts) {
        for (auto part : parts) {
            WriteAt(off, part);
            off += part.size();
        }
    }
    virtual void Sync() = 0;
    virtual void Truncate(uint64_t length) = 0;
    virtual uint64_t Size() = 0;
    // Non-blocking advisory lock on the whole file; false when another opener holds
    // a conflicting one. Released when the File is destroyed.
    virtual bool TryLock(LockKind kind) = 0;
    virtual const std::string& path() const = 0;
    // The name the file now has, after a rename; used in messages only.
    virtual void SetPath(const std::string& path) = 0;
};

struct OpenFlags {
    bool write = false;
    bool create = false;    // create when missing
    bool truncate = false;  // empty an existing file
};

// Identity of a file for "is this the same file" questions (device and inode).
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Replacing an existing file with a new one keeps what the user set on it.
// The new file is written beside `path`, the file that a symbolic link at
// the given name ends at (so the link stays a link), and renamed onto it;
// it gets the old file's permission bits, and its owner and group where the
// user may give them.
struct ReplaceTarget {
    std::string path;  // where the new file goes
    bool exists = false;
    uint32_t mode = 0;  // permission bits of the file there
    uint32_t owner = 0;
    uint32_t group = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Throws FileError (not found, access denied, ...) naming the path.
    virtual std::unique_ptr<File> Open(const std::string& path, OpenFlags flags) = 0;
    // An unnamed read-write file in the folder of `nearPath`, gone when closed or
    // after a crash: scratch space whose contents never need to survive.
    virtual std::unique_ptr<File> OpenScratch(const std::string& nearPath) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // Whether `path` is a folder, following links. In-memory file systems
    // have none.
    virtual bool IsFolder(const std::string& /*path*/) { return false; }
    // Removing a missing file is not an error.
    virtual void Remove(const std::string& path) = 0;
    virtual void Rename(const std::string& from, const std::string& to) = 0;
    // Makes creations, removals and renames in the directory of `path` durable.
    virtual void SyncDir(const std::string& path) = 0;
    // Identity of an existing file, following links; false when it does not exist.
    virtual bool Identify(const std::string& path, FileIdentity& out) = 0;
    // Where a new file for `path` goes, and what it keeps of the file there.
    // FileError (access denied) when the user may not change that file.
    virtual ReplaceTarget ReplaceTargetOf(const std::string& path) {
        return ReplaceTarget{path, Exists(path)};
    }
    // Gives the new `file` what `target` keeps; nothing when no file was
    // there.
    virtual void KeepAttributes(File& /*file*/, const ReplaceTarget& /*target*/) {}
    // Whether this user may make new files in the folder of `nearPath` (a
    // journal, a temporary file); a store that cannot have its journal
    // there can only be read.
    virtual bool MayCreateIn(const std::string& /*nearPath*/) { return true; }

    void SetFaultHook(FaultHook hook) { hook_ = std::move(hook); }

  protected:
    void Before(FileOp op, const std::string& path) {
        if (hook_) hook_(op, path);
    }

  private:
    FaultHook hook_;
};

// Real files through POSIX calls; locks are flock() locks.
FileSystem& PosixFileSystem();
std::unique_ptr<FileSystem> MakePosixFileSystem();

// Files held in memory, with a crash model (see the top of this file).
class MemFileSystem : public FileSystem {
  public:
    MemFileSystem();
    ~MemFileSystem() override;

    std::unique_ptr<File> Open(const std::string& path, OpenFlags flags) override;
    std::unique_ptr<File> OpenScratch(const std::string& nearPath) override;
    bool Exists(const std::string& path) override;
    void Remove(const std::string& path) override;
    void Rename(const std::string& from, const std::string& to) override;
    void SyncDir(const std::string& path) override;
    bool Identify(const std::string& path, FileIdentity& out) override;

    // Test access: set or read a file's whole content directly (durable at once).
    void Put(const std::string& path, std::vector<uint8_t> bytes);
    std::vector<uint8_t> Get(const std::string& path);

    // Makes every open File dead: each later operation on it throws FileError
    // (hard I/O). With loseUnsynced, everything not made durable is forgotten,
    // as a power cut does; without, all writes survive, as when only the
    // process dies.
    void Crash(bool loseUnsynced = true);
    // A power cut on a disk that writes back in its own order. Synced data
    // stays; of everything since, each 512-byte sector of a file ends up as
    // last synced or as any later write left it, so a write may land in part
    // and a later write before an earlier one; the file's length is any it
    // had since its last Sync; each directory entry is as last synced or as
    // now. The choices are drawn from `seed`, so a failure can be replayed.
    void CrashTorn(uint64_t seed);

    struct Node;
    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace recaster::store
