// Paths shown in dialogs and message boxes.
#include "dialogs/display_text.h"

#include "base/cp1252.h"
#include "base/errors.h"

namespace recaster::dialogs {

std::string DisplayText(std::string_view path) {
    return ToCp1252Lossy(path);
}

std::string ErrorDetail(const std::exception& error) {
    if (const auto* file = dynamic_cast<const FileError*>(&error)) {
        return DisplayText(file->message());
    }
    if (const auto* archive = dynamic_cast<const ArchiveError*>(&error)) {
        return DisplayText(archive->message());
    }
    return DisplayText(error.what());
}

}  // namespace recaster::dialogs
