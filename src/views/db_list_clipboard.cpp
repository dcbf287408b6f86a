// The database list window's clipboard commands: Copy, Cut and Paste of a
// database with everything in it, within a file, between files and between
// running programs.
#include "base/errors.h"
#include "config/cfg_file.h"
#include "dialogs/database_info_dialog.h"
#include "dialogs/error_detail.h"
#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_commands.h"
#include "views/db_list_view.h"
#include "views/field_list_frame.h"

namespace recaster::views {

bool CDBListView::CopyDatabase() {
    config::CCfgDatabase* database = SelectedDatabase();
    if (database == nullptr) return false;
    ui::Ui& ui = ui::CurrentUi();
    ui::ClipboardData data;
    try {
        data.formats[kDatabaseClipboardFormat] = config::DatabaseStream(*database);
    } catch (const std::exception& e) {
        // Its children could not be read from the file.
        ui.ShowStatusMessage(ui::FileMessageText(kStringCopyFailed, dialogs::ErrorDetail(e)));
        return false;
    }
    data.text = resources::FormatString(kStringDatabaseText, database->name);
    if (!ui.SetClipboard(data)) {
        ui.ShowStatusMessage(ui::FileMessageText(kStringCopyFailed, "the clipboard is busy"));
        return false;
    }
    return true;
}

void CDBListView::CutDatabase() {
    const int index = SelectedIndex();
    config::CCfgDatabase* database = SelectedDatabase();
    if (index <= 0 || database == nullptr || !CopyDatabase()) return;
    CloseFieldWindow(*database);
    listBox().Remove(index);
    Select(index);
    ListChanged();
}

void CDBListView::PasteDatabase() {
    ui::Ui& ui = ui::CurrentUi();
    std::optional<std::string> bytes = ui.ClipboardFormat(kDatabaseClipboardFormat);
    if (!bytes || dbList_ == nullptr) return;
    std::unique_ptr<config::CCfgDatabase> database;
    try {
        database = config::ReadDatabaseStream(
            std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
    } catch (const ArchiveError& e) {
        ui::ShowFileMessage(ui, kMsgUnusableDatabase, dialogs::ErrorDetail(e), {},
                            ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return;
    }
    database->owner = dbList_;
    if (dbList_->IsDuplicate(database.get())) {
        ui::ShowMessageBox(ui, dialogs::DatabaseInfoDialog::kMsgDuplicateName, {database->name},
                           ui::MB_OK | ui::MB_ICONEXCLAMATION);
        dialogs::DatabaseInfoDialog dialog(*database, *dbList_, catalog());
        if (dialog.DoModal(ui) != ui::IDOK) return;  // the pasted database goes
    }
    // The list stores it and its children under new ids in one step: a
    // failure leaves it out of the list, and the store refuses to save a
    // change that failed half way.
    Select(listBox().Add(std::move(database)));
    ListChanged();
}

}  // namespace recaster::views
