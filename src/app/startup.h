// The steps of the program's start that need no window toolkit: the message
// a second start sends through the single-instance channel (whose place is in
// instance_channel.h), the command line, loading the workform catalog with a message per
// damaged file, and what opens first (the Open dialog on a plain start, the
// named files otherwise). The Qt front end runs them in order.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ui.h"
#include "workforms/workform_locator.h"

namespace recaster::app {

// String shown for a workform file that is skipped: %1 its path, %2 why.
inline constexpr int kMsgWorkformSkipped = 61730;

// `file` as an absolute path: a relative one is taken from
// `workingDirectory`, so that it stays right in the recent-file list and
// for a program running elsewhere.
std::string AbsolutePath(const std::string& file, const std::string& workingDirectory);

// The files a second start hands over, as absolute paths (relative ones
// taken from `workingDirectory`), one per line. Decoding drops empty lines.
std::string EncodeForwardedFiles(const std::vector<std::string>& files,
                                 const std::string& workingDirectory);
std::vector<std::string> DecodeForwardedFiles(std::string_view message);

// What `recaster --version` or `recaster --help` prints instead of starting
// (the options count before any "--"); nullopt for a start that opens the
// program.
std::optional<std::string> InformationRequested(const std::vector<std::string>& args);

// Why the editor cannot start: no display is named by the environment
// (`getenv` of DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM) nor by the command
// line (-platform, -display). nullopt when one is; whether it can be reached
// is the toolkit's to find out.
std::optional<std::string> MissingDisplay(const std::vector<std::string>& args,
                                          const std::function<const char*(const char*)>& getenv);

// The command line after the program name: every argument is a file to open
// except options ("-x", "--x"), which are ignored; "--" ends the options.
std::vector<std::string> FilesOfCommandLine(const std::vector<std::string>& args);

// Fills the process-wide catalog from `locator`. A file that cannot be used
// shows one message box naming it and is skipped. Returns the number of
// workforms loaded (0 when the catalog was already loaded).
int LoadWorkformCatalog(ui::Ui& ui, const workforms::WorkformLocator& locator);

// The first thing the user sees: with no file named, the Open dialog
// (`openDialog`; cancelling it leaves an empty main window); otherwise each
// named file opens with `openFile`, in order. A file that cannot be opened
// (the document has told the user why) does not stop the others, and the
// program runs on even when none opened, so the user can open another.
// Returns how many opened.
int OpenAtStart(const std::vector<std::string>& files,
                const std::function<bool(const std::string&)>& openFile,
                const std::function<void()>& openDialog);

}  // namespace recaster::app
