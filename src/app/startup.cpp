// Start-up steps without a toolkit.
#include "app/startup.h"

#include "base/paths.h"
#include "base/version.h"
#include "ui/message_box.h"
#include "workforms/workform_loader.h"

namespace recaster::app {

std::string AbsolutePath(const std::string& file, const std::string& workingDirectory) {
    if (file.empty() || file.front() == '/') return file;
    return JoinPath(workingDirectory, file);
}

std::string EncodeForwardedFiles(const std::vector<std::string>& files,
                                 const std::string& workingDirectory) {
    std::string message;
    for (const std::string& file : files) {
        // A newline cannot be told from the separator; such a name is not
        // forwarded rather than split into two wrong ones.
        if (file.empty() || file.find('\n') != std::string::npos) continue;
        message += AbsolutePath(file, workingDirectory);
        message += '\n';
    }
    return message;
}

std::vector<std::string> DecodeForwardedFiles(std::string_view message) {
    std::vector<std::string> files;
    while (!message.empty()) {
        size_t end = message.find('\n');
        std::string_view line = message.substr(0, end);
        if (!line.empty()) files.emplace_back(line);
        if (end == std::string_view::npos) break;
        message.remove_prefix(end + 1);
    }
    return files;
}

std::optional<std::string> InformationRequested(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--version") {
            return "recaster (Recaster II) " + std::string(ProgramVersion()) + "\n";
        }
        if (arg == "--help" || arg == "-h") {
            return "usage: recaster [FILE.cfg]...\n"
                   "\n"
                   "Recaster II, the editor of import configuration files. Opens each FILE,\n"
                   "or shows the Open dialog when none is named. While the editor runs on\n"
                   "this display, a further start hands its files to it and ends.\n"
                   "\n"
                   "  --help      show this text and end\n"
                   "  --version   show the version and end\n"
                   "\n"
                   "The toolkit's own options (-platform, -display, ...) are accepted too.\n"
                   "See recaster(1) and recaster-cfg(1).\n";
        }
    }
    return std::nullopt;
}

std::optional<std::string> MissingDisplay(const std::vector<std::string>& args,
                                          const std::function<const char*(const char*)>& getenv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = getenv(name);
        if (value && *value) return std::nullopt;
    }
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "-platform" || arg == "-display") return std::nullopt;
    }
    return "recaster: no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are not "
           "set).\nrecaster-cfg works on configuration files without one.\n";
}

std::vector<std::string> FilesOfCommandLine(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg.front() == '-') {
            continue;
        } else if (!arg.empty()) {
            files.push_back(arg);
        }
    }
    return files;
}

int LoadWorkformCatalog(ui::Ui& ui, const workforms::WorkformLocator& locator) {
    int before = static_cast<int>(workforms::Workforms().Count());
    workforms::LoadProcessWorkforms(locator,
                                    [&ui](const std::string& path, const std::string& message) {
                                        ui::ShowMessageBox(ui, kMsgWorkformSkipped, {path, message},
                                                           ui::MB_OK | ui::MB_ICONEXCLAMATION);
                                    });
    return static_cast<int>(workforms::Workforms().Count()) - before;
}

int OpenAtStart(const std::vector<std::string>& files,
                const std::function<bool(const std::string&)>& openFile,
                const std::function<void()>& openDialog) {
    if (files.empty()) {
        if (openDialog) openDialog();
        return 0;
    }
    int opened = 0;
    for (const std::string& file : files) {
        if (openFile(file)) ++opened;
    }
    return opened;
}

}  // namespace recaster::app
