// The text-file report writer.
#include "report/report_text_writer.h"

#include <stdexcept>

namespace recaster::report {

CCfgRptTextWriter::CCfgRptTextWriter(store::FileSystem& fs) : fs_(fs) {
    buffer_.reserve(kBufferSize);
}

CCfgRptTextWriter::~CCfgRptTextWriter() {
    try {
        Flush();
    } catch (...) {
        // Reported by the Flush the caller made; nothing more can be done.
    }
}

void CCfgRptTextWriter::SetOutputPath(const std::string& path) {
    file_.reset();
    buffer_.clear();
    written_ = 0;
    path_ = path;
    // An existing report is replaced where a link at `path` ends, and the
    // new one keeps its permissions, owner and group.
    const store::ReplaceTarget target = fs_.ReplaceTargetOf(path);
    if (target.exists) {
        // Deleting a file that is open elsewhere would lose it for its
        // holder (a configuration open in a window keeps writing into the
        // deleted file), so a held file is refused.
        std::unique_ptr<store::File> existing = fs_.Open(target.path, store::OpenFlags{});
        if (!existing->TryLock(store::LockKind::Exclusive)) {
            throw FileError(FileError::Cause::SharingViolation, path,
                            "The file is open in this or another program; choose another name.");
        }
        existing.reset();
        fs_.Remove(target.path);
    }
    std::unique_ptr<store::File> file =
        fs_.Open(target.path, store::OpenFlags{.write = true, .create = true, .truncate = true});
    if (!file->TryLock(store::LockKind::Exclusive)) {
        throw FileError(FileError::Cause::SharingViolation, path,
                        "Another program opened the new file at the same time.");
    }
    fs_.KeepAttributes(*file, target);
    file_ = std::move(file);
}

void CCfgRptTextWriter::NewLine() {
    static constexpr uint8_t kCrLf[] = {13, 10};
    WriteBytes(kCrLf);
}

void CCfgRptTextWriter::WriteBytes(std::span<const uint8_t> bytes) {
    if (!file_) throw std::logic_error("CCfgRptTextWriter: no output path set");
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (buffer_.size() >= kBufferSize) Flush();
}

void CCfgRptTextWriter::Flush() {
    if (!file_ || buffer_.empty()) return;
    file_->WriteAt(written_, buffer_);
    written_ += buffer_.size();
    buffer_.clear();
}

}  // namespace recaster::report
