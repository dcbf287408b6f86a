// The titles of the list windows and of the main window (the "*" of unsaved
// changes, the folder of same-named files) and the Window menu's list of
// open windows with Ctrl+F6 and More Windows.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "app/document_session.h"
#include "config/database.h"
#include "qt/application.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/desktop_fixture.h"
#include "resources/menus.h"
#include "views/db_list_commands.h"

namespace recaster::qt {
namespace {

using testing::Shown;
using testing::WaitFor;
using testing::WhenModal;
namespace r = resources;

using WindowTitlesTest = testing::DesktopTest;

// Opens the field list window of the database in `row`; it becomes active.
ListWindow* OpenFields(MainWindow& window, app::DocumentSession& session, int row) {
    views::CDBListView& view = session.databaseFrame().view();
    view.Select(row);
    EXPECT_TRUE(view.Execute(views::kCmdModify));
    return window.activeListWindow();
}

QString DatabaseName(app::DocumentSession& session, int row) {
    return FromModel(session.document().Root().GetDBList()->Database(row + 1)->name);
}

// What the window system shows as the main window's title.
QString MainTitle(MainWindow& window) {
    return window.windowHandle()->title();
}

void SaveAs(MainWindow& window, const QString& path) {
    WhenModal([path](QWidget* w) { testing::ChooseFile(w, path); });
    EXPECT_TRUE(window.RunCommand(r::kCmdFileSaveAs));
}

TEST_F(WindowTitlesTest, AChangedDocumentShowsAStarOnItsWindowsAndOnTheMainWindow) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(Sample("Work.cfg"))}), Application::StartResult::Running);
    MainWindow& window = *application.mainWindow();
    app::DocumentSession& session = *window.sessions().front();
    ListWindow* databases = window.WindowOf(session.databaseFrame());
    EXPECT_EQ(MainTitle(window), "Recaster II - Work.cfg");
    ListWindow* fields = OpenFields(window, session, 1);
    const QString fieldsTitle = "Work.cfg : Database '" + DatabaseName(session, 1) + "'";
    EXPECT_EQ(Shown(fields), fieldsTitle);
    EXPECT_EQ(MainTitle(window), "Recaster II - " + fieldsTitle);

    // File Information's OK marks the document changed.
    WhenModal([](QWidget* sheet) { sheet->findChild<QPushButton*>("sheet-ok")->click(); });
    ASSERT_TRUE(window.RunCommand(r::kCmdFileInformation));
    EXPECT_EQ(Shown(databases), "Work.cfg*");
    EXPECT_EQ(Shown(databases->parentWidget()), "Work.cfg*");  // the title bar
    EXPECT_EQ(Shown(fields), fieldsTitle + "*");
    EXPECT_EQ(MainTitle(window), "Recaster II - " + fieldsTitle + "*");
    window.ActivateFrame(session.databaseFrame());
    EXPECT_EQ(MainTitle(window), "Recaster II - Work.cfg*");

    // Maximised, the window's title bar joins the main window's, star and all.
    auto* sub = qobject_cast<QMdiSubWindow*>(databases->parentWidget());
    sub->showMaximized();
    EXPECT_TRUE(WaitFor([&] { return MainTitle(window) == "Recaster II - [Work.cfg*]"; }))
        << MainTitle(window).toStdString();
    sub->showNormal();
    EXPECT_TRUE(WaitFor([&] { return MainTitle(window) == "Recaster II - Work.cfg*"; }))
        << MainTitle(window).toStdString();

    ASSERT_TRUE(window.RunCommand(r::kCmdFileSave));
    EXPECT_EQ(Shown(databases), "Work.cfg");
    EXPECT_EQ(Shown(fields), fieldsTitle);
    EXPECT_EQ(MainTitle(window), "Recaster II - Work.cfg");
    ASSERT_TRUE(window.RunCommand(r::kCmdFileClose));
    ASSERT_TRUE(WaitFor([&] { return window.sessions().empty(); }));
    EXPECT_EQ(MainTitle(window), "Recaster II");
}

TEST_F(WindowTitlesTest, DocumentsOfTheSameFileNameShowTheirFolders) {
    const QString a = Sample("a/x.cfg");
    const QString b = Sample("b/x.cfg");
    QDir().mkpath(Path("c"));
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(a), ToPath(b)}), Application::StartResult::Running);
    MainWindow& window = *application.mainWindow();
    ASSERT_EQ(window.sessions().size(), 2u);
    app::DocumentSession& first = *window.sessions()[0];
    app::DocumentSession& second = *window.sessions()[1];
    ListWindow* firstWindow = window.WindowOf(first.databaseFrame());
    EXPECT_EQ(Shown(firstWindow), "x.cfg (a)");
    EXPECT_EQ(Shown(window.WindowOf(second.databaseFrame())), "x.cfg (b)");
    ListWindow* fields = OpenFields(window, second, 0);
    EXPECT_EQ(Shown(fields), "x.cfg (b) : Database '" + DatabaseName(second, 0) + "'");

    // Saved under another name, neither needs its folder any more.
    SaveAs(window, Path("c/y.cfg"));
    EXPECT_EQ(Shown(firstWindow), "x.cfg");
    EXPECT_EQ(Shown(fields), "y.cfg : Database '" + DatabaseName(second, 0) + "'");

    // b/x.cfg opened again: a name twice again, until one closes.
    ASSERT_TRUE(window.OpenDocumentFile(ToPath(b)));
    app::DocumentSession& third = *window.sessions()[2];
    EXPECT_EQ(Shown(firstWindow), "x.cfg (a)");
    EXPECT_EQ(Shown(window.WindowOf(third.databaseFrame())), "x.cfg (b)");
    window.ActivateFrame(first.databaseFrame());
    ASSERT_TRUE(window.RunCommand(r::kCmdFileClose));
    EXPECT_EQ(Shown(window.WindowOf(third.databaseFrame())), "x.cfg");
}

// The Window menu's entries after its own commands, "+" marking the checked.
QStringList WindowList(MainWindow& window) {
    QMenu* menu = nullptr;
    for (QAction* a : window.menuBar()->actions()) {
        if (a->text() == "&Window") menu = a->menu();
    }
    if (menu == nullptr) return {"no Window menu"};
    emit menu->aboutToShow();
    QStringList out;
    bool listed = false;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) listed = true;
        if (!listed || a->isSeparator() || !a->isVisible()) continue;
        out << a->text() + (a->isChecked() ? "+" : "");
    }
    return out;
}

TEST_F(WindowTitlesTest, TheWindowMenuListsTheOpenWindowsAndCtrlF6GoesThroughThem) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(Sample("Work.cfg"))}), Application::StartResult::Running);
    MainWindow& window = *application.mainWindow();
    app::DocumentSession& work = *window.sessions().front();
    ListWindow* databases = window.WindowOf(work.databaseFrame());
    ListWindow* fields0 = OpenFields(window, work, 0);
    OpenFields(window, work, 1);
    const QString db0 = "Work.cfg : Database '" + DatabaseName(work, 0) + "'";
    const QString db1 = "Work.cfg : Database '" + DatabaseName(work, 1) + "'";
    EXPECT_EQ(WindowList(window), QStringList({"&1 Work.cfg", "&2 " + db0, "&3 " + db1 + "+"}));

    window.ActionFor(r::kCmdWindowList1)->trigger();
    EXPECT_EQ(window.activeListWindow(), databases);
    EXPECT_EQ(WindowList(window), QStringList({"&1 Work.cfg+", "&2 " + db0, "&3 " + db1}));

    // The keys, as the user presses them.
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(window.activeListWindow(), fields0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.activeListWindow(), databases);

    // Ten windows: nine in the menu, all of them through More Windows.
    OpenFields(window, work, 2);
    OpenFields(window, work, 3);
    ASSERT_TRUE(window.OpenDocumentFile(ToPath(Sample("Other.cfg"))));
    app::DocumentSession& other = *window.sessions().back();
    for (int row = 0; row < 4; ++row) OpenFields(window, other, row);
    ASSERT_EQ(window.ChildWindowCount(), 10);
    window.ActionFor(r::kCmdWindowList1)->trigger();
    QStringList listed = WindowList(window);
    ASSERT_EQ(listed.size(), 10);
    EXPECT_EQ(listed.back(), "&More Windows...");
    EXPECT_EQ(listed[8], "&9 Other.cfg : Database '" + DatabaseName(other, 2) + "'");

    QStringList offered;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        offered = dialog->comboBoxItems();
        EXPECT_EQ(dialog->textValue(), "Work.cfg");  // the active one
        dialog->setTextValue(offered.back());
        dialog->accept();
    });
    EXPECT_TRUE(window.RunCommand(r::kCmdMoreWindows));
    ASSERT_EQ(offered.size(), 10);
    EXPECT_EQ(offered.back(), "Other.cfg : Database '" + DatabaseName(other, 3) + "'");
    EXPECT_EQ(window.activeListWindow(), window.WindowOf(*other.Frames().back()));
}

}  // namespace
}  // namespace recaster::qt
