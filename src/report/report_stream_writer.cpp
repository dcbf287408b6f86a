// The stream report writer.
#include "report/report_stream_writer.h"

#include "base/errors.h"

namespace recaster::report {

void CCfgRptStreamWriter::Flush() {
    out_.flush();
    if (!out_) throw FileError(FileError::Cause::Generic, name_, "The report could not be written");
}

}  // namespace recaster::report
