// Top-level windows of dialogs.
#include "qt/dialog_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace recaster::qt {

DialogWindow::DialogWindow(ui::Dialog& dialog, QWidget* parent)
    : QDialog(parent), view_(new DialogView(dialog, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setWindowTitle(FromModel(dialog.title()));
    setObjectName(QStringLiteral("dialog-window-%1").arg(dialog.templateId()));
    setFixedSize(view_->templateSize());
    // A dialog of fixed size: a title and a close box, nothing to minimise
    // or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    connect(view_, &DialogView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view_, &DialogView::visibilityChanged, this, &QWidget::setVisible);
    connect(view_, &DialogView::ended, this, [this](int result) { done(result); });
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            view_->PressEnter();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            view_->PressEscape();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    if (!view_->dialog().IsEnded() && view_->dialog().IsRunning()) {
        view_->PressEscape();
        if (!view_->dialog().IsEnded()) {
            event->ignore();
            return;
        }
    }
    QDialog::closeEvent(event);
}

// QDialog's own Escape path: the dialog decides.
void DialogWindow::reject() {
    if (view_->dialog().IsRunning()) {
        view_->PressEscape();
        return;
    }
    QDialog::reject();
}

}  // namespace recaster::qt
