// Owner-drawn list rows painted through the dialog's DrawItem.
#include "qt/owner_drawn_list.h"

#include <QPainter>

#include "qt/qt_canvas.h"

namespace recaster::qt {

OwnerDrawDelegate::OwnerDrawDelegate(ui::Dialog& dialog, int controlId, QObject* parent)
    : QStyledItemDelegate(parent), dialog_(dialog), controlId_(controlId) {}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    QtCanvas canvas(painter, widget ? widget->font() : option.font, option.palette);
    const ui::Control* control = dialog_.FindItem(controlId_);
    int row = index.row();
    ui::DrawItemContext context{canvas,
                                controlId_,
                                row,
                                ui::Rect{option.rect.left(), option.rect.top(),
                                         option.rect.right() + 1, option.rect.bottom() + 1},
                                (option.state & QStyle::State_Selected) != 0,
                                (option.state & QStyle::State_HasFocus) != 0,
                                0};
    if (control) {
        if (const ui::ListItem* item = control->Item(row)) context.itemData = item->data;
    }
    dialog_.DrawItem(context);
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    ui::MeasureItemContext context{controlId_, index.row(), option.fontMetrics.height()};
    dialog_.MeasureItem(context);
    return QSize(option.rect.width(), std::max(1, context.height));
}

OwnerDrawnList::OwnerDrawnList(ui::Dialog& dialog, const ui::Control& control, QWidget* parent)
    : QListWidget(parent) {
    setItemDelegate(new OwnerDrawDelegate(dialog, control.id(), this));
    setUniformItemSizes(control.kind() == ui::ControlKind::OwnerDrawnList);
    setSelectionMode(control.HasStyle(resources::kStyleMultiSelect)
                         ? QAbstractItemView::ExtendedSelection
                         : QAbstractItemView::SingleSelection);
}

void OwnerDrawnList::SetRowCount(int count) {
    while (this->count() > count) delete takeItem(this->count() - 1);
    while (this->count() < count) addItem(QString());
}

void OwnerDrawnList::RepaintRow(int row) {
    if (row < 0) {
        viewport()->update();
        return;
    }
    if (QListWidgetItem* it = item(row)) viewport()->update(visualItemRect(it));
}

}  // namespace recaster::qt
