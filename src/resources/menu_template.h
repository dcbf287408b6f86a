// Menus and accelerator tables as plain data. The tables themselves come with
// the shell; a front end builds its menu bar and shortcuts from them and asks
// the command targets (ui/command_target.h) whether each command is enabled.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace recaster::resources {

enum class MenuItemKind : uint8_t {
    Command,    // runs command `id`
    Separator,  // a line; no id, no text
    Popup,      // opens `children`
};

// One menu entry. `text` is Windows-1252 with "&" before the mnemonic letter
// ("&&" for a literal ampersand) and, after a tab, the shortcut as shown
// ("&Open...\tCtrl+O"). `status` is the status-line text; when empty the front
// end takes the string-table text with the command's id.
struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    int id = 0;
    std::string_view text;
    std::string_view status;
    std::span<const MenuItem> children;
};

// A menu bar: its popups in order.
struct MenuTemplate {
    int id = 0;
    std::span<const MenuItem> items;
};

// The parts of a menu text: label (with its "&" marks), shortcut text and the
// mnemonic letter (upper-cased ASCII, 0 when there is none).
struct MenuTextParts {
    std::string_view label;
    std::string_view shortcut;
    char mnemonic = 0;
};
MenuTextParts SplitMenuText(std::string_view text);

// The command entry with `id` anywhere in the menu (popups searched depth
// first), or nullptr.
const MenuItem* FindMenuCommand(const MenuTemplate& menu, int id);

// Keys of accelerators: printable keys are their upper-case ASCII code
// ('A'..'Z', '0'..'9'); the others are these codes above the ASCII range.
enum Key : uint16_t {
    kKeyBackspace = 0x100,
    kKeyTab,
    kKeyEnter,
    kKeyEscape,
    kKeyInsert,
    kKeyDelete,
    kKeyHome,
    kKeyEnd,
    kKeyPageUp,
    kKeyPageDown,
    kKeyLeft,
    kKeyRight,
    kKeyUp,
    kKeyDown,
    kKeyF1,
    kKeyF2,
    kKeyF3,
    kKeyF4,
    kKeyF5,
    kKeyF6,
    kKeyF7,
    kKeyF8,
    kKeyF9,
    kKeyF10,
    kKeyF11,
    kKeyF12,
};

enum KeyModifier : uint8_t {
    kModNone = 0,
    kModShift = 1u << 0,
    kModCtrl = 1u << 1,
    kModAlt = 1u << 2,
};

struct Accelerator {
    uint16_t key = 0;       // a Key or an upper-case ASCII code
    uint8_t modifiers = 0;  // KeyModifier flags
    int command = 0;
};

struct AcceleratorTable {
    int id = 0;
    std::span<const Accelerator> entries;

    // The command of the first entry for key + modifiers, or 0 when none.
    int CommandFor(uint16_t key, uint8_t modifiers) const;
};

}  // namespace recaster::resources
