// The widget of an owner-drawn list box: a QListWidget whose rows hold no
// text; a delegate asks the dialog to measure and paint each row on a
// QtCanvas (ui::Dialog::MeasureItem / DrawItem).
#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>

#include "ui/dialog.h"

namespace recaster::qt {

class OwnerDrawDelegate : public QStyledItemDelegate {
  public:
    OwnerDrawDelegate(ui::Dialog& dialog, const ui::Control& control, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    ui::Dialog& dialog_;
    const ui::Control& control_;
};

class OwnerDrawnList : public QListWidget {
  public:
    OwnerDrawnList(ui::Dialog& dialog, const ui::Control& control, QWidget* parent);
    // Makes the list hold `count` empty rows.
    void SetRowCount(int count);
    void RepaintRow(int row);  // -1: every row
};

}  // namespace recaster::qt
