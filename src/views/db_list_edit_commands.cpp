// The database list window's editing commands: New, Delete and the three
// database dialogs.
#include "config/cfg_file.h"
#include "dialogs/author_format_dialog.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "dialogs/document_types_dialog.h"
#include "ui/ui.h"
#include "views/db_list_view.h"

namespace recaster::views {

void CDBListView::ListChanged() {
    RefreshCountLine();
    document_.SetModifiedFlag();
}

void CDBListView::NewDatabase() {
    if (dbList_ == nullptr) return;
    std::unique_ptr<config::CPersistentObject> element = dbList_->NewElement();
    auto& database = static_cast<config::CCfgDatabase&>(*element);
    dialogs::DatabaseInfoDialog dialog(database, *dbList_, catalog_);
    if (dialog.DoModal() != ui::IDOK) return;  // the new database goes
    Select(listBox().Add(std::move(element)));
    ListChanged();
}

void CDBListView::DeleteDatabase() {
    const int index = SelectedIndex();
    config::CCfgDatabase* database = SelectedDatabase();
    if (index <= 0 || database == nullptr) return;
    if (!dialogs::ConfirmDelete(ui::CurrentUi(), dialogs::kLabelDatabase, database->name)) return;
    listBox().Remove(index);
    // The row that moved up into its place, or none after the last.
    Select(index);
    ListChanged();
}

void CDBListView::DatabaseInformation() {
    config::CCfgDatabase* database = SelectedDatabase();
    if (database == nullptr) return;
    dialogs::DatabaseInfoDialog dialog(*database, *dbList_, catalog_);
    if (dialog.DoModal() != ui::IDOK) return;
    // A new name may have moved it.
    Select(dbList_->IndexOf(database));
    document_.SetModifiedFlag();
}

void CDBListView::DocumentTypes() {
    config::CCfgDatabase* database = SelectedDatabase();
    if (database == nullptr) return;
    int result = ui::IDCANCEL;
    {
        dialogs::DocumentTypesDialog dialog(*database, catalog_);
        result = dialog.DoModal();
    }
    // Loaded only for the dialog; a field list shown in a window stays.
    database->ReleaseStoredChildren();
    if (result == ui::IDOK) document_.SetModifiedFlag();
}

void CDBListView::AuthorFieldFormat() {
    config::CCfgDatabase* database = SelectedDatabase();
    if (database == nullptr) return;
    dialogs::AuthorFormatDialog dialog(*database);
    if (dialog.DoModal() == ui::IDOK) document_.SetModifiedFlag();
}

}  // namespace recaster::views
