// MainWindow: the desktop program's main window, the rendering of CMainFrame.
// A QMainWindow titled "Recaster II" with a QMdiArea of ListWindows (the
// database list and field list windows of every open document), the menu
// bar of menu 2 or 4 and the shortcuts of the matching accelerator table
// (built from resources/menus), the toolbar, and the status bar with the
// message pane and the CAPS, NUM and SCRL indicators. Every command goes
// through CMainFrame's chain, so what no target handles is disabled. The
// Window menu lists the open windows after its own commands; the title
// names the active window, with "*" while its document has unsaved changes.
//
// It owns the open documents' sessions and hosts their windows
// (views::FrameHost): a session asks for a window per frame, and the main
// window routes the active window's commands to its frame, then document.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <functional>
#include <map>
#include <memory>

#include "app/app_commands.h"
#include "app/cfg_document.h"
#include "app/document_session.h"
#include "app/main_frame.h"
#include "views/frame_host.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace recaster::qt {

class ListWindow;
class QtUi;

class MainWindow : public QMainWindow,
                   public views::FrameHost,
                   private app::FrameWindow,
                   private app::SessionListener {
    Q_OBJECT

  public:
    explicit MainWindow(QtUi& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    app::CMainFrame& frame() { return *frame_; }
    app::AppCommands& appCommands() { return *appCommands_; }
    QMdiArea* mdiArea() const { return mdi_; }

    // Shows the window as the stored placement says.
    void ShowAtStart(uint32_t startShowCommand = app::kShowNormal);

    // Opens `path` as a document, or activates its window when the file is
    // open already. False when it could not be opened (the user was told).
    bool OpenDocumentFile(const std::string& path);
    bool NewDocument();
    // Every document, in the order of opening, until its session has ended
    // (a closed document's session ends once its notification returned).
    std::vector<app::DocumentSession*> sessions() const;
    // The document of the active window, or of the last active one.
    app::DocumentSession* activeSession() const;
    // The window of `frame`, or null.
    ListWindow* WindowOf(const views::ListFrame& frame) const;
    // The active list window, or the last active one.
    ListWindow* activeListWindow() const;

    // --- views::FrameHost ---------------------------------------------------
    void OpenFrame(views::ListFrame& frame, const ui::Rect& geometry) override;
    void ActivateFrame(views::ListFrame& frame) override;
    void CloseFrame(views::ListFrame& frame) override;
    int ChildWindowCount() const override;
    ui::Rect ClientArea() const override;
    int CaptionHeight() const override;

    // Runs a command as the menu would; false when it is disabled.
    bool RunCommand(int id);
    QAction* ActionFor(int id) const;
    // Asks every target again which commands are enabled.
    void UpdateCommandStates();
    // Brings the window to the front (a second start handed over files).
    void ComeToFront();

    QLabel* messagePane() const { return messagePane_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // FrameWindow
    void CascadeChildren() override;
    void TileChildren() override;
    void ArrangeIcons() override;
    void ActivateNextChild(bool forward) override;
    void PrintSetup() override;
    void CloseMainWindow() override;
    bool HasChildren() const override;
    std::vector<std::string> ChildTitles() const override;
    int ActiveChildIndex() const override;
    void ActivateChild(int index) override;
    std::optional<int> PickChild(const std::vector<std::string>& titles, int current) override;
    // SessionListener
    void SessionClosed(app::DocumentSession& session) override;
    void SessionStateChanged(app::DocumentSession& session) override;
    void SessionPathChanged(app::DocumentSession& session, const std::string& path) override;

    QAction* MakeAction(int id, const std::string& menuText);
    void BuildActions();
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void ApplyAccelerators();
    void RebuildRecentFiles();
    void RebuildWindowList();
    void ActiveChildChanged();
    // The main window's title: the program's, and the active window's with
    // its "*" (a maximised window's own title bar merges into it instead).
    void UpdateTitle();
    // Every open document's title tells it apart from others of its name.
    void QualifyDocumentTitles();
    // The list windows in the order they were opened (not those going).
    std::vector<ListWindow*> ListWindows() const;
    // A new session for a document that `start` opened or made; false (and
    // a message for an unexpected error) when it did not.
    bool StartDocument(const std::function<bool(app::CCfgDocument&)>& start);
    app::DocumentSession* SessionOf(const views::ListFrame& frame) const;
    QMdiSubWindow* SubWindowOf(const views::ListFrame& frame) const;
    void WindowCloseRequested(ListWindow* window);
    void UpdateIndicators();

    QtUi& ui_;
    QMdiArea* mdi_;
    std::vector<std::unique_ptr<app::DocumentSession>> sessions_;
    std::unique_ptr<app::CMainFrame> frame_;
    std::unique_ptr<app::AppCommands> appCommands_;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    std::vector<QAction*> windowActions_;  // the window list, then More Windows
    QAction* windowListSeparator_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* caps_ = nullptr;
    QLabel* num_ = nullptr;
    QLabel* scroll_ = nullptr;
    int builtMenu_ = 0;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace recaster::qt
