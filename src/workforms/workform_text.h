// A readable text form of a workform, used for the sample workforms kept in
// the source tree and turned into .TWF files by the build:
//
//   # comment; blank lines are ignored too
//   Letter: A
//   Name: Journal Article
//   01: Author
//   02: ---
//   ...
//   45: Keywords
//
// "Letter:" is one of A to T, "Name:" the workform's name, and every field
// number from 01 to 45 appears exactly once, in any order. A field named "---"
// is one the workform does not use (its defined-field bit is clear). The text
// is UTF-8; names are stored in Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "workforms/workform_file.h"

namespace recaster::workforms {

// Parses the text form. Throws ArchiveError (Generic) naming `path` and the
// line for anything malformed or missing.
WorkformFile ParseWorkformText(std::string_view text, const std::string& path);

// The text form of a workform; field names of undefined fields are written as
// "---". ParseWorkformText reads it back.
std::string FormatWorkformText(const WorkformFile& form);

}  // namespace recaster::workforms
