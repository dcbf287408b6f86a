// Type-ahead selection in the column lists: the typed prefix, shared by every
// list of one kind in the process, and the rule that turns a typed character
// into the item to select.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace recaster::views {

struct TypeAheadBuffer {
    size_t capacity = 0;  // characters kept; further ones are ignored
    std::string text;     // upper-cased
    uint32_t lastTick = 0;
};

// The buffer of all database lists (15 characters) and of all field lists
// (31); they survive between windows of the same kind.
TypeAheadBuffer& DatabaseTypeAhead();
TypeAheadBuffer& FieldTypeAhead();

// What type-ahead needs from the list being typed into.
struct TypeAheadTarget {
    int current = -1;  // the current item, -1 when none
    // The current element's key text (database name, field tag).
    std::function<std::string()> currentKey;
    // The list's prefix search from a 0-based start index; the found index
    // or nothing.
    std::function<bool(const std::string& prefix, int& index)> find;
};

struct TypeAheadResult {
    bool handled = false;  // false: the character needs the default handling
    int select = -1;       // the item to make current, -1 to keep the selection
};

// Feeds `ch` typed at `now` (ms) into `buffer`; a pause longer than
// `doubleClickTime` starts a new prefix.
TypeAheadResult TypeCharacter(TypeAheadBuffer& buffer, char ch, uint32_t now,
                              uint32_t doubleClickTime, const TypeAheadTarget& target);

}  // namespace recaster::views
