// The string table: user-visible texts by number, and filling their "%1" and
// "%2" placeholders. Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace recaster::resources {

// The text of string `id`; an empty text for a number the table lacks.
const std::string& LoadString(int id);

// `text` with every "%1" replaced by `first` and every "%2" by `second`. The
// replacements are not searched again, so a value holding "%2" stays as it is.
std::string FillPlaceholders(std::string_view text, std::string_view first = {},
                             std::string_view second = {});

// String `id` with its placeholders filled.
inline std::string FormatString(int id, std::string_view first = {}, std::string_view second = {}) {
    return FillPlaceholders(LoadString(id), first, second);
}

}  // namespace recaster::resources
