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
    WorkformLocator locator;
    if (!program_directory.empty()) locator.AddDirectory(JoinPath(program_directory, "Forms"));
    locator.AddDirectory(tomebase_directory);
    return locator;
}

WorkformLocator WorkformLocator::ForThisProgram() {
    return ForDirectories(ProgramDirectory(), TomebaseWorkformPath());
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
