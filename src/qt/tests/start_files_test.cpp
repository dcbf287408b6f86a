// Files that cannot be opened at start-up or from a second start leave the
// program running as it was, and every way of opening a file, and Save As,
// makes its folder where the file dialogs start, in this run and the next.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/document_session.h"
#include "base/paths.h"
#include "qt/application.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/desktop_fixture.h"
#include "resources/menus.h"
#include "views/db_list_commands.h"

namespace recaster::qt {
namespace {

using testing::MessageBoxes;
using testing::WaitFor;
using testing::WhenModal;
namespace r = resources;

using StartFilesTest = testing::DesktopTest;

TEST_F(StartFilesTest, FilesThatCannotBeOpenedAtStartAreReportedAndTheProgramRunsOn) {
    const QString good = Sample("Work.cfg");
    QDir().mkpath(Path("Folder.cfg"));
    {
        Application application(channel_);
        MessageBoxes boxes;
        ASSERT_EQ(application.Start({ToPath(Path("Missing.cfg"))}),
                  Application::StartResult::Running);
        MainWindow* window = application.mainWindow();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->sessions().empty());
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_TRUE(boxes.texts[0].contains("Missing.cfg")) << boxes.texts[0].toStdString();
        // The user goes on with another file.
        EXPECT_TRUE(window->OpenDocumentFile(ToPath(good)));
    }
    // Of several files, those that open do, whatever failed before them.
    Application application(channel_);
    MessageBoxes boxes;
    ASSERT_EQ(
        application.Start({ToPath(Path("Missing.cfg")), ToPath(good), ToPath(Path("Folder.cfg"))}),
        Application::StartResult::Running);
    EXPECT_EQ(boxes.texts.size(), 2);
    ASSERT_EQ(application.mainWindow()->sessions().size(), 1u);
    EXPECT_EQ(application.mainWindow()->sessions().front()->document().PathName(), ToPath(good));
}

TEST_F(StartFilesTest, ASecondStartWithABadFileLeavesTheRunningProgramAsItWas) {
    const QString work = Sample("Work.cfg");
    const QString other = Sample("more/Other.cfg");
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(work)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    views::CDBListView& view = window->sessions().front()->databaseFrame().view();
    view.Select(1);
    ASSERT_TRUE(view.Execute(views::kCmdModify));
    ListWindow* active = window->activeListWindow();
    const std::string folder = LastFileDirectory::Get();
    const auto recent = window->frame().recentFiles().entries();

    {
        MessageBoxes boxes;
        EXPECT_EQ(SecondStart({"Missing.cfg"}), 0);
        ASSERT_TRUE(WaitFor([&] { return !boxes.texts.isEmpty(); }));
        EXPECT_TRUE(boxes.texts[0].contains(Path("Missing.cfg"))) << boxes.texts[0].toStdString();
    }
    EXPECT_EQ(window->sessions().size(), 1u);
    EXPECT_EQ(window->activeListWindow(), active);
    EXPECT_EQ(window->ChildWindowCount(), 2);
    EXPECT_EQ(LastFileDirectory::Get(), folder);
    EXPECT_EQ(window->frame().recentFiles().entries(), recent);

    // A file handed over while the user is in a dialog waits for it to close.
    bool openedDuringDialog = true;
    WhenModal([&](QWidget* sheet) {
        EXPECT_EQ(SecondStart({"more/Other.cfg"}), 0);
        QTest::qWait(500);
        openedDuringDialog = window->sessions().size() > 1;
        sheet->findChild<QPushButton*>("sheet-cancel")->click();
    });
    EXPECT_TRUE(window->RunCommand(r::kCmdFileInformation));
    EXPECT_FALSE(openedDuringDialog);
    ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 2; }));
    EXPECT_EQ(window->sessions().back()->document().PathName(), ToPath(other));
}

TEST_F(StartFilesTest, EveryOpenAndSaveAsSetsTheFoldersOfTheFileDialogsAlsoForTheNextRun) {
    const QString a = Sample("a/Work.cfg");
    const QString b = Sample("b/Drop.cfg");
    const QString c = Sample("c/Second.cfg");
    QDir().mkpath(Path("d"));
    {
        Application application(channel_);
        ASSERT_EQ(application.Start({ToPath(a)}), Application::StartResult::Running);
        MainWindow* window = application.mainWindow();
        EXPECT_EQ(LastFileDirectory::Get(), ToPath(Path("a")));  // the command line

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(b)});
        // The drop goes where the drag entered.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 2; }));
        EXPECT_EQ(LastFileDirectory::Get(), ToPath(Path("b")));

        EXPECT_EQ(SecondStart({"c/Second.cfg"}), 0);
        ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 3; }));
        EXPECT_EQ(LastFileDirectory::Get(), ToPath(Path("c")));

        // The recent list: a/Work.cfg is the third entry; closed, then opened
        // from there.
        ASSERT_EQ(window->frame().recentFiles().entries().at(2), ToPath(a));
        window->ActivateFrame(window->sessions().front()->databaseFrame());
        EXPECT_TRUE(window->RunCommand(r::kCmdFileClose));
        ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 2; }));
        EXPECT_TRUE(window->RunCommand(r::kCmdRecentFile1 + 2));
        EXPECT_EQ(window->sessions().size(), 3u);
        EXPECT_EQ(LastFileDirectory::Get(), ToPath(Path("a")));

        // Save As into d/, then the Open dialog starts there.
        WhenModal([&](QWidget* w) { testing::ChooseFile(w, Path("d/Saved.cfg")); });
        EXPECT_TRUE(window->RunCommand(r::kCmdFileSaveAs));
        EXPECT_EQ(window->sessions().back()->document().PathName(), ToPath(Path("d/Saved.cfg")));
        EXPECT_EQ(LastFileDirectory::Get(), ToPath(Path("d")));
        QString startedIn;
        WhenModal([&](QWidget* w) {
            startedIn = qobject_cast<QFileDialog*>(w)->directory().absolutePath();
            w->close();
        });
        window->RunCommand(r::kCmdFileOpen);
        EXPECT_EQ(startedIn, Path("d"));
        window->close();
    }
    // The next run's Open dialog starts where this one ended.
    LastFileDirectory::Set(ToPath(dir_.path()));
    QString startedIn;
    WhenModal([&](QWidget* w) {
        startedIn = qobject_cast<QFileDialog*>(w)->directory().absolutePath();
        w->close();
    });
    Application application(channel_);
    ASSERT_EQ(application.Start({}), Application::StartResult::Running);
    EXPECT_EQ(startedIn, Path("d"));
}

}  // namespace
}  // namespace recaster::qt
