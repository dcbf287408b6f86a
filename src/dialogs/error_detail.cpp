// The detail line of an error message.
#include "dialogs/error_detail.h"

#include "base/errors.h"

namespace recaster::dialogs {

std::string ErrorDetail(const std::exception& error) {
    if (const auto* file = dynamic_cast<const FileError*>(&error)) return file->message();
    if (const auto* archive = dynamic_cast<const ArchiveError*>(&error)) return archive->message();
    return error.what();
}

}  // namespace recaster::dialogs
