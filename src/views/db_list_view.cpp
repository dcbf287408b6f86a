// CDBListView: the database list, its count line and its commands.
#include "views/db_list_view.h"

#include <algorithm>

#include "config/cfg_file.h"
#include "resources/strings.h"
#include "ui/ui.h"
#include "views/db_list_commands.h"

namespace recaster::views {

namespace {

constexpr int kStringDatabases = 34;
constexpr int kStringOneDatabase = 35;

}  // namespace

CDBListView::CDBListView(ViewDocument& document, const workforms::WorkformCatalog& catalog)
    : document_(document),
      catalog_(catalog),
      pane_(ColumnListBox::Kind::Databases, catalog, *this) {
    RegisterCommands();
    actions_[kCmdNew] = [this] { NewDatabase(); };
    actions_[kCmdDelete] = [this] { DeleteDatabase(); };
    actions_[kCmdDatabaseInformation] = [this] { DatabaseInformation(); };
    actions_[kCmdDocumentTypes] = [this] { DocumentTypes(); };
    actions_[kCmdAuthorFieldFormat] = [this] { AuthorFieldFormat(); };
}

CDBListView::~CDBListView() = default;

void CDBListView::RegisterCommands() {
    auto add = [this](int id, std::function<bool()> rule) {
        commands_.Add(
            id, [this, id] { actions_.at(id)(); },
            [this, id, rule = std::move(rule)] { return IsCommandAvailable(id) && rule(); });
    };
    add(kCmdNew, [] { return true; });
    add(kCmdDelete, [this] { return HasRemovableSelection(); });
    add(kCmdModify, [this] { return HasSelection(); });
    add(kCmdDatabaseInformation, [this] { return HasSelection(); });
    add(kCmdDocumentTypes, [this] { return HasSelection(); });
    add(kCmdAuthorFieldFormat, [this] { return HasSelection(); });
    add(kCmdCopy, [this] { return HasSelection(); });
    add(kCmdCut, [this] { return HasRemovableSelection(); });
    add(kCmdPaste, [this] { return ClipboardHoldsDatabase(); });
}

void CDBListView::SetCommandAction(int id, std::function<void()> action) {
    if (!commands_.Knows(id)) return;
    if (action)
        actions_[id] = std::move(action);
    else
        actions_.erase(id);
    if (listener_ != nullptr) listener_->SelectionChanged();
}

bool CDBListView::Execute(int id) {
    if (!Knows(id) || !IsEnabled(id)) return false;
    Handle(id);
    return true;
}

bool CDBListView::ClipboardHoldsDatabase() const {
    return ui::HasCurrentUi() &&
           ui::CurrentUi().ClipboardFormat(kDatabaseClipboardFormat).has_value();
}

void CDBListView::OnInitialUpdate(const ui::Canvas& metrics) {
    dbList_ = document_.Root().GetDBList();
    if (dbList_ != nullptr) listBox().Attach(*dbList_, metrics);
    RefreshCountLine();
    if (listener_ != nullptr) {
        listener_->ColumnsChanged();
        listener_->SelectionChanged();
    }
}

config::CCfgDatabase* CDBListView::SelectedDatabase() const {
    return static_cast<config::CCfgDatabase*>(listBox().SelectedElement());
}

void CDBListView::Select(int index) {
    listBox().Select(index);
    if (listener_ != nullptr) listener_->SelectionChanged();
}

std::string CDBListView::CountLine() const {
    const int count = dbList_ != nullptr ? dbList_->GetCount() : 0;
    return resources::FormatString(count == 1 ? kStringOneDatabase : kStringDatabases,
                                   std::to_string(count));
}

void CDBListView::RefreshCountLine() {
    if (listener_ != nullptr) listener_->CountLineChanged(CountLine());
}

void CDBListView::ListSelectionChanged() {
    if (listener_ != nullptr) listener_->SelectionChanged();
}

void CDBListView::ListDoubleClicked(int row) {
    if (row >= 0) Execute(kCmdModify);
}

bool CDBListView::ListKeyCommand(views::ListKeyCommand command) {
    switch (command) {
        case views::ListKeyCommand::Modify:
            return Execute(kCmdModify);
        case views::ListKeyCommand::New:
            return Execute(kCmdNew);
        case views::ListKeyCommand::Delete:
            return Execute(kCmdDelete);
        case views::ListKeyCommand::None:
            break;
    }
    return false;
}

}  // namespace recaster::views
