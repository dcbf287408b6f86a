// Owner-drawn list rows painted through the dialog's DrawItem.
#include "qt/owner_drawn_list.h"

#include <QPainter>

#include "qt/qt_canvas.h"

namespace recaster::qt {

OwnerDrawDelegate::OwnerDrawDelegate(ui::Dialog& dialog, const ui::Control& control,
                                     QObject* parent)
    : QStyledItemDelegate(parent), dialog_(dialog), control_(control) {}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    QtCanvas canvas(painter, widget ? widget->font() : option.font, option.palette);
    int row = index.row();
    ui::DrawItemContext context{canvas,
                                control_.id(),
                                row,
                                ui::Rect{option.rect.left(), option.rect.top(),
                                         option.rect.right() + 1, option.rect.bottom() + 1},
                                (option.state & QStyle::State_Selected) != 0,
                                (option.state & QStyle::State_HasFocus) != 0,
                                0,
                                &control_};
    if (const ui::ListItem* item = control_.Item(row)) context.itemData = item->data;
    dialog_.DrawItem(context);
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    ui::MeasureItemContext context{control_.id(), index.row(), option.fontMetrics.height(),
                                   &control_};
    dialog_.MeasureItem(context);
    return QSize(option.rect.width(), std::max(1, context.height));
}

OwnerDrawnList::OwnerDrawnList(ui::Dialog& dialog, const ui::Control& control, QWidget* parent)
    : QListWidget(parent) {
    setItemDelegate(new OwnerDrawDelegate(dialog, control, this));
    setUniformItemSizes(control.kind() == ui::ControlKind::OwnerDrawnList);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
