// The commands the application itself answers, whatever window is active:
// New (57600), Open (57601) and About (57664). Opening and creating documents
// is the front end's business (it makes the windows), so it supplies both as
// callbacks; the file dialog and its directory memory are handled here.
#pragma once

#include <functional>
#include <string>

#include "ui/command_target.h"
#include "ui/dialog.h"
#include "ui/ui.h"

namespace recaster::app {

enum AppCommand : int { kCmdFileNew = 57600, kCmdFileOpen = 57601, kCmdAppAbout = 57664 };

// The About box (template 100): icon, program name and the version of this
// build, OK.
class AboutDialog : public ui::Dialog {
  public:
    enum : int { kTemplateId = 100, kIdVersion = 1000 };
    AboutDialog() : ui::Dialog(kTemplateId) {}

  protected:
    void OnInitDialog() override;
};

class AppCommands : public ui::CommandTarget {
  public:
    // `openDocument(path)` opens the file as a document (false when it could
    // not; it has then told the user why). `newDocument()` creates one.
    using OpenDocument = std::function<bool(const std::string& path)>;
    using NewDocument = std::function<bool()>;

    AppCommands(ui::Ui& ui, OpenDocument openDocument, NewDocument newDocument = {});

    // Open: the open dialog in LastFileDirectory, then the chosen file opens.
    // False when cancelled or when the file did not open.
    bool OnFileOpen();
    void OnAppAbout();

    bool Knows(int id) const override { return commands_.Knows(id); }
    bool IsEnabled(int id) const override { return commands_.IsEnabled(id); }
    bool IsChecked(int id) const override { return commands_.IsChecked(id); }
    void Handle(int id) override { commands_.Handle(id); }

  private:
    ui::Ui& ui_;
    OpenDocument openDocument_;
    NewDocument newDocument_;
    ui::CommandMap commands_;
};

}  // namespace recaster::app
