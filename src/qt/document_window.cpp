// The database list window of one document.
#include "qt/document_window.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "qt/dialog_renderer.h"
#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "ui/ui.h"
#include "workforms/workform_loader.h"

namespace recaster::qt {

DocumentWindow::DocumentWindow(std::unique_ptr<app::CCfgDocument> document, QWidget* parent)
    : QWidget(parent),
      document_(std::move(document)),
      frame_(std::make_unique<views::CDBListFrame>(*document_, workforms::Workforms())) {
    setObjectName(QStringLiteral("document-window"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FromModel(frame_->Title()));

    header_ = new DialogView(frame_->header(), this);
    pane_ = new DialogView(frame_->view().pane(), this);
    buttons_ = new DialogView(frame_->buttons(), this);
    header_->setFixedHeight(header_->templateSize().height());
    buttons_->setFixedHeight(buttons_->templateSize().height());
    pane_->StretchControl(views::ColumnListBox::kControlId);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(pane_, 1);
    layout->addWidget(buttons_);

    document_->AddObserver(this);
    document_->SetDBListView(&frame_->view());
    // The bars run like modeless dialogs for the window's whole life.
    frame_->header().Initialize(ui::CurrentUi());
    frame_->buttons().Initialize(ui::CurrentUi());
    frame_->view().pane().Initialize(ui::CurrentUi());
    resize(std::max(header_->templateSize().width(), 480), 320);
}

DocumentWindow::~DocumentWindow() {
    document_->RemoveObserver(this);
    document_->SetDBListView(nullptr);
    // The views go before the document whose lists they show.
    delete header_;
    delete pane_;
    delete buttons_;
    frame_.reset();
    if (document_->IsOpen()) document_->OnCloseDocument();
}

std::string DocumentWindow::CanonicalPath() const {
    std::error_code ec;
    auto path = std::filesystem::weakly_canonical(document_->PathName(), ec);
    return ec ? document_->PathName() : path.string();
}

void DocumentWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!initialised_) InitialUpdate();
}

void DocumentWindow::InitialUpdate() {
    initialised_ = true;
    QWidget* list = pane_->WidgetFor(views::ColumnListBox::kControlId);
    QFont font = list ? list->font() : this->font();
    QtCanvas metrics(nullptr, font, palette());
    int listLeft = 0;
    if (auto* view = qobject_cast<QListWidget*>(list)) {
        listLeft = view->viewport()->mapTo(this, QPoint(0, 0)).x() - header_->x();
    }
    frame_->OnInitialUpdate(metrics, header_->baseUnits(), listLeft);
    emit stateChanged();
}

bool DocumentWindow::QueryClose() {
    if (!document_->IsOpen()) return true;
    return document_->CanCloseFrame();
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && !QueryClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (document_->IsOpen()) document_->OnCloseDocument();
    event->accept();
}

void DocumentWindow::PathChanged(const std::string& path, bool /*addToRecent*/) {
    emit pathChanged(FromPath(path));
    emit stateChanged();
}

void DocumentWindow::TitleChanged(const std::string& title) {
    setWindowTitle(FromModel(title));
}

void DocumentWindow::ModifiedChanged(bool /*modified*/) {
    emit stateChanged();
}

void DocumentWindow::Closed() {
    if (closing_) return;
    closing_ = true;
    // Not from inside the document's own notification.
    QTimer::singleShot(0, this, [this] { emit documentClosed(); });
}

}  // namespace recaster::qt
