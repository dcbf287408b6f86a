// The version of this build of the programs, as `--version` and the About
// box show it. The build sets it from the project version in CMakeLists.txt.
#pragma once

#include <string_view>

namespace recaster {

// "MAJOR.MINOR.PATCH", for example "5.0.0".
std::string_view ProgramVersion();

}  // namespace recaster
