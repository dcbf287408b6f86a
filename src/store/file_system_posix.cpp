// Real files through POSIX calls. Short reads and writes and EINTR are retried;
// every failure becomes a FileError naming the path.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

#include "store/file_permissions.h"
#include "store/file_system.h"

namespace recaster::store {
namespace {

std::string DirOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class PosixFile final : public File {
  public:
    PosixFile(int fd, std::string path, std::function<void(FileOp, const std::string&)> before)
        : fd_(fd), path_(std::move(path)), before_(std::move(before)) {}
    ~PosixFile() override { ::close(fd_); }
    int fd() const { return fd_; }

    size_t ReadAt(uint64_t off, std::span<uint8_t> buf) override {
        size_t done = 0;
        while (done < buf.size()) {
            ssize_t n =
                ::pread(fd_, buf.data() + done, buf.size() - done, static_cast<off_t>(off + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError::FromErrno(errno, path_, "Reading");
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

    void WriteAt(uint64_t off, std::span<const uint8_t> data) override {
        before_(FileOp::Write, path_);
        size_t done = 0;
        while (done < data.size()) {
            ssize_t n = ::pwrite(fd_, data.data() + done, data.size() - done,
                                 static_cast<off_t>(off + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError::FromErrno(errno, path_, "Writing");
            }
            done += static_cast<size_t>(n);
        }
    }

    void WriteGatherAt(uint64_t off, std::span<const std::span<const uint8_t>> parts) override {
        before_(FileOp::Write, path_);
        std::vector<iovec> iov;
        iov.reserve(parts.size());
        for (auto part : parts)
            if (!part.empty()) iov.push_back({const_cast<uint8_t*>(part.data()), part.size()});
        size_t first = 0;
        while (first < iov.size()) {
            const int count = static_cast<int>(std::min<size_t>(iov.size() - first, IOV_MAX));
            ssize_t n = ::pwritev(fd_, iov.data() + first, count, static_cast<off_t>(off));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw FileError::FromErrno(errno, path_, "Writing");
            }
            // A short write leaves the rest of the vector for the next call.
            off += static_cast<uint64_t>(n);
            auto done = static_cast<size_t>(n);
            while (first < iov.size() && done >= iov[first].iov_len) done -= iov[first++].iov_len;
            if (first < iov.size()) {
                iov[first].iov_base = static_cast<uint8_t*>(iov[first].iov_base) + done;
                iov[first].iov_len -= done;
            }
        }
    }

    void Sync() override {
        before_(FileOp::Sync, path_);
        if (::fdatasync(fd_) != 0) throw FileError::FromErrno(errno, path_, "Flushing to disk");
    }

    void Truncate(uint64_t length) override {
        before_(FileOp::Truncate, path_);
        if (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
            throw FileError::FromErrno(errno, path_, "Setting the file length");
    }

    uint64_t Size() override {
        struct stat st;
        if (::fstat(fd_, &st) != 0)
            throw FileError::FromErrno(errno, path_, "Reading the file size");
        return static_cast<uint64_t>(st.st_size);
    }

    bool TryLock(LockKind kind) override {
        int op = (kind == LockKind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
        while (::flock(fd_, op) != 0) {
            if (errno == EINTR) continue;
            if (errno == EWOULDBLOCK) return false;
            throw FileError::FromErrno(errno, path_, "Locking");
        }
        return true;
    }

    const std::string& path() const override { return path_; }
    void SetPath(const std::string& path) override { path_ = path; }

  private:
    int fd_;
    std::string path_;
    std::function<void(FileOp, const std::string&)> before_;
};

class PosixFs final : public FileSystem {
  public:
    std::unique_ptr<File> Open(const std::string& path, OpenFlags flags) override {
        if (path.empty()) throw FileError(FileError::Cause::BadPath, path, "No file name given");
        int oflags = O_CLOEXEC | (flags.write ? O_RDWR : O_RDONLY);
        if (flags.create) {
            Before(FileOp::Create, path);
            oflags |= O_CREAT;
        }
        if (flags.truncate) oflags |= O_TRUNC;
        // Without access-time updates where the file is ours: the store reads
        // pages one small call at a time, and each call would check the time.
        int fd;
        do {
            fd = ::open(path.c_str(), oflags | O_NOATIME, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0 && errno == EPERM) {
            do {
                fd = ::open(path.c_str(), oflags, 0666);
            } while (fd < 0 && errno == EINTR);
        }
        if (fd < 0) throw FileError::FromErrno(errno, path, "Opening");
        struct stat st;
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
            ::close(fd);
            if (S_ISDIR(st.st_mode))
                throw FileError(FileError::Cause::IsFolder, path, "This is a folder, not a file");
            throw FileError(FileError::Cause::AccessDenied, path, "Not a regular file");
        }
        return std::make_unique<PosixFile>(
            fd, path, [this](FileOp op, const std::string& p) { Before(op, p); });
    }

    std::unique_ptr<File> OpenScratch(const std::string& nearPath) override {
        const std::string dir = DirOf(nearPath);
        const std::string name = nearPath + " (scratch)";
        Before(FileOp::Create, name);
        int fd;
        do {
            fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            // File systems without unnamed files: a named one, unlinked at once.
            std::string tmpl = nearPath + "-scratch-XXXXXX";
            fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
            if (fd < 0) throw FileError::FromErrno(errno, name, "Creating scratch space for");
            ::unlink(tmpl.c_str());
        }
        return std::make_unique<PosixFile>(
            fd, name, [this](FileOp op, const std::string& p) { Before(op, p); });
    }

    bool Exists(const std::string& path) override {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0;
    }

    bool IsFolder(const std::string& path) override {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    void Remove(const std::string& path) override {
        Before(FileOp::Remove, path);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw FileError::FromErrno(errno, path, "Deleting");
    }

    void Rename(const std::string& from, const std::string& to) override {
        Before(FileOp::Rename, to);
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw FileError::FromErrno(errno, to, "Renaming " + from + " to this name");
    }

    void SyncDir(const std::string& path) override {
        Before(FileOp::SyncDir, path);
        std::string dir = DirOf(path);
        int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) throw FileError::FromErrno(errno, dir, "Opening the folder");
        int rc = ::fdatasync(fd);
        int err = errno;
        ::close(fd);
        if (rc != 0 && err != EINVAL) throw FileError::FromErrno(err, dir, "Flushing the folder");
    }

    bool Identify(const std::string& path, FileIdentity& out) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return false;
        out.device = static_cast<uint64_t>(st.st_dev);
        out.inode = static_cast<uint64_t>(st.st_ino);
        return true;
    }

    ReplaceTarget ReplaceTargetOf(const std::string& path) override {
        ReplaceTarget target{ResolveLinks(path)};
        struct stat st;
        if (::stat(target.path.c_str(), &st) != 0) return target;
        if (S_ISDIR(st.st_mode))
            throw FileError(FileError::Cause::IsFolder, path, "This is a folder, not a file");
        target.exists = true;
        target.mode = st.st_mode & 07777;
        target.owner = st.st_uid;
        target.group = st.st_gid;
        if (!MayWrite(target.mode, target.owner, target.group, ::geteuid(), Groups()))
            throw FileError(FileError::Cause::AccessDenied, path,
                            "The file is read-only for you, so it cannot be replaced");
        return target;
    }

    bool MayCreateIn(const std::string& nearPath) override {
        // A missing folder is for opening to report.
        return ::access(DirOf(nearPath).c_str(), W_OK | X_OK) == 0 || errno == ENOENT;
    }

    void KeepAttributes(File& file, const ReplaceTarget& target) override {
        if (!target.exists) return;
        auto* posix = dynamic_cast<PosixFile*>(&file);
        if (posix == nullptr) return;
        // The owner first: changing it may clear the set-id bits.
        if (::fchown(posix->fd(), target.owner, target.group) != 0) {
            // Not allowed to give the file away: at least its group, which an
            // owner may give when they belong to it; else it stays theirs.
            [[maybe_unused]] int ignored =
                ::fchown(posix->fd(), static_cast<uid_t>(-1), target.group);
        }
        if (::fchmod(posix->fd(), target.mode) != 0)
            throw FileError::FromErrno(errno, file.path(), "Setting the permissions of");
    }

  private:
    // The file that a chain of symbolic links at `path` ends at; `path` when
    // it is no link. A link to a missing file gives that file's name, so
    // the new file appears where the link points.
    static std::string ResolveLinks(std::string path) {
        for (int hops = 0; hops < 40; ++hops) {
            struct stat st;
            if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
            std::string to(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
            ssize_t n = ::readlink(path.c_str(), to.data(), to.size());
            if (n < 0) throw FileError::FromErrno(errno, path, "Reading the link");
            to.resize(static_cast<size_t>(n));
            path = (!to.empty() && to[0] == '/') ? to : DirOf(path) + "/" + to;
        }
        throw FileError(FileError::Cause::BadPath, path, "Too many symbolic links in a row");
    }

    static std::vector<uint32_t> Groups() {
        std::vector<uint32_t> out{static_cast<uint32_t>(::getegid())};
        int n = ::getgroups(0, nullptr);
        if (n > 0) {
            std::vector<gid_t> list(static_cast<size_t>(n));
            n = ::getgroups(n, list.data());
            for (int i = 0; i < n; ++i) out.push_back(list[static_cast<size_t>(i)]);
        }
        return out;
    }
};

}  // namespace

const char* FileOpName(FileOp op) {
    switch (op) {
        case FileOp::Write:
            return "write";
        case FileOp::Sync:
            return "sync";
        case FileOp::Truncate:
            return "truncate";
        case FileOp::Remove:
            return "remove";
        case FileOp::Rename:
            return "rename";
        case FileOp::SyncDir:
            return "syncdir";
        case FileOp::Create:
            return "create";
    }
    return "?";
}

FileSystem& PosixFileSystem() {
    static PosixFs fs;
    return fs;
}

std::unique_ptr<FileSystem> MakePosixFileSystem() {
    return std::make_unique<PosixFs>();
}

}  // namespace recaster::store
