// CCfgRptStreamWriter: the report written to a stream (standard output of
// the command line, a string in tests), with the same bytes as the text
// file: carriage return and line feed end each line.
#pragma once

#include <ostream>
#include <string>

#include "report/report_writer.h"

namespace recaster::report {

class CCfgRptStreamWriter : public CCfgRptWriter {
  public:
    // `name` names the stream in errors ("standard output").
    CCfgRptStreamWriter(std::ostream& out, std::string name) : out_(out), name_(std::move(name)) {}

    void BeginDocument() override {}
    void EndDocument() override {}
    void NewLine() override { out_.write("\r\n", 2); }
    void SectionBreak() override { NewLine(); }
    void WriteBytes(std::span<const uint8_t> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Raises FileError (generic) naming the stream when it failed, e.g. a
    // closed pipe or a full disk behind it.
    void Flush() override;

  private:
    std::ostream& out_;
    std::string name_;
};

}  // namespace recaster::report
