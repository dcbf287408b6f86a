// The titles of the list windows: the folder of same-named files.
#include <gtest/gtest.h>

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

void SaveAs(MainWindow& window, const QString& path) {
    WhenModal([path](QWidget* w) { testing::ChooseFile(w, path); });
    EXPECT_TRUE(window.RunCommand(r::kCmdFileSaveAs));
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

}  // namespace
}  // namespace recaster::qt
