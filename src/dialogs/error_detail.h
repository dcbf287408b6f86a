// What went wrong, for the line below a message: the message of a FileError
// or ArchiveError (without the path, which the message names already), else
// what(). UTF-8, as file names and system error texts are.
#pragma once

#include <exception>
#include <string>

namespace recaster::dialogs {

std::string ErrorDetail(const std::exception& error);

}  // namespace recaster::dialogs
