// SeparatorEscapes: how Field Information shows and takes the separator text
// (edit 1006), whose tab, line feed and carriage return cannot be typed into
// a one-line edit. They are written as backslash escapes ("\t", "\n",
// "\r"); on entry the caret forms "^t" (tab) and "^p" (carriage return) are
// taken too.
#pragma once

#include <string>
#include <string_view>

namespace recaster::dialogs {

struct SeparatorEscapes {
    // The typed text as stored: every "\t", then every "\n", "\r", "^t" and
    // "^p", replaced in that order.
    static std::string Decode(std::string_view typed);
    // The stored text as shown: every tab, line feed and carriage return, in
    // that order, written as its backslash escape.
    static std::string Encode(std::string_view stored);
};

}  // namespace recaster::dialogs
