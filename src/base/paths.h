// Operations on "/"-separated file paths, the program's own directory, and the
// one directory every file dialog of the program starts in and remembers.
//
// Paths are file-system byte strings (not model texts); extension comparisons
// ignore ASCII letter case, which is safe on any byte encoding.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace recaster {

// A path cut into its directory (with its final "/", empty when there is
// none), file name without extension, and extension (with its dot, empty when
// there is none). A name's leading dot does not start an extension (".ini"
// is a name). Concatenating the three parts gives the path back.
struct PathParts {
    std::string directory;
    std::string name;
    std::string extension;
};
PathParts SplitPath(std::string_view path);

// The directory part of a path without its final "/"; "/" itself for a file
// in the root directory, empty for a bare file name.
std::string DirectoryOf(std::string_view path);

// The directory of the running executable, ending in "/"; empty when the
// system does not tell it.
std::string ProgramDirectory();

// The folders that may hold the program's data: Forms/ (workforms), Config/
// (sample configurations) and help/ (help pages), in the order they are
// searched. First the program's own directory, where the build puts them,
// then the installed data folder (<prefix>/share/recaster/ for a program in
// <prefix>/bin/). Each ends in "/"; none when the program directory is unknown.
std::vector<std::string> DataDirectories();
// The same for a program in `programDirectory`, with the installed data folder
// at `installedRelative` from it ("../share/recaster"); an empty relative
// path leaves the installed folder out.
std::vector<std::string> DataDirectoriesFor(std::string_view programDirectory,
                                            std::string_view installedRelative);

// The folder `name` (say "Forms") of the first data directory that has it,
// without a final "/"; empty when none has it.
std::string FindDataFolder(std::string_view name);

// The directory, a "/" when it is not empty and does not end in one, then the
// name. An empty directory gives the name alone.
std::string JoinPath(std::string_view directory, std::string_view name);

// File name plus extension of a path, without the directory. The extension is
// left off only when it equals `defaultExtension` ignoring case (an empty
// default keeps any extension).
std::string FilePart(std::string_view path, std::string_view defaultExtension = {});

// `path` with `extension` (".cfg") appended unless it already ends with it,
// compared ignoring case. An empty extension leaves the path as it is.
std::string WithExtension(std::string_view path, std::string_view extension);

// Splits an extension list such as ".TWF;.FRM" at ";" (empty items dropped).
std::vector<std::string> SplitExtensionList(std::string_view list);

// Full paths (JoinPath(directory, name)) of the regular files in `directory`
// whose names end with one of `extensions`, ignoring case: for each extension
// in order, its matches sorted by name. A missing or unreadable directory
// gives no files.
std::vector<std::string> FindFiles(std::string_view directory,
                                   const std::vector<std::string>& extensions);

// The process-wide directory of the file dialogs. Initially the Config
// folder of the data directories (the program's directory joined with
// "Config" when there is none); a dialog that ends with OK stores its
// directory here, a cancelled one leaves it unchanged.
class LastFileDirectory {
  public:
    static std::string Get();
    static void Set(std::string directory);
};

}  // namespace recaster
