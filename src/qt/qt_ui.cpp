// The Qt implementation of the program's front-end services.
#include "qt/qt_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

#include "qt/dialog_window.h"
#include "qt/help_window.h"
#include "qt/property_sheet_window.h"
#include "qt/qt_text.h"
#include "resources/menus.h"
#include "resources/strings.h"
#include "ui/dialog.h"
#include "ui/property_sheet.h"

namespace recaster::qt {

QtUi::QtUi() {
    clock_.start();
}
QtUi::~QtUi() {
    while (waitLevel_ > 0) EndWaitCursor();
}

QWidget* QtUi::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (mainWindow_) return mainWindow_;
    return QApplication::activeWindow();
}

HelpWindow* QtUi::helpWindow() const {
    if (!help_) help_ = std::make_unique<HelpWindow>();
    return help_.get();
}

QString QtUi::MimeTypeFor(const std::string& name) {
    return QStringLiteral("application/x-recaster-") + QString::fromStdString(name).toLower();
}

int QtUi::RunModal(ui::Dialog& dialog) {
    QWidget* owner = Owner();
    DialogWindow window(dialog, owner);
    // Modal to the windows it belongs to, not to the whole program: the
    // help window, opened from the dialog's Help button or F1, must take
    // the user's input while the dialog waits.
    window.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.SetVisible(true);
    dialog.Initialize(*this);
    if (!dialog.IsEnded()) window.exec();
    dialog.SetVisible(false);
    return dialog.result();
}

int QtUi::RunPropertySheet(ui::PropertySheet& sheet) {
    PropertySheetWindow window(sheet, Owner());
    window.setModal(true);
    sheet.Initialize(*this);
    window.FollowSheet();
    if (!sheet.IsEnded()) window.exec();
    return sheet.result();
}

void QtUi::OpenModeless(ui::Dialog& dialog) {
    // No parent widget: a modeless dialog (progress, with its Stop button)
    // must stay usable while it has the main window disabled, and disabling
    // a widget disables the windows it parents. It stays in front of the
    // main window as its transient child instead.
    auto window = std::make_unique<DialogWindow>(dialog, nullptr);
    window->setModal(false);
    if (QWidget* owner = Owner()) {
        window->winId();
        if (owner->window()->windowHandle())
            window->windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    DialogWindow* raw = window.get();
    modeless_[&dialog] = std::move(window);
    dialog.Initialize(*this);
    raw->setVisible(dialog.visible());
}

void QtUi::CloseModeless(ui::Dialog& dialog) {
    dialog.SetVisible(false);
    modeless_.erase(&dialog);
    dialog.Detach();
}

void QtUi::SetMainWindowEnabled(bool on) {
    if (mainWindow_) mainWindow_->setEnabled(on);
}

bool QtUi::IsMainWindowEnabled() const {
    return !mainWindow_ || mainWindow_->isEnabled();
}

int QtUi::MessageBox(const ui::MessageBoxRequest& request) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.flags & ui::MB_ICONMASK) {
        case ui::MB_ICONSTOP:
            icon = QMessageBox::Critical;
            break;
        case ui::MB_ICONQUESTION:
            icon = QMessageBox::Question;
            break;
        case ui::MB_ICONEXCLAMATION:
            icon = QMessageBox::Warning;
            break;
        case ui::MB_ICONINFORMATION:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QString caption = request.caption.empty()
                          ? FromModel(resources::LoadString(resources::kStrAppTitle))
                          : QString::fromUtf8(request.caption);
    QMessageBox box(icon, caption, QString::fromUtf8(request.text), QMessageBox::NoButton, Owner());
    box.setObjectName(QStringLiteral("message-box-%1").arg(request.stringId));
    struct Choice {
        int id;
        QMessageBox::StandardButton button;
    };
    std::vector<Choice> choices;
    switch (request.flags & ui::MB_BUTTONMASK) {
        case ui::MB_OKCANCEL:
            choices = {{ui::IDOK, QMessageBox::Ok}, {ui::IDCANCEL, QMessageBox::Cancel}};
            break;
        case ui::MB_YESNOCANCEL:
            choices = {{ui::IDYES, QMessageBox::Yes},
                       {ui::IDNO, QMessageBox::No},
                       {ui::IDCANCEL, QMessageBox::Cancel}};
            break;
        case ui::MB_YESNO:
            choices = {{ui::IDYES, QMessageBox::Yes}, {ui::IDNO, QMessageBox::No}};
            break;
        case ui::MB_RETRYCANCEL:
            choices = {{ui::IDRETRY, QMessageBox::Retry}, {ui::IDCANCEL, QMessageBox::Cancel}};
            break;
        default:
            choices = {{ui::IDOK, QMessageBox::Ok}};
            break;
    }
    for (const Choice& c : choices) box.addButton(c.button);
    box.setDefaultButton(choices.front().button);
    int escape = ui::MessageBoxEscapeResult(request.flags);
    for (const Choice& c : choices) {
        if (c.id == escape) box.setEscapeButton(c.button);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const Choice& c : choices) {
        if (clicked && box.button(c.button) == clicked) return c.id;
    }
    return escape != 0 ? escape : choices.front().id;
}

QStringList NameFiltersOf(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file on the original platform.
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        int paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0) description = description.left(paren).trimmed();
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out;
}

std::optional<std::string> QtUi::FileDialog(const ui::FileDialogRequest& request) {
    QFileDialog dialog(Owner());
    dialog.setObjectName(QStringLiteral("file-dialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save || !request.fileMustExist ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setWindowTitle(!request.title.empty() ? FromModel(request.title)
                          : request.save         ? QObject::tr("Save As")
                                                 : QObject::tr("Open"));
    if (!request.filter.empty()) dialog.setNameFilters(NameFiltersOf(request.filter));
    if (!request.startDirectory.empty()) dialog.setDirectory(FromPath(request.startDirectory));
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.proposedName.empty()) dialog.selectFile(FromPath(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToPath(dialog.selectedFiles().front());
}

void QtUi::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitLevel_;
}

void QtUi::EndWaitCursor() {
    if (waitLevel_ == 0) return;
    --waitLevel_;
    QApplication::restoreOverrideCursor();
}

uint32_t QtUi::TickCount() const {
    return static_cast<uint32_t>(clock_.elapsed());
}

uint32_t QtUi::DoubleClickTime() const {
    return static_cast<uint32_t>(QApplication::doubleClickInterval());
}

void QtUi::PumpEvents() {
    ++pumping_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --pumping_;
}

bool QtUi::SetClipboard(const ui::ClipboardData& data) {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard == nullptr) return false;
    auto* mime = new QMimeData;
    for (const auto& [name, bytes] : data.formats) {
        mime->setData(MimeTypeFor(name),
                      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    if (data.text) mime->setText(FromModel(*data.text));
    clipboard->setMimeData(mime);
    return true;
}

void QtUi::ShowStatusMessage(const std::string& text) {
    if (auto* main = qobject_cast<QMainWindow*>(mainWindow_.data()))
        main->statusBar()->showMessage(FromModel(text), 10000);
}

std::optional<std::string> QtUi::ClipboardFormat(const std::string& format) const {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QString type = MimeTypeFor(format);
    if (!mime || !mime->hasFormat(type)) return std::nullopt;
    return mime->data(type).toStdString();
}

std::optional<std::string> QtUi::ClipboardText() const {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime || !mime->hasText()) return std::nullopt;
    // Characters the code page lacks cannot come into the model.
    return ToModel(mime->text());
}

void QtUi::ShowHelp(ui::HelpCommand command, const std::string& topic) {
    HelpWindow* help = helpWindow();
    switch (command) {
        case ui::HelpCommand::Contents:
            help->ShowContents();
            break;
        case ui::HelpCommand::Index:
            help->ShowIndex();
            break;
        case ui::HelpCommand::Topic:
            help->ShowPage(QString::fromStdString(topic));
            break;
        case ui::HelpCommand::Keyword:
            help->ShowKeyword(FromModel(topic));
            break;
        case ui::HelpCommand::HelpOnHelp:
            help->ShowPage(QStringLiteral("using_help.html"));
            break;
    }
}

}  // namespace recaster::qt
