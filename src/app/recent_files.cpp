// The recent-file list and its settings.
#include "app/recent_files.h"

#include <algorithm>

#include "base/paths.h"

namespace recaster::app {

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kSize) entries_.resize(kSize);
}

void RecentFileList::Remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

void RecentFileList::Load(const SettingsKeyHelper& settings) {
    entries_.clear();
    for (int i = 1; i <= kSize; ++i) {
        std::string path = settings.ReadText(kSection, "File" + std::to_string(i));
        if (path.empty() || std::find(entries_.begin(), entries_.end(), path) != entries_.end()) {
            continue;
        }
        entries_.push_back(path);
    }
}

void RecentFileList::Save(const SettingsKeyHelper& settings) const {
    for (int i = 0; i < kSize; ++i) {
        std::string value = i < static_cast<int>(entries_.size()) ? entries_[i] : std::string();
        settings.WriteText(kSection, "File" + std::to_string(i + 1), value);
    }
}

std::string RecentFileList::MenuText(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return {};
    const std::string& path = entries_[index];
    std::string name = FilePart(path);
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
        if (i != index && FilePart(entries_[i]) == name) {
            name = path;  // two files of the same name: show where each is
            break;
        }
    }
    // "&" in a file name must not become a mnemonic.
    std::string escaped;
    for (char c : name) {
        if (c == '&') escaped += '&';
        escaped += c;
    }
    return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace recaster::app
