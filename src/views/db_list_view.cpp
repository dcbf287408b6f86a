// CDBListView: the database list, its count line and its commands.
#include "views/db_list_view.h"

#include "config/cfg_file.h"
#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_commands.h"
#include "views/field_list_frame.h"

namespace recaster::views {

namespace {

constexpr int kStringDatabases = 34;
constexpr int kStringOneDatabase = 35;

}  // namespace

CDBListView::CDBListView(ViewDocument& document, const workforms::WorkformCatalog& catalog)
    : ListView(document, ColumnListBox::Kind::Databases, catalog),
      dbList_(document.Root().GetDBList()),
      fieldEditor_(CFldListView::DefaultEditor(catalog)) {
    AddCommand(
        kCmdNew, [] { return true; }, Changes::Yes);
    AddCommand(
        kCmdDelete, [this] { return HasRemovableSelection(); }, Changes::Yes);
    AddCommand(kCmdModify, [this] { return HasSelection(); });
    AddCommand(kCmdDatabaseInformation, [this] { return HasSelection(); });
    AddCommand(kCmdDocumentTypes, [this] { return HasSelection(); });
    AddCommand(kCmdAuthorFieldFormat, [this] { return HasSelection(); });
    AddCommand(kCmdCopy, [this] { return HasSelection(); });
    AddCommand(
        kCmdCut, [this] { return HasRemovableSelection(); }, Changes::Yes);
    AddCommand(
        kCmdPaste, [this] { return ClipboardHoldsDatabase(); }, Changes::Yes);

    // With the selected database, when there is one.
    auto selected = [this](bool (CDBListView::*edit)(config::CCfgDatabase&)) {
        return [this, edit] {
            if (config::CCfgDatabase* db = SelectedDatabase()) (this->*edit)(*db);
        };
    };
    SetCommandAction(kCmdNew, [this] { NewDatabase(); });
    SetCommandAction(kCmdDelete, [this] { DeleteDatabase(); });
    SetCommandAction(kCmdModify, [this] {
        if (config::CCfgDatabase* db = SelectedDatabase()) OpenFieldWindow(*db);
    });
    SetCommandAction(kCmdDatabaseInformation, selected(&CDBListView::EditDatabaseInformation));
    SetCommandAction(kCmdDocumentTypes, selected(&CDBListView::EditDocumentTypes));
    SetCommandAction(kCmdAuthorFieldFormat, selected(&CDBListView::EditAuthorFormat));
    SetCommandAction(kCmdCopy, [this] { CopyDatabase(); });
    SetCommandAction(kCmdCut, [this] { CutDatabase(); });
    SetCommandAction(kCmdPaste, [this] { PasteDatabase(); });
}

CDBListView::~CDBListView() {
    CloseAllFieldWindows();
}

config::CCfgAbstractList* CDBListView::ShownList() {
    return dbList_;
}

bool CDBListView::ClipboardHoldsDatabase() const {
    return ui::HasCurrentUi() &&
           ui::CurrentUi().ClipboardFormat(kDatabaseClipboardFormat).has_value();
}

config::CCfgDatabase* CDBListView::SelectedDatabase() const {
    return static_cast<config::CCfgDatabase*>(listBox().SelectedElement());
}

std::string CDBListView::CountLine() const {
    const int count = dbList_ != nullptr ? dbList_->GetCount() : 0;
    return resources::FormatString(count == 1 ? kStringOneDatabase : kStringDatabases,
                                   std::to_string(count));
}

}  // namespace recaster::views
