// Paths shown in dialogs and message boxes.
#include "dialogs/display_text.h"

#include <algorithm>

#include "base/cp1252.h"
#include "base/errors.h"

namespace recaster::dialogs {

std::string DisplayText(std::string_view path) {
    std::string out;
    while (!path.empty()) {
        std::string piece;
        Cp1252Refusal refusal;
        if (ToCp1252(path, piece, &refusal)) return out + piece;
        // What precedes the refused character converts; the character itself
        // (one byte when it is not UTF-8) becomes "?".
        ToCp1252(path.substr(0, refusal.offset), piece);
        out += piece;
        out += '?';
        size_t skip = 1;
        if (!refusal.malformed) {
            auto lead = static_cast<unsigned char>(path[refusal.offset]);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        }
        path.remove_prefix(std::min(path.size(), refusal.offset + skip));
    }
    return out;
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
