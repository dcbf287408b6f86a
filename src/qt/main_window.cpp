// The main window: menus, toolbar, status bar, MDI children, placement.
#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "app/quit_request.h"
#include "app/title_folders.h"
#include "qt/command_icons.h"
#include "qt/list_window.h"
#include "qt/qt_text.h"
#include "qt/qt_ui.h"
#include "resources/menus.h"
#include "resources/strings.h"
#include "ui/message_box.h"

namespace recaster::qt {

namespace r = resources;

namespace {

QString Label(std::string_view menuText) {
    return FromModel(r::SplitMenuText(menuText).label);
}

std::optional<int> QtKeyOf(uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
    switch (key) {
        case r::kKeyBackspace:
            return Qt::Key_Backspace;
        case r::kKeyTab:
            return Qt::Key_Tab;
        case r::kKeyEnter:
            return Qt::Key_Return;
        case r::kKeyEscape:
            return Qt::Key_Escape;
        case r::kKeyInsert:
            return Qt::Key_Insert;
        case r::kKeyDelete:
            return Qt::Key_Delete;
        case r::kKeyHome:
            return Qt::Key_Home;
        case r::kKeyEnd:
            return Qt::Key_End;
        case r::kKeyPageUp:
            return Qt::Key_PageUp;
        case r::kKeyPageDown:
            return Qt::Key_PageDown;
        case r::kKeyLeft:
            return Qt::Key_Left;
        case r::kKeyRight:
            return Qt::Key_Right;
        case r::kKeyUp:
            return Qt::Key_Up;
        case r::kKeyDown:
            return Qt::Key_Down;
        default:
            if (key >= r::kKeyF1 && key <= r::kKeyF12) return Qt::Key_F1 + (key - r::kKeyF1);
            return std::nullopt;
    }
}

QKeySequence SequenceOf(const r::Accelerator& a) {
    std::optional<int> key = QtKeyOf(a.key);
    if (!key) return {};
    int mods = 0;
    if (a.modifiers & r::kModShift) mods |= Qt::SHIFT;
    if (a.modifiers & r::kModCtrl) mods |= Qt::CTRL;
    if (a.modifiers & r::kModAlt) mods |= Qt::ALT;
    return QKeySequence(*key | mods);
}

// Whether a keyboard lock is on, from the LED state the kernel shows; false
// when the system does not tell.
bool LockLedOn(const char* name) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/leds", ec)) {
        std::string led = entry.path().filename().string();
        if (led.size() < std::strlen(name) || led.find(name) == std::string::npos) continue;
        QFile file(QString::fromStdString((entry.path() / "brightness").string()));
        if (file.open(QIODevice::ReadOnly) && file.readAll().trimmed() != "0") return true;
    }
    return false;
}

// Every command of a menu, depth first.
void CollectCommands(std::span<const r::MenuItem> items,
                     const std::function<void(const r::MenuItem&)>& f) {
    for (const r::MenuItem& item : items) {
        if (item.kind == r::MenuItemKind::Command) f(item);
        if (item.kind == r::MenuItemKind::Popup) CollectCommands(item.children, f);
    }
}

}  // namespace

MainWindow::MainWindow(QtUi& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("main-window"));
    setWindowTitle(FromModel(app::CMainFrame::Title()));
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    mdi_->setObjectName(QStringLiteral("mdi-area"));

    frame_ = std::make_unique<app::CMainFrame>(
        ui, static_cast<app::FrameWindow&>(*this), app::AppSettings(),
        [this](const std::string& p) { return OpenDocumentFile(p); });
    appCommands_ = std::make_unique<app::AppCommands>(
        ui, [this](const std::string& p) { return OpenDocumentFile(p); },
        [this] { return NewDocument(); });
    frame_->SetAppTargets({appCommands_.get()});
    frame_->LoadSettings();

    BuildActions();
    BuildToolbar();
    BuildStatusBar();
    ActiveChildChanged();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { ActiveChildChanged(); });

    // Command states follow the program's state while it is idle.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] {
        UpdateCommandStates();
        UpdateIndicators();
        // A quit that came while a long operation ran is carried out now.
        if (!ui_.IsPumping() && app::QuitRequest::Take()) close();
    });
    idle->start(300);
    // Paste follows what the clipboard holds, also when another program
    // changes it.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainWindow::UpdateCommandStates);
}

MainWindow::~MainWindow() {
    // Documents close before the frame that routes their commands.
    sessions_.clear();
    for (QMdiSubWindow* sub : mdi_->subWindowList()) delete sub;
}

QAction* MainWindow::MakeAction(int id, const std::string& menuText) {
    auto it = actions_.find(id);
    if (it != actions_.end()) return it->second;
    auto* action = new QAction(Label(menuText), this);
    action->setObjectName(QStringLiteral("command-%1").arg(id));
    action->setStatusTip(FromModel(app::CMainFrame::StatusText(id)));
    action->setToolTip(FromModel(app::CMainFrame::TooltipText(id)));
    action->setIcon(CommandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action);  // shortcuts work without a menu entry too
    actions_[id] = action;
    return action;
}

void MainWindow::BuildActions() {
    for (int menuId : {2, 4}) {
        CollectCommands(r::FindMenu(menuId)->items, [this](const r::MenuItem& item) {
            MakeAction(item.id, std::string(item.text));
        });
    }
    for (int i = 0; i < r::kRecentFileCount; ++i) {
        recentActions_.push_back(MakeAction(r::kCmdRecentFile1 + i, "Recent File"));
    }
    for (int i = 0; i < r::kWindowListSize; ++i) {
        windowActions_.push_back(MakeAction(r::kCmdWindowList1 + i, "Window"));
    }
    windowActions_.push_back(MakeAction(r::kCmdMoreWindows, std::string(r::kMoreWindowsText)));
    for (int menuId : {2, 4}) {
        for (const r::Accelerator& a : r::FindAcceleratorTable(menuId)->entries) {
            MakeAction(a.command, app::CMainFrame::TooltipText(a.command));
        }
    }
}

void MainWindow::BuildMenus() {
    int id = frame_->MenuId();
    builtMenu_ = id;
    menuBar()->clear();
    windowListSeparator_ = nullptr;
    std::function<void(QMenu*, std::span<const r::MenuItem>)> fill =
        [&](QMenu* menu, std::span<const r::MenuItem> items) {
            for (const r::MenuItem& item : items) {
                switch (item.kind) {
                    case r::MenuItemKind::Separator:
                        menu->addSeparator();
                        break;
                    case r::MenuItemKind::Popup: {
                        QMenu* sub = menu->addMenu(Label(item.text));
                        fill(sub, item.children);
                        break;
                    }
                    case r::MenuItemKind::Command:
                        if (item.id == r::kCmdRecentFile1) {
                            for (QAction* a : recentActions_) menu->addAction(a);
                        } else {
                            menu->addAction(actions_.at(item.id));
                        }
                        break;
                }
            }
        };
    for (const r::MenuItem& popup : r::FindMenu(id)->items) {
        QMenu* menu = menuBar()->addMenu(Label(popup.text));
        fill(menu, popup.children);
        // The Window menu lists the open windows after its own commands.
        if (std::any_of(popup.children.begin(), popup.children.end(),
                        [](const r::MenuItem& m) { return m.id == r::kCmdWindowCascade; })) {
            windowListSeparator_ = menu->addSeparator();
            for (QAction* a : windowActions_) menu->addAction(a);
        }
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandStates);
    }
    ApplyAccelerators();
    RebuildRecentFiles();
}

void MainWindow::ApplyAccelerators() {
    std::map<int, QList<QKeySequence>> keys;
    for (const r::Accelerator& a : r::FindAcceleratorTable(frame_->AcceleratorTableId())->entries) {
        QKeySequence sequence = SequenceOf(a);
        if (!sequence.isEmpty()) keys[a.command].append(sequence);
    }
    for (auto& [id, action] : actions_) {
        auto it = keys.find(id);
        action->setShortcuts(it == keys.end() ? QList<QKeySequence>() : it->second);
    }
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Standard"));
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setIconSize(QSize(16, 16));
    for (int id : r::ToolbarCommands()) {
        if (id == 0) {
            toolbar_->addSeparator();
        } else {
            toolbar_->addAction(actions_.at(id));
        }
    }
}

void MainWindow::BuildStatusBar() {
    messagePane_ = new QLabel(FromModel(app::CMainFrame::IdleText()));
    messagePane_->setObjectName(QStringLiteral("message-pane"));
    statusBar()->addWidget(messagePane_, 1);
    auto indicator = [this](const char* text) {
        auto* label = new QLabel(QString::fromLatin1(text));
        label->setObjectName(QStringLiteral("indicator-%1").arg(QString::fromLatin1(text)));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRLW")));
        statusBar()->addPermanentWidget(label);
        return label;
    };
    caps_ = indicator("CAPS");
    num_ = indicator("NUM");
    scroll_ = indicator("SCRL");
    UpdateIndicators();
}

void MainWindow::UpdateIndicators() {
    // An indicator shows its text greyed while its lock is off.
    caps_->setEnabled(LockLedOn("capslock"));
    num_->setEnabled(LockLedOn("numlock"));
    scroll_->setEnabled(LockLedOn("scrolllock"));
}

void MainWindow::RebuildRecentFiles() {
    app::RecentFileList& recent = frame_->recentFiles();
    int count = static_cast<int>(recent.entries().size());
    for (int i = 0; i < r::kRecentFileCount; ++i) {
        QAction* a = recentActions_[static_cast<size_t>(i)];
        if (i < count) {
            a->setText(FromPath(recent.MenuText(i)));
            a->setStatusTip(FromPath(recent.entries()[static_cast<size_t>(i)]));
            a->setVisible(true);
        } else {
            // An empty list shows one disabled "Recent File" entry.
            a->setText(QStringLiteral("Recent File"));
            a->setVisible(i == 0 && count == 0);
        }
    }
}

void MainWindow::RebuildWindowList() {
    const std::vector<std::string> texts = frame_->WindowMenuTexts();
    const size_t listed = std::min<size_t>(texts.size(), r::kWindowListSize);
    for (size_t i = 0; i < r::kWindowListSize; ++i) {
        QAction* a = windowActions_[i];
        a->setVisible(i < listed);
        if (i >= listed) continue;
        const QString text = QString::fromStdString(texts[i]);
        if (a->text() != text) a->setText(text);
        // Only the active window's entry is marked; the others show no box.
        const bool active = frame_->IsCommandChecked(r::kCmdWindowList1 + static_cast<int>(i));
        a->setCheckable(active);
        a->setChecked(active);
    }
    windowActions_.back()->setVisible(texts.size() > r::kWindowListSize);
    if (windowListSeparator_ != nullptr) windowListSeparator_->setVisible(!texts.empty());
}

void MainWindow::UpdateCommandStates() {
    for (auto& [id, action] : actions_) {
        action->setEnabled(frame_->IsCommandEnabled(id));
        if (frame_->IsCommandChecked(id)) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    RebuildWindowList();
}

bool MainWindow::RunCommand(int id) {
    bool ran = false;
    try {
        ran = frame_->ExecuteCommand(id);
    } catch (const std::exception& e) {
        ui::ShowMessageBoxText(ui_, 0, e.what(), ui::MB_OK | ui::MB_ICONSTOP);
    }
    RebuildRecentFiles();
    UpdateCommandStates();
    return ran;
}

QAction* MainWindow::ActionFor(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<app::DocumentSession*> MainWindow::sessions() const {
    std::vector<app::DocumentSession*> out;
    for (const auto& s : sessions_) out.push_back(s.get());
    return out;
}

ListWindow* MainWindow::activeListWindow() const {
    QMdiSubWindow* sub = mdi_->activeSubWindow();
    if (!sub) {
        auto list = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (list.isEmpty()) return nullptr;
        sub = list.back();
    }
    auto* window = qobject_cast<ListWindow*>(sub->widget());
    return window != nullptr && window->frame() != nullptr ? window : nullptr;
}

app::DocumentSession* MainWindow::activeSession() const {
    ListWindow* window = activeListWindow();
    return window ? SessionOf(*window->frame()) : nullptr;
}

app::DocumentSession* MainWindow::SessionOf(const views::ListFrame& frame) const {
    for (const auto& s : sessions_) {
        if (s->IsOpen() && s->Owns(frame)) return s.get();
    }
    return nullptr;
}

QMdiSubWindow* MainWindow::SubWindowOf(const views::ListFrame& frame) const {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        auto* window = qobject_cast<ListWindow*>(sub->widget());
        if (window != nullptr && window->frame() == &frame) return sub;
    }
    return nullptr;
}

ListWindow* MainWindow::WindowOf(const views::ListFrame& frame) const {
    QMdiSubWindow* sub = SubWindowOf(frame);
    return sub ? qobject_cast<ListWindow*>(sub->widget()) : nullptr;
}

void MainWindow::ActiveChildChanged() {
    ListWindow* window = activeListWindow();
    app::DocumentSession* session = window ? SessionOf(*window->frame()) : nullptr;
    std::vector<ui::CommandTarget*> targets;
    if (session) {
        targets = session->CommandTargets(*window->frame());
        window->frame()->OnActivate();
    }
    frame_->SetActiveTargets(targets);
    if (frame_->MenuId() != builtMenu_) BuildMenus();
    UpdateCommandStates();
    UpdateTitle();
}

void MainWindow::UpdateTitle() {
    QString title = FromModel(app::CMainFrame::Title());
    ListWindow* active = activeListWindow();
    auto* sub = active ? qobject_cast<QMdiSubWindow*>(active->parentWidget()) : nullptr;
    if (sub != nullptr && !sub->isMaximized())
        title += QStringLiteral(" - ") + active->windowTitle();
    // Set again even when equal: over a maximised window the toolkit then
    // joins that window's title to it afresh.
    setWindowTitle(title);
    setWindowModified(active != nullptr && active->isWindowModified());
}

void MainWindow::QualifyDocumentTitles() {
    std::vector<app::CCfgDocument*> documents;
    for (const auto& s : sessions_) {
        if (s->IsOpen()) documents.push_back(&s->document());
    }
    app::QualifyTitles(documents);
}

std::vector<ListWindow*> MainWindow::ListWindows() const {
    std::vector<ListWindow*> out;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        auto* window = qobject_cast<ListWindow*>(sub->widget());
        if (window != nullptr && window->frame() != nullptr) out.push_back(window);
    }
    return out;
}

bool MainWindow::OpenDocumentFile(const std::string& path) {
    std::error_code ec;
    const std::string canonical = std::filesystem::weakly_canonical(path, ec).string();
    for (app::DocumentSession* s : sessions()) {
        if (!s->IsOpen()) continue;
        std::error_code ec2;
        const std::string open =
            std::filesystem::weakly_canonical(s->document().PathName(), ec2).string();
        if (!ec && !ec2 && open == canonical) {
            ActivateFrame(s->databaseFrame());
            frame_->NoteDocumentFile(s->document().PathName());
            RebuildRecentFiles();
            return true;
        }
    }
    return StartDocument([&](app::CCfgDocument& d) { return d.OnOpenDocument(path); });
}

bool MainWindow::NewDocument() {
    return StartDocument([](app::CCfgDocument& d) { return d.OnNewDocument(); });
}

bool MainWindow::StartDocument(const std::function<bool(app::CCfgDocument&)>& start) {
    try {
        auto document = std::make_unique<app::CCfgDocument>(ui_);
        if (!start(*document)) return false;
        frame_->NoteDocumentFile(document->PathName());
        sessions_.push_back(std::make_unique<app::DocumentSession>(std::move(document), *this));
        sessions_.back()->SetListener(this);
        // Titled apart from a document of the same name before its window shows.
        QualifyDocumentTitles();
        sessions_.back()->Show();
    } catch (const std::exception& e) {
        ui::ShowMessageBoxText(ui_, 0, e.what(), ui::MB_OK | ui::MB_ICONSTOP);
        return false;
    }
    RebuildRecentFiles();
    return true;
}

void MainWindow::OpenFrame(views::ListFrame& frame, const ui::Rect& geometry) {
    auto* window = new ListWindow(frame);
    QMdiSubWindow* sub = mdi_->addSubWindow(window);
    connect(window, &ListWindow::closeRequested, this, &MainWindow::WindowCloseRequested);
    connect(window, &QWidget::windowTitleChanged, this, [this] {
        UpdateTitle();
        RebuildWindowList();
    });
    // Maximising hands the title over to the toolkit and restoring takes it
    // back, once the toolkit has finished with it.
    connect(sub, &QMdiSubWindow::windowStateChanged, this, &MainWindow::UpdateTitle,
            Qt::QueuedConnection);
    if (!geometry.IsEmpty())
        sub->setGeometry(geometry.left, geometry.top, geometry.Width(), geometry.Height());
    sub->show();
    mdi_->setActiveSubWindow(sub);
    ActiveChildChanged();
}

void MainWindow::ActivateFrame(views::ListFrame& frame) {
    QMdiSubWindow* sub = SubWindowOf(frame);
    if (!sub) return;
    if (sub->isMinimized()) sub->showNormal();
    mdi_->setActiveSubWindow(sub);
    ActiveChildChanged();
}

void MainWindow::CloseFrame(views::ListFrame& frame) {
    QMdiSubWindow* sub = SubWindowOf(frame);
    if (!sub) return;
    // The chain must not point into a window that is going, not even until
    // the next active window is known.
    frame_->SetActiveTargets({});
    qobject_cast<ListWindow*>(sub->widget())->Detach();
    sub->hide();
    sub->deleteLater();
    QTimer::singleShot(0, this, [this] { ActiveChildChanged(); });
}

int MainWindow::ChildWindowCount() const {
    // Windows that are going (detached, deleted later) no longer count.
    int count = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        auto* window = qobject_cast<ListWindow*>(sub->widget());
        if (window != nullptr && window->frame() != nullptr) ++count;
    }
    return count;
}

ui::Rect MainWindow::ClientArea() const {
    // A minimised window keeps the sizes of its restored layout.
    const QSize size = mdi_->viewport()->size();
    return ui::Rect{0, 0, size.width(), size.height()};
}

int MainWindow::CaptionHeight() const {
    return style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, mdi_);
}

void MainWindow::WindowCloseRequested(ListWindow* window) {
    views::ListFrame* frame = window->frame();
    if (frame == nullptr) return;
    if (app::DocumentSession* session = SessionOf(*frame)) session->CloseRequested(*frame);
}

void MainWindow::SessionClosed(app::DocumentSession& session) {
    // A document of the same name no longer needs its folder in the title.
    QualifyDocumentTitles();
    // Not from inside the session's own notification.
    QTimer::singleShot(0, this, [this, s = &session] {
        std::erase_if(sessions_, [s](const auto& owned) { return owned.get() == s; });
        ActiveChildChanged();
    });
}

void MainWindow::SessionStateChanged(app::DocumentSession& session) {
    for (views::ListFrame* f : session.Frames()) {
        if (ListWindow* window = WindowOf(*f)) window->RefreshModified();
    }
    UpdateTitle();
    UpdateCommandStates();
}

void MainWindow::SessionPathChanged(app::DocumentSession& /*session*/, const std::string& path) {
    frame_->NoteDocumentFile(path);
    RebuildRecentFiles();
    QualifyDocumentTitles();
}

void MainWindow::ShowAtStart(uint32_t startShowCommand) {
    app::StartPlacement start = frame_->PlacementAtStart(startShowCommand);
    if (start.placement) {
        const app::WindowPlacement& p = *start.placement;
        QRect normal(p.left, p.top, p.right - p.left, p.bottom - p.top);
        if (normal.width() > 0 && normal.height() > 0) setGeometry(normal);
    } else {
        resize(900, 640);
    }
    switch (start.showCommand) {
        case app::kShowMaximized:
            showMaximized();
            break;
        case app::kShowMinimized:
            showMinimized();
            break;
        default:
            showNormal();
            break;
    }
}

void MainWindow::ComeToFront() {
    if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ui_.IsPumping()) {
        // Not in the middle of an operation: later, but not forgotten.
        app::QuitRequest::Post();
        event->ignore();
        return;
    }
    for (app::DocumentSession* s : sessions()) {
        if (s->IsOpen() && !s->QueryClose()) {
            event->ignore();
            return;
        }
    }
    app::WindowPlacement placement;
    QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    placement.showCommand = isMinimized()   ? app::kShowMinimized
                            : isMaximized() ? app::kShowMaximized
                                            : app::kShowNormal;
    if (isMinimized() && (windowState() & Qt::WindowMaximized))
        placement.flags = app::kRestoreToMaximized;
    frame_->SavePlacement(placement);
    frame_->SaveFileDirectory();
    // Every document has been asked; close them without asking again.
    sessions_.clear();
    for (QMdiSubWindow* sub : mdi_->subWindowList()) delete sub;
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    event->acceptProposedAction();
    std::vector<std::string> files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) files.push_back(ToPath(url.toLocalFile()));
    }
    // Opening shows dialogs; not from inside the drop.
    QTimer::singleShot(0, this, [this, files] {
        for (const std::string& f : files) OpenDocumentFile(f);
    });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::WindowActivate)
        UpdateIndicators();
    return QMainWindow::event(event);
}

void MainWindow::CascadeChildren() {
    mdi_->cascadeSubWindows();
}
void MainWindow::TileChildren() {
    mdi_->tileSubWindows();
}

void MainWindow::ArrangeIcons() {
    // Minimised children line up along the bottom edge.
    int x = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, mdi_->viewport()->height() - sub->height());
        x += sub->width();
    }
}

void MainWindow::ActivateNextChild(bool forward) {
    if (forward) {
        mdi_->activateNextSubWindow();
    } else {
        mdi_->activatePreviousSubWindow();
    }
}

void MainWindow::PrintSetup() {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void MainWindow::CloseMainWindow() {
    close();
}

bool MainWindow::HasChildren() const {
    return ChildWindowCount() > 0;
}

std::vector<std::string> MainWindow::ChildTitles() const {
    std::vector<std::string> titles;
    for (ListWindow* w : ListWindows()) titles.push_back(w->frame()->Title());
    return titles;
}

int MainWindow::ActiveChildIndex() const {
    const std::vector<ListWindow*> windows = ListWindows();
    auto it = std::find(windows.begin(), windows.end(), activeListWindow());
    return it == windows.end() ? -1 : static_cast<int>(it - windows.begin());
}

void MainWindow::ActivateChild(int index) {
    const std::vector<ListWindow*> windows = ListWindows();
    if (index >= 0 && index < static_cast<int>(windows.size())) {
        ActivateFrame(*windows[static_cast<size_t>(index)]->frame());
    }
}

std::optional<int> MainWindow::PickChild(const std::vector<std::string>& titles, int current) {
    QStringList items;
    for (const std::string& t : titles) items << QString::fromStdString(t);
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("select-window"));
    dialog.setWindowTitle(FromModel(r::LoadString(r::kStrSelectWindowTitle)));
    dialog.setLabelText(FromModel(r::LoadString(r::kStrSelectWindowPrompt)));
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setComboBoxItems(items);
    if (current >= 0 && current < items.size()) dialog.setTextValue(items[current]);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // Titles differ (same-named files show their folders), so the text
    // names the window.
    const qsizetype index = items.indexOf(dialog.textValue());
    if (index < 0) return std::nullopt;
    return static_cast<int>(index);
}

}  // namespace recaster::qt
