// The two exceptions of file and format failures. Both carry the path of the
// file concerned (empty when there is none, e.g. clipboard data) and a message
// a person can act on; what() gives "path: message".
#pragma once

#include <stdexcept>
#include <string>

namespace recaster {

class FileError : public std::runtime_error {
  public:
    enum class Cause {
        Generic,
        NotFound,
        BadPath,
        TooManyOpenFiles,
        AccessDenied,
        InvalidFile,
        RemoveCurrentDir,
        DirectoryFull,
        BadSeek,
        HardIO,
        SharingViolation,
        LockViolation,
        DiskFull,
        EndOfFile,
        IsFolder,  // a folder where a file was expected
    };

    FileError(Cause cause, std::string path, std::string message);

    Cause cause() const { return cause_; }
    const std::string& path() const { return path_; }
    const std::string& message() const { return message_; }

    // Maps an errno value to the nearest cause.
    static Cause CauseFromErrno(int err);
    // A FileError for a failed system call: cause and wording from errno.
    static FileError FromErrno(int err, const std::string& path, const std::string& doing);

  private:
    Cause cause_;
    std::string path_;
    std::string message_;
};

class ArchiveError : public std::runtime_error {
  public:
    enum class Cause { Generic, ReadOnly, EndOfFile, WriteOnly, BadIndex, BadClass, BadSchema };

    ArchiveError(Cause cause, std::string path, std::string message);

    Cause cause() const { return cause_; }
    const std::string& path() const { return path_; }
    const std::string& message() const { return message_; }

  private:
    Cause cause_;
    std::string path_;
    std::string message_;
};

const char* CauseName(FileError::Cause cause);
const char* CauseName(ArchiveError::Cause cause);

}  // namespace recaster
