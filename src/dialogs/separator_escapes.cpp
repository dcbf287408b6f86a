// The escapes of the separator text.
#include "dialogs/separator_escapes.h"

namespace recaster::dialogs {

namespace {

// Every occurrence of `from`, left to right, not searching the replacements.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        out.append(text, start, at - start);
        out += to;
        start = at + from.size();
    }
    if (start == 0) return;
    out.append(text, start);
    text = std::move(out);
}

}  // namespace

std::string SeparatorEscapes::Decode(std::string_view typed) {
    std::string text(typed);
    ReplaceAll(text, "\\t", "\t");
    ReplaceAll(text, "\\n", "\n");
    ReplaceAll(text, "\\r", "\r");
    ReplaceAll(text, "^t", "\t");
    ReplaceAll(text, "^p", "\r");
    return text;
}

std::string SeparatorEscapes::Encode(std::string_view stored) {
    std::string text(stored);
    ReplaceAll(text, "\t", "\\t");
    ReplaceAll(text, "\n", "\\n");
    ReplaceAll(text, "\r", "\\r");
    return text;
}

}  // namespace recaster::dialogs
