// Path splitting and joining, the program and data directories, directory
// search by extension, and the file dialogs' last directory.
#include "base/paths.h"

#include <unistd.h>

#ifndef RECASTER_DATA_FROM_PROGRAM
#error "the build defines RECASTER_DATA_FROM_PROGRAM for this file"
#endif

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace recaster {
namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool EndsWithAsciiNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           EqualsAsciiNoCase(s.substr(s.size() - suffix.size()), suffix);
}

}  // namespace

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    const size_t slash = path.rfind('/');
    const size_t start = slash == std::string_view::npos ? 0 : slash + 1;
    parts.directory = std::string(path.substr(0, start));
    const std::string_view file = path.substr(start);
    const size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        parts.name = std::string(file);
    } else {
        parts.name = std::string(file.substr(0, dot));
        parts.extension = std::string(file.substr(dot));
    }
    return parts;
}

std::string DirectoryOf(std::string_view path) {
    std::string dir = SplitPath(path).directory;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string ProgramDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return {};
    return SplitPath(exe.string()).directory;
}

std::vector<std::string> DataDirectoriesFor(std::string_view programDirectory,
                                            std::string_view installedRelative) {
    std::vector<std::string> dirs;
    if (programDirectory.empty()) return dirs;
    dirs.push_back(JoinPath(programDirectory, ""));
    if (installedRelative.empty()) return dirs;
    std::string installed =
        JoinPath(std::filesystem::path(JoinPath(programDirectory, installedRelative))
                     .lexically_normal()
                     .string(),
                 "");
    if (installed != dirs.front()) dirs.push_back(std::move(installed));
    return dirs;
}

std::vector<std::string> DataDirectories() {
    return DataDirectoriesFor(ProgramDirectory(), RECASTER_DATA_FROM_PROGRAM);
}

std::string FindDataFolder(std::string_view name) {
    for (const std::string& dir : DataDirectories()) {
        std::string folder = JoinPath(dir, name);
        std::error_code ec;
        if (std::filesystem::is_directory(folder, ec)) return folder;
    }
    return {};
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string out(directory);
    if (!out.empty() && out.back() != '/') out.push_back('/');
    out += name;
    return out;
}

std::string FilePart(std::string_view path, std::string_view defaultExtension) {
    PathParts parts = SplitPath(path);
    if (!defaultExtension.empty() && EqualsAsciiNoCase(parts.extension, defaultExtension)) {
        return parts.name;
    }
    return parts.name + parts.extension;
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    std::string out(path);
    if (!EndsWithAsciiNoCase(path, extension)) out += extension;
    return out;
}

std::vector<std::string> SplitExtensionList(std::string_view list) {
    std::vector<std::string> out;
    while (!list.empty()) {
        const size_t semi = list.find(';');
        const std::string_view item = list.substr(0, semi);
        if (!item.empty()) out.emplace_back(item);
        if (semi == std::string_view::npos) break;
        list.remove_prefix(semi + 1);
    }
    return out;
}

std::vector<std::string> FindFiles(std::string_view directory,
                                   const std::vector<std::string>& extensions) {
    namespace fs = std::filesystem;
    // An empty directory means the current one, as JoinPath("", name) does.
    const fs::path dir = directory.empty() ? fs::path(".") : fs::path(directory);
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());

    std::vector<std::string> out;
    for (const std::string& ext : extensions) {
        for (const std::string& name : names) {
            if (EndsWithAsciiNoCase(name, ext)) out.push_back(JoinPath(directory, name));
        }
    }
    return out;
}

namespace {

std::mutex& LastDirMutex() {
    static std::mutex m;
    return m;
}

std::string& LastDir() {
    static std::string dir = [] {
        std::string samples = FindDataFolder("Config");
        return samples.empty() ? JoinPath(ProgramDirectory(), "Config") : samples;
    }();
    return dir;
}

}  // namespace

std::string LastFileDirectory::Get() {
    std::lock_guard lock(LastDirMutex());
    return LastDir();
}

void LastFileDirectory::Set(std::string directory) {
    std::lock_guard lock(LastDirMutex());
    LastDir() = std::move(directory);
}

}  // namespace recaster
