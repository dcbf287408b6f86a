// The build passes the version to this one file only, so that a new version
// recompiles nothing else.
#include "base/version.h"

#ifndef RECASTER_VERSION
#error "the build defines RECASTER_VERSION for this file"
#endif

namespace recaster {

std::string_view ProgramVersion() {
    return RECASTER_VERSION;
}

}  // namespace recaster
