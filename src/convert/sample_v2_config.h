// The older sibling of the sample configuration: the sample's content as a
// version-2 file, in which the workforms Report (E) and Conference Paper (F)
// are the user-defined workforms V and U, so that converting it asks for
// both. Written by make-sample-v2-config beside the program
// (Config/Sample-v2.cfg) and used by the conversion's tests.
#pragma once

#include <string>

#include "store/file_system.h"
#include "workforms/workform_ids.h"

namespace recaster::convert {

inline constexpr workforms::WorkformId kSampleReport = 4;      // E, V in the old file
inline constexpr workforms::WorkformId kSampleConference = 5;  // F, U in the old file

// Writes the file at `path`, replacing one that is there.
void WriteSampleV2Config(const std::string& path, store::FileSystem& fs);

}  // namespace recaster::convert
