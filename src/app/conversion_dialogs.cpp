// The conversion's questions, dialogs and progress in the desktop program.
#include "app/conversion_dialogs.h"

#include "app/cfg_document.h"
#include "app/file_dialogs.h"
#include "convert/conversion.h"
#include "dialogs/error_detail.h"
#include "dialogs/user_workform_dialog.h"
#include "ui/message_box.h"

namespace recaster::app {

std::optional<std::string> ConversionDialogs::Run(const std::string& oldPath) {
    newPath_.clear();
    const convert::ConversionResult result =
        convert::ConvertVersion2File(oldPath, *this, fs_, catalog_);
    switch (result.outcome) {
        case convert::ConversionOutcome::Converted:
            ui::ShowMessageBox(ui_, kMsgConversionCompleted, {},
                               ui::MB_OK | ui::MB_ICONINFORMATION);
            return result.newPath;
        case convert::ConversionOutcome::Stopped:
            ui::ShowMessageBox(ui_, kMsgConversionNotCompleted, {},
                               ui::MB_OK | ui::MB_ICONEXCLAMATION);
            return std::nullopt;
        case convert::ConversionOutcome::Cancelled:
            break;
    }
    return std::nullopt;
}

bool ConversionDialogs::ConfirmConversion() {
    return ui::ShowMessageBox(ui_, kMsgConvertQuestion, {}, ui::MB_YESNO | ui::MB_ICONQUESTION) ==
           ui::IDYES;
}

bool ConversionDialogs::ConfirmUserWorkforms() {
    return ui::ShowMessageBox(ui_, kMsgUserWorkforms, {}, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) ==
           ui::IDYES;
}

std::optional<workforms::WorkformId> ConversionDialogs::ChooseWorkform(
    workforms::WorkformId oldId, workforms::WorkformId suggested) {
    dialogs::UserWorkformDialog dialog(oldId, suggested, catalog_);
    if (dialog.DoModal(ui_) != ui::IDOK) return std::nullopt;
    return dialog.chosen();
}

std::optional<std::string> ConversionDialogs::NewFileName() {
    std::optional<std::string> path = PromptSaveFileName(ui_, CCfgDocument::kNewFileName);
    newPath_ = path.value_or(std::string());
    return path;
}

void ConversionDialogs::RefuseNewFileName(const std::string& path) {
    ui::ShowFileMessage(ui_, kMsgNewIsOldFile, path, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION);
}

void ConversionDialogs::BeginCopy(int databases) {
    progress_.emplace(0, databases, kStrConversionTitle, ui_);
}

bool ConversionDialogs::Continue(int done) {
    return progress_ ? progress_->Update(done) : true;
}

bool ConversionDialogs::ConfirmStop() {
    if (ui::ShowMessageBox(ui_, kMsgStopConversion, {}, ui::MB_YESNO | ui::MB_ICONQUESTION) ==
        ui::IDYES)
        return true;
    if (progress_) progress_->ClearStopRequest();
    return false;
}

void ConversionDialogs::EndCopy() noexcept {
    try {
        progress_.reset();
    } catch (...) {
        // Closing a window does not fail in practice; the outcome is what counts.
    }
}

}  // namespace recaster::app
