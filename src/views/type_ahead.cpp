// Type-ahead: the shared buffers and the typed-character rule.
#include "views/type_ahead.h"

#include "base/cp1252.h"

namespace recaster::views {

TypeAheadBuffer& DatabaseTypeAhead() {
    static TypeAheadBuffer buffer{15, {}, 0};
    return buffer;
}

TypeAheadBuffer& FieldTypeAhead() {
    static TypeAheadBuffer buffer{31, {}, 0};
    return buffer;
}

namespace {

// Whether the current key already answers the typed prefix: it starts with
// the whole prefix (compared in capitals) or is the prefix.
bool KeyMatches(const std::string& key, const std::string& prefix) {
    if (key.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (UpperCp1252(key[i]) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

TypeAheadResult TypeCharacter(TypeAheadBuffer& buffer, char ch, uint32_t now,
                              uint32_t doubleClickTime, const TypeAheadTarget& target) {
    const char upper = UpperCp1252(ch);
    // Control characters (Backspace, Enter, Escape) are not part of a name.
    if (static_cast<unsigned char>(upper) < 32) return {};

    // Unsigned difference: the tick count wraps around.
    if (now - buffer.lastTick > doubleClickTime) buffer.text.clear();
    buffer.lastTick = now;
    if (buffer.text.size() >= buffer.capacity) return {true, -1};
    buffer.text += upper;

    int start = 0;
    if (target.current >= 0) {
        if (buffer.text.size() > 1 && target.currentKey &&
            KeyMatches(target.currentKey(), buffer.text))
            return {true, -1};
        start = target.current + 1;
    }
    int index = start;
    if (target.find && target.find(buffer.text, index)) return {true, index};
    return {true, -1};
}

}  // namespace recaster::views
