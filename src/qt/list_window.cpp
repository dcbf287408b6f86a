// The window of a database list or field list.
#include "qt/list_window.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include "qt/dialog_renderer.h"
#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "ui/ui.h"

namespace recaster::qt {

ListWindow::ListWindow(views::ListFrame& frame, QWidget* parent) : QWidget(parent), frame_(&frame) {
    setObjectName(QStringLiteral("list-window"));
    ShowTitle();
    RefreshModified();

    header_ = new DialogView(frame.header(), this);
    pane_ = new DialogView(frame.view().pane(), this);
    buttons_ = new DialogView(frame.buttons(), this);
    header_->setFixedHeight(header_->templateSize().height());
    buttons_->setFixedHeight(buttons_->templateSize().height());
    pane_->StretchControl(views::ColumnListBox::kControlId);
    // Alt+N and the other button keys are the main window's accelerators,
    // routed to the active window; buttons of every open list window would
    // otherwise all claim them.
    buttons_->LeaveMnemonicsToAccelerators();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(pane_, 1);
    layout->addWidget(buttons_);

    frame.SetObserver(this);
    // The bars run like modeless dialogs for the window's whole life.
    frame.header().Initialize(ui::CurrentUi());
    frame.buttons().Initialize(ui::CurrentUi());
    frame.view().pane().Initialize(ui::CurrentUi());
    resize(std::max(header_->templateSize().width(), 480), 320);
}

ListWindow::~ListWindow() {
    Detach();
}

void ListWindow::Detach() {
    if (frame_ == nullptr) return;
    frame_->SetObserver(nullptr);
    frame_ = nullptr;
    delete header_;
    delete pane_;
    delete buttons_;
    header_ = pane_ = buttons_ = nullptr;
}

void ListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!initialised_ && frame_ != nullptr) InitialUpdate();
}

void ListWindow::InitialUpdate() {
    initialised_ = true;
    QWidget* list = pane_->WidgetFor(views::ColumnListBox::kControlId);
    QFont font = list ? list->font() : this->font();
    QtCanvas metrics(nullptr, font, palette());
    int listLeft = 0;
    if (auto* view = qobject_cast<QListWidget*>(list)) {
        listLeft = view->viewport()->mapTo(this, QPoint(0, 0)).x() - header_->x();
    }
    frame_->OnInitialUpdate(metrics, header_->baseUnits(), listLeft);
}

void ListWindow::FrameTitleChanged(views::ListFrame& /*frame*/) {
    ShowTitle();
}

void ListWindow::ShowTitle() {
    if (frame_ == nullptr) return;
    // "[*]" is where the window system puts the "*" of a modified document;
    // one in the file name itself is doubled to show as it is.
    QString title = QString::fromStdString(frame_->Title());
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
}

void ListWindow::RefreshModified() {
    if (frame_ != nullptr) setWindowModified(frame_->view().document().IsModified());
}

void ListWindow::closeEvent(QCloseEvent* event) {
    if (frame_ == nullptr) {
        event->accept();
        return;
    }
    // Whether and how it closes is the main window's business.
    event->ignore();
    emit closeRequested(this);
}

}  // namespace recaster::qt
