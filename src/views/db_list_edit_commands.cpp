// The database list window's editing commands: New, Delete and the three
// database dialogs.
#include "config/cfg_file.h"
#include "dialogs/author_format_dialog.h"
#include "dialogs/confirm_delete.h"
#include "dialogs/database_info_dialog.h"
#include "dialogs/document_types_dialog.h"
#include "ui/ui.h"
#include "views/db_list_view.h"
#include "views/field_list_frame.h"

namespace recaster::views {

void CDBListView::NewDatabase() {
    if (dbList_ == nullptr) return;
    std::unique_ptr<config::CPersistentObject> element = dbList_->NewElement();
    auto& database = static_cast<config::CCfgDatabase&>(*element);
    dialogs::DatabaseInfoDialog dialog(database, *dbList_, catalog());
    if (dialog.DoModal() != ui::IDOK) return;  // the new database goes
    Select(listBox().Add(std::move(element)));
    ListChanged();
    OpenFieldWindow(database);
}

void CDBListView::DeleteDatabase() {
    const int index = SelectedIndex();
    config::CCfgDatabase* database = SelectedDatabase();
    if (index <= 0 || database == nullptr) return;
    if (!dialogs::ConfirmDelete(ui::CurrentUi(), dialogs::kLabelDatabase, database->name)) return;
    CloseFieldWindow(*database);
    listBox().Remove(index);
    // The row that moved up into its place, or none after the last.
    Select(index);
    ListChanged();
}

bool CDBListView::EditDatabaseInformation(config::CCfgDatabase& database) {
    // The list's current database keeps the selection wherever a new name
    // moves the databases.
    config::CCfgDatabase* current = SelectedDatabase();
    dialogs::DatabaseInfoDialog dialog(database, *dbList_, catalog());
    if (dialog.DoModal() != ui::IDOK) return false;
    document().SetModifiedFlag();
    if (current != nullptr) Select(dbList_->IndexOf(current));
    if (FieldListFrame* window = FieldWindowOf(database)) window->RefreshTitle();
    return true;
}

bool CDBListView::EditDocumentTypes(config::CCfgDatabase& database) {
    int result = ui::IDCANCEL;
    {
        dialogs::DocumentTypesDialog dialog(database, catalog());
        result = dialog.DoModal();
    }
    // Loaded only for the dialog; a field list shown in a window stays.
    database.ReleaseStoredChildren();
    if (result != ui::IDOK) return false;
    document().SetModifiedFlag();
    return true;
}

bool CDBListView::EditAuthorFormat(config::CCfgDatabase& database) {
    dialogs::AuthorFormatDialog dialog(database);
    if (dialog.DoModal() != ui::IDOK) return false;
    document().SetModifiedFlag();
    return true;
}

}  // namespace recaster::views
