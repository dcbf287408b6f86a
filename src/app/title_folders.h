// Telling apart open documents whose files have the same name: each such
// document's title gets the end of its folder ("x.cfg (a)" beside
// "x.cfg (b)"), as many trailing folder names as it takes to differ from
// every other document of that name.
#pragma once

#include <string>
#include <vector>

#include "app/cfg_document.h"

namespace recaster::app {

// One qualifier per path, in order: empty for a file name no other path
// has; else the shortest run of trailing folder names that no other path of
// the same file name ends with ("a", then "p/a", ...), or, when the folder
// is the end of another's, the whole folder ("/a", "/" for the root).
// Relative paths are taken from the current directory.
std::vector<std::string> TitleFolders(const std::vector<std::string>& paths);

// Gives every document in `documents` its qualifier.
void QualifyTitles(const std::vector<CCfgDocument*>& documents);

}  // namespace recaster::app
