// Keys as dialogs and list windows see them: the keys that have a meaning of
// their own somewhere in the program, with the modifiers held down. Front
// ends translate their key events into these; typed characters travel
// separately (Dialog::OnChar), already in Windows-1252.
#pragma once

#include <cstdint>

namespace recaster::ui {

enum class Key : uint8_t {
    Enter,
    Escape,
    Tab,
    Insert,
    Delete,
    Backspace,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    F1,
    Other,  // any key without a meaning of its own here
};

enum KeyModifier : uint8_t {
    kModNone = 0,
    kModShift = 1u << 0,
    kModCtrl = 1u << 1,
    kModAlt = 1u << 2,
};

struct KeyPress {
    Key key = Key::Other;
    uint8_t modifiers = kModNone;

    bool Plain() const { return modifiers == kModNone; }
    friend bool operator==(const KeyPress&, const KeyPress&) = default;
};

}  // namespace recaster::ui
