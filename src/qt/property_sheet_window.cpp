// Property sheets as tabbed windows.
#include "qt/property_sheet_window.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/dialog_renderer.h"
#include "qt/qt_text.h"
#include "ui/property_sheet.h"

namespace recaster::qt {

PropertySheetWindow::PropertySheetWindow(ui::PropertySheet& sheet, QWidget* parent)
    : QDialog(parent), sheet_(sheet), tabs_(new QTabWidget(this)) {
    setWindowTitle(FromModel(sheet.title()));
    setObjectName(QStringLiteral("property-sheet"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    for (int i = 0; i < sheet.PageCount(); ++i) {
        ui::Dialog& page = sheet.Page(i);
        auto* view = new DialogView(page, tabs_);
        pages_.push_back(view);
        tabs_->addTab(view, FromModel(page.title()));
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    ok->setObjectName(QStringLiteral("sheet-ok"));
    cancel->setObjectName(QStringLiteral("sheet-cancel"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        sheet_.PressOK();
        FollowSheet();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        sheet_.PressCancel();
        FollowSheet();
    });
    if (sheet.hasApplyButton()) {
        apply_ = buttons->addButton(QDialogButtonBox::Apply);
        apply_->setObjectName(QStringLiteral("sheet-apply"));
        connect(apply_, &QPushButton::clicked, this, [this] {
            sheet_.PressApply();
            FollowSheet();
        });
    }
    layout->addWidget(buttons);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (following_) return;
        sheet_.SelectPage(index);
        FollowSheet();
    });
}

void PropertySheetWindow::FollowSheet() {
    if (sheet_.IsEnded()) {
        done(sheet_.result());
        return;
    }
    following_ = true;
    if (sheet_.activePage() >= 0) tabs_->setCurrentIndex(sheet_.activePage());
    following_ = false;
    if (apply_) apply_->setEnabled(sheet_.modified());
}

void PropertySheetWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        sheet_.PressOK();
        FollowSheet();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PropertySheetWindow::reject() {
    if (!sheet_.IsEnded()) {
        sheet_.PressCancel();
        FollowSheet();
        return;
    }
    QDialog::reject();
}

}  // namespace recaster::qt
