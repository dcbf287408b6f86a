// HeadlessUi: the Ui of tests and the command-line tool. Nothing is shown;
// instead
//   - message boxes and file dialogs take queued answers, in order;
//   - a handler per dialog template id gets each dialog run modally, after
//     its OnInitDialog, and works it through a DialogDriver until it ends;
//   - everything shown is recorded: message boxes (id, filled text, flags),
//     dialogs run, focus changes, file dialog requests, help requests;
//   - the clock is a counter the test moves; the clipboard is in memory.
//
// Whatever the script did not foresee (a message box or file dialog without
// an answer, a dialog without a handler, a handler that leaves its dialog
// open, an answer the box does not offer) is recorded in failures() and
// raised as HeadlessUiError, whose message names the dialog or the box's
// string id and text.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/ui.h"

namespace recaster::ui {

class DialogDriver;

class HeadlessUiError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class HeadlessUi : public Ui {
  public:
    using DialogHandler = std::function<void(DialogDriver&)>;
    using SheetHandler = std::function<void(PropertySheet&)>;

    struct ShownMessageBox {
        int stringId = 0;
        std::string text;
        uint32_t flags = 0;
        int answer = 0;
    };
    struct FocusChange {
        int templateId = 0;
        int controlId = 0;
    };

    HeadlessUi() = default;

    // --- The script ---------------------------------------------------------
    // Handlers stay registered and serve every run of the template.
    void OnDialog(int templateId, DialogHandler handler);
    // Sheets are known by the template id of their first page.
    void OnSheet(int firstPageTemplateId, SheetHandler handler);
    // Optional: called when a modeless dialog of the template opens.
    void OnModeless(int templateId, DialogHandler handler);
    // The button for the next message box; with `expectedStringId` the box
    // must show that string.
    void AnswerMessageBox(int button, int expectedStringId = 0);
    // The path chosen in the next file dialog; nothing = Cancel.
    void AnswerFileDialog(std::optional<std::string> path);
    // Answers queued but not used yet.
    size_t PendingAnswers() const { return boxAnswers_.size() + fileAnswers_.size(); }
    // Runs at every PumpEvents (to press Stop while a long job runs).
    void OnPump(std::function<void()> hook) { pumpHook_ = std::move(hook); }

    void SetTickCount(uint32_t ticks) { ticks_ = ticks; }
    void AdvanceTicks(uint32_t ms) { ticks_ += ms; }
    void SetDoubleClickTime(uint32_t ms) { doubleClickTime_ = ms; }
    // While set, the clipboard cannot be had: SetClipboard changes nothing
    // and returns false.
    void SetClipboardUnavailable(bool on) { clipboardUnavailable_ = on; }

    // --- What happened ------------------------------------------------------
    const std::vector<ShownMessageBox>& messageBoxes() const { return messageBoxes_; }
    const std::vector<int>& dialogsRun() const { return dialogsRun_; }
    const std::vector<FocusChange>& focusChanges() const { return focusChanges_; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
    const std::vector<std::pair<HelpCommand, std::string>>& helpRequests() const { return help_; }
    const std::vector<Dialog*>& openModeless() const { return modeless_; }
    const std::vector<std::string>& failures() const { return failures_; }
    int waitCursorLevel() const { return waitLevel_; }
    int pumpCount() const { return pumps_; }
    const ClipboardData& clipboard() const { return clipboard_; }
    const std::vector<std::string>& statusMessages() const { return statusMessages_; }

    // --- Ui -----------------------------------------------------------------
    int RunModal(Dialog& dialog) override;
    int RunPropertySheet(PropertySheet& sheet) override;
    void OpenModeless(Dialog& dialog) override;
    void CloseModeless(Dialog& dialog) override;
    void SetMainWindowEnabled(bool on) override { mainEnabled_ = on; }
    bool IsMainWindowEnabled() const override { return mainEnabled_; }
    int MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    void BeginWaitCursor() override { ++waitLevel_; }
    void EndWaitCursor() override;
    uint32_t TickCount() const override { return ticks_; }
    uint32_t DoubleClickTime() const override { return doubleClickTime_; }
    void PumpEvents() override;
    bool SetClipboard(const ClipboardData& data) override;
    void ShowStatusMessage(const std::string& text) override { statusMessages_.push_back(text); }
    std::optional<std::string> ClipboardFormat(const std::string& format) const override;
    std::optional<std::string> ClipboardText() const override { return clipboard_.text; }
    void ShowHelp(HelpCommand command, const std::string& topic = {}) override;

  private:
    [[noreturn]] void Fail(const std::string& message);

    struct BoxAnswer {
        int button;
        int expectedStringId;
    };

    std::map<int, DialogHandler> handlers_;
    std::map<int, SheetHandler> sheetHandlers_;
    std::map<int, DialogHandler> modelessHandlers_;
    std::deque<BoxAnswer> boxAnswers_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::function<void()> pumpHook_;

    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<int> dialogsRun_;
    std::vector<FocusChange> focusChanges_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<std::pair<HelpCommand, std::string>> help_;
    std::vector<Dialog*> modeless_;
    std::vector<std::string> failures_;
    ClipboardData clipboard_;
    bool clipboardUnavailable_ = false;
    std::vector<std::string> statusMessages_;
    uint32_t ticks_ = 0;
    uint32_t doubleClickTime_ = 500;
    int waitLevel_ = 0;
    int pumps_ = 0;
    bool mainEnabled_ = true;
};

}  // namespace recaster::ui
