// RecentFileList: the last configuration files opened, newest first, at most
// four, kept in the program's settings (section "Recent File List", values
// "File1".."File4") so the File menu can offer them at the next start.
#pragma once

#include <string>
#include <vector>

#include "base/settings.h"

namespace recaster::app {

class RecentFileList {
  public:
    static constexpr int kSize = 4;
    static constexpr const char* kSection = "Recent File List";

    const std::vector<std::string>& entries() const { return entries_; }
    // Moves `path` to the top (adding it when new); the oldest falls off.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    // Reading ignores empty and repeated values.
    void Load(const SettingsKeyHelper& settings);
    // Raises FileError when the settings file cannot be written.
    void Save(const SettingsKeyHelper& settings) const;

    // The menu text of entry `index`: "&1 name" with the file part of the
    // path, the directory too when two entries share a name. Like the paths
    // it is file-system bytes, not a model text.
    std::string MenuText(int index) const;

  private:
    std::vector<std::string> entries_;
};

}  // namespace recaster::app
