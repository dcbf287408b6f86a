// The File Information sheet and its General page.
#include "dialogs/file_info_sheet.h"

#include <exception>

#include "base/paths.h"
#include "config/genl_info.h"
#include "dialogs/error_detail.h"
#include "resources/strings.h"
#include "ui/message_box.h"

namespace recaster::dialogs {

FileInfoGeneralPage::FileInfoGeneralPage(config::CCfgGenlInfo& genl, std::string path)
    : ui::Dialog(kTemplateId), genl_(genl), path_(std::move(path)) {}

void FileInfoGeneralPage::OnInitDialog() {
    SetText(kFileName, FilePart(path_));
    SetText(kDirectory, DirectoryOf(path_));
    SetText(kComments, genl_.comments);
}

void FileInfoGeneralPage::OnOK() {
    std::string previous = genl_.comments;
    genl_.comments = GetText(kComments);
    try {
        genl_.Save();
    } catch (const std::exception& e) {
        // The record was not rewritten: keep the object as the store has it
        // and leave the sheet open, so the user can retry or cancel.
        genl_.comments = std::move(previous);
        ui::ShowFileMessage(ui(), kSaveFailedString, path_, ErrorDetail(e),
                            ui::MB_OK | ui::MB_ICONEXCLAMATION);
        GotoControl(kComments);
        return;
    }
    EndDialog(ui::IDOK);
}

FileInfoSheet::FileInfoSheet(config::CCfgGenlInfo& genl, std::string path)
    : page_(genl, std::move(path)),
      sheet_(resources::LoadString(kTitleString), /*applyButton=*/false) {
    sheet_.AddPage(page_);
}

int FileInfoSheet::DoModal(ui::Ui& ui) {
    return sheet_.DoModal(ui);
}

}  // namespace recaster::dialogs
