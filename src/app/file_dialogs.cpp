// Directory memory and extension rules around the front end's file dialogs.
#include "app/file_dialogs.h"

#include <filesystem>

#include "app/window_placement.h"
#include "base/errors.h"
#include "base/paths.h"

namespace recaster::app {
namespace {

std::optional<std::string> Prompt(ui::Ui& ui, ui::FileDialogRequest request) {
    request.filter = std::string(kCfgFilter);
    request.defaultExtension = std::string(kCfgExtension.substr(1));
    request.proposedName = FilePart(request.proposedName);
    request.startDirectory = LastFileDirectory::Get();

    std::optional<std::string> chosen = ui.FileDialog(request);
    if (!chosen || chosen->empty()) return std::nullopt;

    std::string path = *chosen;
    std::string withExtension = WithExtension(path, kCfgExtension);
    if (withExtension != path) {
        std::error_code ec;
        // An open dialog keeps a name that exists as typed ("notes.txt"
        // under "All Files").
        if (request.save || !std::filesystem::exists(path, ec)) path = withExtension;
    }
    LastFileDirectory::Set(DirectoryOf(path));
    return path;
}

}  // namespace

std::optional<std::string> PromptSaveFileName(ui::Ui& ui, std::string_view proposedName,
                                              std::string title) {
    ui::FileDialogRequest request;
    request.save = true;
    request.title = std::move(title);
    request.proposedName = std::string(proposedName);
    request.overwritePrompt = true;
    return Prompt(ui, std::move(request));
}

std::optional<std::string> PromptOpenFileName(ui::Ui& ui) {
    ui::FileDialogRequest request;
    request.title = "Open";
    request.fileMustExist = true;
    return Prompt(ui, std::move(request));
}

void RestoreLastFileDirectory(const SettingsKeyHelper& settings) {
    std::string stored = settings.ReadText(kAppOptionsSection, kLastDirectoryValue);
    std::error_code ec;
    if (!stored.empty() && stored.front() == '/' && std::filesystem::is_directory(stored, ec)) {
        LastFileDirectory::Set(stored);
    }
}

bool SaveLastFileDirectory(const SettingsKeyHelper& settings) {
    try {
        settings.WriteText(kAppOptionsSection, kLastDirectoryValue, LastFileDirectory::Get());
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void RememberFileDirectory(const SettingsKeyHelper& settings, const std::string& path) {
    if (path.empty()) return;
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) return;
    LastFileDirectory::Set(DirectoryOf(full.lexically_normal().string()));
    SaveLastFileDirectory(settings);
}

}  // namespace recaster::app
