// The list windows' common view: selection, count line and commands.
#include "views/list_view.h"

#include "ui/dialog.h"

namespace recaster::views {

ListView::ListView(ViewDocument& document, ColumnListBox::Kind kind,
                   const workforms::WorkformCatalog& catalog)
    : document_(document), catalog_(catalog), pane_(kind, catalog, *this) {}

ListView::~ListView() = default;

void ListView::AddCommand(int id, std::function<bool()> rule, Changes changes) {
    commands_.Add(
        id,
        [this, id] {
            ui::ViewOnlyScope viewOnly(document_.IsReadOnly());
            actions_.at(id)();
        },
        [this, id, changes, rule = std::move(rule)] {
            if (changes == Changes::Yes && document_.IsReadOnly()) return false;
            return IsCommandAvailable(id) && rule();
        });
}

void ListView::SetCommandAction(int id, std::function<void()> action) {
    if (!commands_.Knows(id)) return;
    if (action)
        actions_[id] = std::move(action);
    else
        actions_.erase(id);
    NotifySelection();
}

bool ListView::Execute(int id) {
    if (!Knows(id) || !IsEnabled(id)) return false;
    Handle(id);
    return true;
}

void ListView::Select(int index) {
    listBox().Select(index);
    NotifySelection();
}

void ListView::NotifySelection() {
    if (listener_ != nullptr) listener_->SelectionChanged();
}

void ListView::OnInitialUpdate(const ui::Canvas& metrics) {
    if (config::CCfgAbstractList* list = ShownList()) listBox().Attach(*list, metrics);
    RefreshCountLine();
    if (listener_ != nullptr) {
        listener_->ColumnsChanged();
        listener_->SelectionChanged();
    }
}

void ListView::RefreshCountLine() {
    if (listener_ != nullptr) listener_->CountLineChanged(CountLine());
}

void ListView::ListChanged() {
    RefreshCountLine();
    document_.SetModifiedFlag();
}

void ListView::ListDoubleClicked(int row) {
    if (row >= 0) Execute(kCmdModify);
}

bool ListView::ListKeyCommand(views::ListKeyCommand command) {
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
