#include "base/errors.h"

#include <cerrno>
#include <cstring>

namespace recaster {
namespace {

std::string Joined(const std::string& path, const std::string& message) {
    return path.empty() ? message : path + ": " + message;
}

}  // namespace

FileError::FileError(Cause cause, std::string path, std::string message)
    : std::runtime_error(Joined(path, message)),
      cause_(cause),
      path_(std::move(path)),
      message_(std::move(message)) {}

FileError::Cause FileError::CauseFromErrno(int err) {
    switch (err) {
        case ENOENT:
            return Cause::NotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return Cause::BadPath;
        case EMFILE:
        case ENFILE:
            return Cause::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
            return Cause::AccessDenied;
        case EISDIR:
            return Cause::IsFolder;
        case EBADF:
            return Cause::InvalidFile;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return Cause::DiskFull;
        case ESPIPE:
            return Cause::BadSeek;
        case EIO:
            return Cause::HardIO;
        case EWOULDBLOCK:
            return Cause::SharingViolation;
        default:
            return Cause::Generic;
    }
}

FileError FileError::FromErrno(int err, const std::string& path, const std::string& doing) {
    return FileError(CauseFromErrno(err), path, doing + " failed: " + std::strerror(err));
}

ArchiveError::ArchiveError(Cause cause, std::string path, std::string message)
    : std::runtime_error(Joined(path, message)),
      cause_(cause),
      path_(std::move(path)),
      message_(std::move(message)) {}

const char* CauseName(FileError::Cause cause) {
    switch (cause) {
        case FileError::Cause::Generic:
            return "generic";
        case FileError::Cause::NotFound:
            return "not found";
        case FileError::Cause::BadPath:
            return "bad path";
        case FileError::Cause::TooManyOpenFiles:
            return "too many open files";
        case FileError::Cause::AccessDenied:
            return "access denied";
        case FileError::Cause::InvalidFile:
            return "invalid file";
        case FileError::Cause::RemoveCurrentDir:
            return "remove current directory";
        case FileError::Cause::DirectoryFull:
            return "directory full";
        case FileError::Cause::BadSeek:
            return "bad seek";
        case FileError::Cause::HardIO:
            return "hardware I/O";
        case FileError::Cause::SharingViolation:
            return "sharing violation";
        case FileError::Cause::LockViolation:
            return "lock violation";
        case FileError::Cause::DiskFull:
            return "disk full";
        case FileError::Cause::EndOfFile:
            return "end of file";
        case FileError::Cause::IsFolder:
            return "is a folder";
    }
    return "unknown";
}

const char* CauseName(ArchiveError::Cause cause) {
    switch (cause) {
        case ArchiveError::Cause::Generic:
            return "generic";
        case ArchiveError::Cause::ReadOnly:
            return "read only";
        case ArchiveError::Cause::EndOfFile:
            return "end of file";
        case ArchiveError::Cause::WriteOnly:
            return "write only";
        case ArchiveError::Cause::BadIndex:
            return "bad index";
        case ArchiveError::Cause::BadClass:
            return "bad class";
        case ArchiveError::Cause::BadSchema:
            return "bad schema";
    }
    return "unknown";
}

}  // namespace recaster
