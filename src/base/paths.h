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

// The process-wide directory of the file dialogs. Initially the program's
// directory joined with "Config"; a dialog that ends with OK stores its
// directory here, a cancelled one leaves it unchanged.
class LastFileDirectory {
  public:
    static std::string Get();
    static void Set(std::string directory);
};

}  // namespace recaster
