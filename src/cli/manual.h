// The manual page recaster-cfg(1), made from the tool's own command table so
// that every command, and every change to one, is in it. The build writes it
// with make-cfg-manual.
#pragma once

#include <string>
#include <string_view>

namespace recaster::cli {

// The whole page in the man(7) macro language; `dataFolder` is where the
// installed program keeps its data ("/usr/share/recaster").
std::string ManualPage(std::string_view dataFolder);

// Plain text made safe for roff: backslashes printed as such, "-" as the
// ASCII minus that options need, and a line beginning with "." or "'" kept
// from being read as a request.
std::string RoffText(std::string_view text);

}  // namespace recaster::cli
