// Command tables and their routing.
#include "ui/command_target.h"

namespace recaster::ui {

void CommandMap::Add(int id, Action action, Test enabled, Test checked) {
    entries_[id] = Entry{std::move(action), std::move(enabled), std::move(checked)};
}

bool CommandMap::IsEnabled(int id) const {
    auto it = entries_.find(id);
    if (it == entries_.end()) return false;
    return !it->second.enabled || it->second.enabled();
}

bool CommandMap::IsChecked(int id) const {
    auto it = entries_.find(id);
    return it != entries_.end() && it->second.checked && it->second.checked();
}

void CommandMap::Handle(int id) {
    auto it = entries_.find(id);
    if (it != entries_.end() && it->second.action) it->second.action();
}

CommandTarget* CommandChain::Find(int id) const {
    for (CommandTarget* t : targets_) {
        if (t && t->Knows(id)) return t;
    }
    return nullptr;
}

bool CommandChain::IsEnabled(int id) const {
    CommandTarget* t = Find(id);
    return t && t->IsEnabled(id);
}

bool CommandChain::IsChecked(int id) const {
    CommandTarget* t = Find(id);
    return t && t->IsChecked(id);
}

bool CommandChain::Execute(int id) {
    CommandTarget* t = Find(id);
    if (!t || !t->IsEnabled(id)) return false;
    t->Handle(id);
    return true;
}

}  // namespace recaster::ui
