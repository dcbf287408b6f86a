// The scripted Ui of tests and the command-line tool.
#include "ui/headless_ui.h"

#include <algorithm>

#include "ui/dialog.h"
#include "ui/dialog_driver.h"
#include "ui/property_sheet.h"

namespace recaster::ui {

namespace {

// Records the focus changes of one dialog while it runs.
class FocusRecorder : public DialogObserver {
  public:
    FocusRecorder(Dialog& dialog, std::vector<HeadlessUi::FocusChange>& out)
        : dialog_(dialog), out_(out) {
        dialog_.AddObserver(this);
    }
    ~FocusRecorder() override { dialog_.RemoveObserver(this); }
    void FocusChanged(Control*, Control* now) override {
        out_.push_back({dialog_.templateId(), now != nullptr ? now->id() : 0});
    }

  private:
    Dialog& dialog_;
    std::vector<HeadlessUi::FocusChange>& out_;
};

}  // namespace

void HeadlessUi::Fail(const std::string& message) {
    failures_.push_back(message);
    throw HeadlessUiError(message);
}

void HeadlessUi::OnDialog(int templateId, DialogHandler handler) {
    handlers_[templateId] = std::move(handler);
}

void HeadlessUi::OnSheet(int firstPageTemplateId, SheetHandler handler) {
    sheetHandlers_[firstPageTemplateId] = std::move(handler);
}

void HeadlessUi::OnModeless(int templateId, DialogHandler handler) {
    modelessHandlers_[templateId] = std::move(handler);
}

void HeadlessUi::AnswerMessageBox(int button, int expectedStringId) {
    boxAnswers_.push_back({button, expectedStringId});
}

void HeadlessUi::AnswerFileDialog(std::optional<std::string> path) {
    fileAnswers_.push_back(std::move(path));
}

int HeadlessUi::RunModal(Dialog& dialog) {
    int id = dialog.templateId();
    dialogsRun_.push_back(id);
    auto handler = handlers_.find(id);
    if (handler == handlers_.end()) {
        Fail("unexpected dialog " + std::to_string(id) + " \"" + dialog.title() + "\"");
    }
    FocusRecorder recorder(dialog, focusChanges_);
    dialog.SetVisible(true);
    dialog.Initialize(*this);
    if (!dialog.IsEnded()) {
        DialogDriver driver(dialog);
        handler->second(driver);
    }
    dialog.SetVisible(false);
    if (!dialog.IsEnded()) {
        Fail("dialog " + std::to_string(id) + " \"" + dialog.title() +
             "\" is still open after its handler");
    }
    return dialog.result();
}

int HeadlessUi::RunPropertySheet(PropertySheet& sheet) {
    int id = sheet.PageCount() > 0 ? sheet.Page(0).templateId() : 0;
    dialogsRun_.push_back(id);
    auto handler = sheetHandlers_.find(id);
    if (handler == sheetHandlers_.end()) {
        Fail("unexpected property sheet \"" + sheet.title() + "\" (first page " +
             std::to_string(id) + ")");
    }
    sheet.Initialize(*this);
    handler->second(sheet);
    if (!sheet.IsEnded()) {
        Fail("property sheet \"" + sheet.title() + "\" is still open after its handler");
    }
    return sheet.result();
}

void HeadlessUi::OpenModeless(Dialog& dialog) {
    modeless_.push_back(&dialog);
    dialog.Initialize(*this);
    auto handler = modelessHandlers_.find(dialog.templateId());
    if (handler != modelessHandlers_.end()) {
        DialogDriver driver(dialog);
        handler->second(driver);
    }
}

void HeadlessUi::CloseModeless(Dialog& dialog) {
    modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), &dialog), modeless_.end());
    dialog.SetVisible(false);
    dialog.Detach();
}

int HeadlessUi::MessageBox(const MessageBoxRequest& request) {
    std::string what =
        "message box " + std::to_string(request.stringId) + " \"" + request.text + "\"";
    if (boxAnswers_.empty()) Fail("unexpected " + what);
    BoxAnswer answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    if (answer.expectedStringId != 0 && answer.expectedStringId != request.stringId) {
        Fail("expected message box " + std::to_string(answer.expectedStringId) + ", got " + what);
    }
    if (!MessageBoxOffers(request.flags, answer.button)) {
        Fail("answer " + std::to_string(answer.button) + " is not a button of " + what);
    }
    messageBoxes_.push_back({request.stringId, request.text, request.flags, answer.button});
    return answer.button;
}

std::optional<std::string> HeadlessUi::FileDialog(const FileDialogRequest& request) {
    fileDialogs_.push_back(request);
    if (fileAnswers_.empty()) {
        Fail(std::string("unexpected ") + (request.save ? "save" : "open") + " file dialog \"" +
             request.title + "\"");
    }
    std::optional<std::string> answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    return answer;
}

void HeadlessUi::EndWaitCursor() {
    if (waitLevel_ > 0) --waitLevel_;
}

void HeadlessUi::PumpEvents() {
    ++pumps_;
    if (pumpHook_) pumpHook_();
}

bool HeadlessUi::SetClipboard(const ClipboardData& data) {
    if (clipboardUnavailable_) return false;
    clipboard_ = data;
    return true;
}

std::optional<std::string> HeadlessUi::ClipboardFormat(const std::string& format) const {
    auto it = clipboard_.formats.find(format);
    if (it == clipboard_.formats.end()) return std::nullopt;
    return it->second;
}

void HeadlessUi::ShowHelp(HelpCommand command, const std::string& topic) {
    help_.emplace_back(command, topic);
}

}  // namespace recaster::ui
