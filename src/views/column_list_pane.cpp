// ColumnListPane: the list window's client dialog.
#include "views/column_list_pane.h"

#include <array>

#include "ui/ui.h"

namespace recaster::views {

namespace {

using resources::ControlKind;

constexpr std::array<resources::ControlTemplate, 1> kPaneControls{{
    {ColumnListBox::kControlId,
     ControlKind::OwnerDrawnList,
     "",
     {0, 0, 300, 200},
     resources::kStyleTabStop | resources::kStyleVScroll | resources::kStyleNotify},
}};

constexpr resources::DialogTemplate kPaneTemplate{
    ColumnListPane::kTemplateId, "", 300, 200, {}, 8, kPaneControls};

}  // namespace

ColumnListPane::ColumnListPane(ColumnListBox::Kind kind, const workforms::WorkformCatalog& catalog,
                               ListPaneDelegate& delegate)
    : ui::Dialog(kPaneTemplate),
      box_(Item(ColumnListBox::kControlId), kind, catalog),
      delegate_(delegate) {}

void ColumnListPane::OnInitDialog() {
    SetFocusTo(ColumnListBox::kControlId);
}

bool ColumnListPane::KeyDown(ListKey key) {
    const ListKeyCommand command = ColumnListBox::CommandForKey(key);
    if (command == ListKeyCommand::None) return false;
    delegate_.ListKeyCommand(command);
    // Enter, Insert and Delete belong to the window even when their command
    // cannot run now.
    return true;
}

bool ColumnListPane::Char(char ch) {
    const int before = box_.SelectedIndex();
    const bool handled = box_.TypeCharacter(ch, ui().TickCount(), ui().DoubleClickTime());
    if (box_.SelectedIndex() != before) delegate_.ListSelectionChanged();
    return handled;
}

void ColumnListPane::DrawItem(ui::DrawItemContext& context) {
    if (context.controlId != ColumnListBox::kControlId) return;
    box_.DrawRow(context.canvas, context.row, context.rect, context.selected);
}

bool ColumnListPane::OnCommand(int id, ui::Notification notification) {
    if (id != ColumnListBox::kControlId) return false;
    switch (notification) {
        case ui::Notification::SelectionChanged:
            delegate_.ListSelectionChanged();
            return true;
        case ui::Notification::DoubleClicked:
            delegate_.ListDoubleClicked(box_.SelectedIndex());
            return true;
        default:
            return false;
    }
}

}  // namespace recaster::views
