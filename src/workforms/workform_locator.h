// WorkformLocator: where workform files are looked for, and the ordered list of
// candidate files found there. Earlier candidates win when two files claim the
// same workform letter, so the program's own "Forms" folders come first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace recaster::workforms {

class WorkformLocator {
  public:
    // Extensions searched for, in this order, in any letter case.
    static constexpr const char* kExtensions = ".TWF;.FRM";

    // Where the reference manager keeps its workform path: the INI file
    // "Marrowfield/Tomebase 5/Application Settings.ini" in the settings folder.
    static constexpr const char* kTomebaseCompany = "Marrowfield";
    static constexpr const char* kTomebaseAppKey = "Tomebase 5\\Application Settings";
    static constexpr const char* kTomebaseSection = "Directories";
    static constexpr const char* kTomebaseValue = "Workform File Path";

    WorkformLocator() = default;

    // The usual search list: "Forms" under `program_directory`, then
    // `tomebase_directory`. Either may be empty.
    static WorkformLocator ForDirectories(std::string_view program_directory,
                                          std::string_view tomebase_directory);
    // "Forms" under each of `data_directories` in order, then
    // `tomebase_directory`.
    static WorkformLocator ForDataDirectories(const std::vector<std::string>& data_directories,
                                              std::string_view tomebase_directory);

    // The program's own workforms (Forms/ beside it, then in its installed
    // data folder; see DataDirectories()), then the reference manager's
    // workform path from its settings.
    static WorkformLocator ForThisProgram();

    // The reference manager's workform path; empty when it is not set.
    static std::string TomebaseWorkformPath();

    // Appends a directory. An empty text, or one naming a directory already
    // listed (a final "/" aside), is ignored. Paths compare as the file system
    // does, with letter case.
    void AddDirectory(std::string_view directory);

    const std::vector<std::string>& directories() const { return directories_; }

    // Full paths of the workform files: directory by directory in list order,
    // within one directory extension by extension, each sorted by name. Only
    // regular files; a missing or unreadable directory contributes nothing.
    std::vector<std::string> Candidates() const;

  private:
    std::vector<std::string> directories_;
};

}  // namespace recaster::workforms
