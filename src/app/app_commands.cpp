// New, Open and About.
#include "app/app_commands.h"

#include "app/file_dialogs.h"
#include "base/version.h"

namespace recaster::app {

AppCommands::AppCommands(ui::Ui& ui, OpenDocument openDocument, NewDocument newDocument)
    : ui_(ui), openDocument_(std::move(openDocument)), newDocument_(std::move(newDocument)) {
    commands_.Add(kCmdFileOpen, [this] { OnFileOpen(); });
    commands_.Add(kCmdAppAbout, [this] { OnAppAbout(); });
    if (newDocument_) commands_.Add(kCmdFileNew, [this] { newDocument_(); });
}

bool AppCommands::OnFileOpen() {
    std::optional<std::string> path = PromptOpenFileName(ui_);
    if (!path) return false;
    return openDocument_ && openDocument_(*path);
}

void AboutDialog::OnInitDialog() {
    SetText(kIdVersion, "Version " + std::string(ProgramVersion()));
}

void AppCommands::OnAppAbout() {
    AboutDialog about;
    about.DoModal(ui_);
}

}  // namespace recaster::app
