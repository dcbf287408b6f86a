// File paths and system error texts are UTF-8 bytes, dialog and message
// texts are Windows-1252: these turn the former into texts that can be shown.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace recaster::dialogs {

// `path` in Windows-1252; characters the code page cannot hold, and bytes
// that are not UTF-8, become "?".
std::string DisplayText(std::string_view path);

// What went wrong, for the line below a message: the message of a FileError
// or ArchiveError (without the path, which the message names already), else
// what(); as a Windows-1252 text.
std::string ErrorDetail(const std::exception& error);

}  // namespace recaster::dialogs
