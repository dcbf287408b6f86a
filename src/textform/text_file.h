// Whole text files through the file layer: reading one, and replacing one so
// that it is never seen half written.
#pragma once

#include <string>
#include <string_view>

#include "store/file_system.h"

namespace recaster::textform {

// The file's bytes. Raises FileError naming the path.
std::string ReadTextFile(store::FileSystem& fs, const std::string& path);

// Writes `content` under a temporary name beside `path`, syncs it and renames
// it into place; on failure the temporary file is removed and `path` is as
// before. Raises FileError naming the path.
void ReplaceTextFile(store::FileSystem& fs, const std::string& path, std::string_view content);

// True when both paths name one existing file (a link, another spelling).
bool IsSameFile(store::FileSystem& fs, const std::string& a, const std::string& b);

}  // namespace recaster::textform
