// The desktop program's start, in the order of the shell's start-up: hand
// the files to a running instance and end, or else become the running
// instance, load the workform catalog, create the main window where the
// stored placement says, and open the named files or show the Open dialog.
// Files that cannot be opened are reported and the program runs on; so does
// it when a later start hands over such a file.
// Tests build an Application inside their own QApplication.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace recaster::qt {

class MainWindow;
class QtUi;
class SingleInstance;

class Application {
  public:
    // `channel` empty: the channel of this user, display and settings folder
    // (RECASTER_INSTANCE_CHANNEL in the environment overrides it, so tests do
    // not meet a real program).
    explicit Application(QString channel = {});
    ~Application();

    enum class StartResult { Running, Forwarded };
    // `args` are the command-line arguments after the program name.
    StartResult Start(const std::vector<std::string>& args);

    QtUi& ui() { return *ui_; }
    MainWindow* mainWindow() { return window_.get(); }
    SingleInstance& instance() { return *instance_; }

  private:
    void OpenForwarded(const QByteArray& message);
    // Opens the handed-over files once the user is not in a dialog or a
    // long operation, which a new document or its message would disturb.
    void OpenPendingFiles();

    std::unique_ptr<QtUi> ui_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<MainWindow> window_;
    std::vector<std::string> pendingFiles_;
    bool opening_ = false;
    bool retryScheduled_ = false;  // one check at a time while the user is busy
};

// The whole program: QApplication, Start, event loop.
int RunApplication(int argc, char** argv);

}  // namespace recaster::qt
