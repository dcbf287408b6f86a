#include "workforms/workform_locator.h"

#include <algorithm>

#include "base/paths.h"
#include "base/settings.h"

namespace recaster::workforms {
namespace {

std::string_view WithoutFinalSlash(std::string_view dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
    return dir;
}

}  // namespace

WorkformLocator WorkformLocator::ForDirectories(std::string_view program_directory,
                                                std::string_view tomebase_directory) {
    std::vector<std::string> data;
    if (!program_directory.empty()) data.emplace_back(program_directory);
    return ForDataDirectories(data, tomebase_directory);
}

WorkformLocator WorkformLocator::ForDataDirectories(
    const std::vector<std::string>& data_directories, std::string_view tomebase_directory) {
    WorkformLocator locator;
    for (const std::string& dir : data_directories) {
        if (!dir.empty()) locator.AddDirectory(JoinPath(dir, "Forms"));
    }
    locator.AddDirectory(tomebase_directory);
    return locator;
}

WorkformLocator WorkformLocator::ForThisProgram() {
    return ForDataDirectories(DataDirectories(), TomebaseWorkformPath());
}

std::string WorkformLocator::TomebaseWorkformPath() {
    return SettingsKeyHelper(kTomebaseCompany, kTomebaseAppKey)
        .ReadText(kTomebaseSection, kTomebaseValue, "");
}

void WorkformLocator::AddDirectory(std::string_view directory) {
    if (directory.empty()) return;
    const std::string_view key = WithoutFinalSlash(directory);
    const bool listed =
        std::any_of(directories_.begin(), directories_.end(),
                    [&](const std::string& d) { return WithoutFinalSlash(d) == key; });
    if (!listed) directories_.emplace_back(directory);
}

std::vector<std::string> WorkformLocator::Candidates() const {
    const std::vector<std::string> extensions = SplitExtensionList(kExtensions);
    std::vector<std::string> candidates;
    for (const std::string& dir : directories_) {
        std::vector<std::string> found = FindFiles(dir, extensions);
        candidates.insert(candidates.end(), found.begin(), found.end());
    }
    return candidates;
}

}  // namespace recaster::workforms
