// Helpers over the menu and accelerator tables.
#include "resources/menu_template.h"

namespace recaster::resources {

MenuTextParts SplitMenuText(std::string_view text) {
    MenuTextParts parts;
    size_t tab = text.find('\t');
    parts.label = text.substr(0, tab);
    if (tab != std::string_view::npos) parts.shortcut = text.substr(tab + 1);
    for (size_t i = 0; i + 1 < parts.label.size(); ++i) {
        if (parts.label[i] != '&') continue;
        char next = parts.label[i + 1];
        if (next == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        parts.mnemonic = (next >= 'a' && next <= 'z') ? static_cast<char>(next - 'a' + 'A') : next;
        break;
    }
    return parts;
}

static const MenuItem* FindIn(std::span<const MenuItem> items, int id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command && item.id == id) return &item;
        if (item.kind == MenuItemKind::Popup) {
            if (const MenuItem* found = FindIn(item.children, id)) return found;
        }
    }
    return nullptr;
}

const MenuItem* FindMenuCommand(const MenuTemplate& menu, int id) {
    return FindIn(menu.items, id);
}

int AcceleratorTable::CommandFor(uint16_t key, uint8_t modifiers) const {
    for (const Accelerator& a : entries) {
        if (a.key == key && a.modifiers == modifiers) return a.command;
    }
    return 0;
}

}  // namespace recaster::resources
