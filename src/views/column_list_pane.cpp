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

bool ColumnListPane::OnKeyDown(ui::Control& control, const ui::KeyPress& key) {
    if (&control != &box_.control()) return false;
    const ListKeyCommand command = ColumnListBox::CommandForKey(key);
    if (command == ListKeyCommand::None) return false;
    delegate_.ListKeyCommand(command);
    return true;
}

bool ColumnListPane::OnChar(ui::Control& control, char ch) {
    if (&control != &box_.control()) return false;
    const int before = box_.SelectedIndex();
    const bool handled = box_.TypeCharacter(ch, ui().TickCount(), ui().DoubleClickTime());
    if (box_.SelectedIndex() != before) delegate_.ListSelectionChanged();
    return handled;
}

void ColumnListPane::DrawItem(ui::DrawItemContext& context) {
    if (context.control != &box_.control()) return;
    box_.DrawRow(context.canvas, context.row, context.rect, context.selected);
}

bool ColumnListPane::OnCommand(ui::Control& control, ui::Notification notification) {
    if (&control != &box_.control()) return false;
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
