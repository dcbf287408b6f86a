// The services a front end gives the program: modal and modeless dialogs,
// message boxes, file dialogs, the wait cursor, the clock, event pumping, the
// clipboard, the status line and the help viewer. The Qt front end and HeadlessUi (tests, the
// command-line tool) implement it; the program reaches it through CurrentUi().
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "ui/message_box.h"

namespace recaster::ui {

class Dialog;
class PropertySheet;

struct FileDialogRequest {
    bool save = false;  // save dialog (else open)
    std::string title;  // empty: the front end's "Open" / "Save As"
    // Pairs of description and patterns separated by "|", as in
    // "Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*".
    std::string filter;
    std::string defaultExtension;  // without the dot, e.g. "cfg"
    std::string proposedName;      // file name offered in the name box
    std::string startDirectory;
    bool fileMustExist = false;
    bool overwritePrompt = false;
};

// The clipboard's content: data under format names, and the plain text
// companion (Windows-1252) that other programs read.
struct ClipboardData {
    std::map<std::string, std::string> formats;
    std::optional<std::string> text;
};

enum class HelpCommand : uint8_t { Contents, Index, Topic, Keyword, HelpOnHelp };

class Ui {
  public:
    virtual ~Ui() = default;

    // Runs `dialog` modally: initialises it, lets the user work until it ends
    // and returns the end result.
    virtual int RunModal(Dialog& dialog) = 0;
    virtual int RunPropertySheet(PropertySheet& sheet) = 0;

    // Modeless dialogs (the progress dialog): created (OnInitDialog runs) and
    // shown or not by their own visibility; destroyed by CloseModeless.
    virtual void OpenModeless(Dialog& dialog) = 0;
    virtual void CloseModeless(Dialog& dialog) = 0;

    // Whether the main window takes mouse and keyboard input.
    virtual void SetMainWindowEnabled(bool on) = 0;
    virtual bool IsMainWindowEnabled() const = 0;

    // Shows the box and returns the pressed button (IDOK, IDCANCEL, ...).
    virtual int MessageBox(const MessageBoxRequest& request) = 0;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;

    // Wait cursor levels; use WaitCursor rather than these.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Milliseconds since some start; wraps around like a 32-bit counter, so
    // compare times by unsigned difference.
    virtual uint32_t TickCount() const = 0;
    // The longest pause between the clicks of a double click, in ms.
    virtual uint32_t DoubleClickTime() const = 0;

    // Handles the events that are waiting (input, paint) and returns.
    virtual void PumpEvents() = 0;

    // Replaces the clipboard's content; false when the clipboard could not
    // be had (nothing changed then).
    virtual bool SetClipboard(const ClipboardData& data) = 0;
    // The data of `format`, or nothing when the clipboard has none.
    virtual std::optional<std::string> ClipboardFormat(const std::string& format) const = 0;
    virtual std::optional<std::string> ClipboardText() const = 0;

    // A passing note in the main window's status line (Windows-1252).
    virtual void ShowStatusMessage(const std::string& text) = 0;

    // Opens the help viewer; `topic` is the page or keyword where one applies.
    virtual void ShowHelp(HelpCommand command, const std::string& topic = {}) = 0;
};

// The process-wide Ui. Set by the program at start and by each test; using it
// while none is set raises std::logic_error.
Ui& CurrentUi();
bool HasCurrentUi();
void SetCurrentUi(Ui* ui);

// Makes `ui` the current one for its lifetime and restores the previous.
class ScopedCurrentUi {
  public:
    explicit ScopedCurrentUi(Ui& ui);
    ~ScopedCurrentUi();
    ScopedCurrentUi(const ScopedCurrentUi&) = delete;
    ScopedCurrentUi& operator=(const ScopedCurrentUi&) = delete;

  private:
    Ui* previous_;
};

// Shows the wait cursor for its lifetime (levels nest).
class WaitCursor {
  public:
    explicit WaitCursor(Ui& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    WaitCursor() : WaitCursor(CurrentUi()) {}
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Ui& ui_;
};

}  // namespace recaster::ui
