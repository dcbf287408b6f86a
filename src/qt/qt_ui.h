// QtUi: the ui::Ui of the desktop program. Dialogs and property sheets run
// modally in real windows (DialogWindow, PropertySheetWindow), message boxes
// are QMessageBoxes, file dialogs QFileDialogs; the clipboard keeps the
// program's private formats as MIME types "application/x-recaster-<name>"
// next to the plain text; help opens the HelpWindow.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "ui/ui.h"

namespace recaster::qt {

class DialogWindow;
class HelpWindow;

class QtUi : public ui::Ui {
  public:
    QtUi();
    ~QtUi() override;

    // The window that owns dialogs and message boxes and that
    // SetMainWindowEnabled disables; may be null (then the active window).
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    HelpWindow* helpWindow() const;
    // True while PumpEvents runs (a long operation lets events through): a
    // request to quit then waits in app::QuitRequest until it has returned.
    bool IsPumping() const { return pumping_ > 0; }

    // The MIME type under which private clipboard format `name` travels:
    // "application/x-recaster-" and the name in small letters.
    static QString MimeTypeFor(const std::string& name);

    int RunModal(ui::Dialog& dialog) override;
    int RunPropertySheet(ui::PropertySheet& sheet) override;
    void OpenModeless(ui::Dialog& dialog) override;
    void CloseModeless(ui::Dialog& dialog) override;
    void SetMainWindowEnabled(bool on) override;
    bool IsMainWindowEnabled() const override;
    int MessageBox(const ui::MessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const ui::FileDialogRequest& request) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    uint32_t TickCount() const override;
    uint32_t DoubleClickTime() const override;
    void PumpEvents() override;
    bool SetClipboard(const ui::ClipboardData& data) override;
    void ShowStatusMessage(const std::string& text) override;
    std::optional<std::string> ClipboardFormat(const std::string& format) const override;
    std::optional<std::string> ClipboardText() const override;
    void ShowHelp(ui::HelpCommand command, const std::string& topic = {}) override;

  private:
    QWidget* Owner() const;

    QPointer<QWidget> mainWindow_;
    QElapsedTimer clock_;
    std::map<ui::Dialog*, std::unique_ptr<DialogWindow>> modeless_;
    mutable std::unique_ptr<HelpWindow> help_;
    int waitLevel_ = 0;
    int pumping_ = 0;
};

// "Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*" as Qt name filters.
QStringList NameFiltersOf(const std::string& filter);

}  // namespace recaster::qt
