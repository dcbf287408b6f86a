// CCfgRptTextWriter: the report as a text file. Texts are written as they
// are (Windows-1252 bytes), each line ended by carriage return and line feed;
// the hints are ignored. The file is held with exclusive access while the
// writer lives.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "store/file_system.h"

namespace recaster::report {

class CCfgRptTextWriter : public CCfgRptWriter {
  public:
    explicit CCfgRptTextWriter(store::FileSystem& fs = store::PosixFileSystem());
    // Writes what is still buffered as far as it can (errors cannot be told
    // from here: callers Flush first) and closes the file.
    ~CCfgRptTextWriter() override;
    CCfgRptTextWriter(const CCfgRptTextWriter&) = delete;
    CCfgRptTextWriter& operator=(const CCfgRptTextWriter&) = delete;

    // Replaces any file at `path` by a new, empty one and holds it with
    // exclusive access. Raises FileError naming the path when it cannot: a
    // sharing violation when another program or window has the existing file
    // open (an open configuration is never deleted this way), or the file
    // layer's cause.
    void SetOutputPath(const std::string& path);
    const std::string& path() const { return path_; }

    void BeginDocument() override {}
    void EndDocument() override {}
    void NewLine() override;
    void SectionBreak() override { NewLine(); }
    // Raises std::logic_error before SetOutputPath.
    void WriteBytes(std::span<const uint8_t> bytes) override;
    // Raises FileError (disk full, I/O error, ...) naming the path.
    void Flush() override;

  private:
    // Bytes wait here until this much is collected or Flush is called: a
    // report is thousands of short pieces.
    static constexpr size_t kBufferSize = 64 * 1024;

    store::FileSystem& fs_;
    std::unique_ptr<store::File> file_;
    std::string path_;
    std::vector<uint8_t> buffer_;
    uint64_t written_ = 0;
};

}  // namespace recaster::report
