// The report writer's text output.
#include "report/report_writer.h"

namespace recaster::report {

void CCfgRptWriter::WriteText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    WriteBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

}  // namespace recaster::report
