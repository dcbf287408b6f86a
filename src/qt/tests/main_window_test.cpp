// The desktop program end to end on the offscreen platform: start on the
// sample configuration, read the database list, edit the comments in File
// Information, save, close, reopen and find them; a second start hands its
// file to the running program. Each test has its own settings folder and
// single-instance channel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/quit_request.h"
#include "app/window_placement.h"
#include "config/cfg_file.h"
#include "config/database.h"
#include "config/genl_info.h"
#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_canvas.h"
#include "qt/qt_text.h"
#include "qt/qt_ui.h"
#include "qt/tests/desktop_fixture.h"
#include "qt/tests/qt_test_util.h"
#include "resources/menus.h"
#include "views/column_list_box.h"
#include "views/db_list_commands.h"

namespace recaster::qt {
namespace {

using testing::Screenshot;
using testing::WaitFor;
using testing::WhenModal;
namespace r = resources;

// A canvas that keeps the texts painted on it: the rows as the user reads them.
class ReadingCanvas : public QtCanvas {
  public:
    using QtCanvas::QtCanvas;
    std::vector<std::string> texts;
    void DrawText(const ui::Rect& clip, std::string_view text,
                  const ui::TextOptions& options) override {
        texts.emplace_back(text);
        QtCanvas::DrawText(clip, text, options);
    }
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // Settings go to a folder of this test, never to the user's.
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        channel_ = QStringLiteral("recaster-test-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(::testing::UnitTest::GetInstance()->current_test_info()->name());
        QString sample = QCoreApplication::applicationDirPath() + "/Config/Sample.cfg";
        ASSERT_TRUE(QFile::exists(sample)) << "the build puts the sample beside the programs";
        path_ = dir_.filePath("Work.cfg");
        ASSERT_TRUE(QFile::copy(sample, path_));
    }

    QTemporaryDir dir_;
    QString channel_;
    QString path_;
};

std::vector<std::string> ReadRow(ListWindow& w, int row) {
    QWidget* list = w.listPane().WidgetFor(views::ColumnListBox::kControlId);
    QImage image(600, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    ReadingCanvas canvas(&painter, list->font(), list->palette());
    ui::Dialog& pane = w.listPane().dialog();
    ui::DrawItemContext context{canvas, views::ColumnListBox::kControlId,
                                row,    ui::Rect{0, 0, 600, 20},
                                false,  false,
                                0,      &pane.Item(views::ColumnListBox::kControlId)};
    pane.DrawItem(context);
    return canvas.texts;
}

TEST_F(MainWindowTest, OpensTheSampleEditsFileInformationSavesAndReopens) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->sessions().size(), 1u);
    app::DocumentSession* session = window->sessions().front();
    ListWindow* doc = window->WindowOf(session->databaseFrame());
    EXPECT_EQ(testing::Shown(doc), "Work.cfg");

    // The document's menu and the commands' states.
    QStringList menus;
    for (QAction* a : window->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Configuration", "&Window", "&Help"}));
    window->UpdateCommandStates();
    EXPECT_FALSE(window->ActionFor(r::kCmdFileSave)->isEnabled());  // nothing changed yet
    EXPECT_TRUE(window->ActionFor(r::kCmdFileInformation)->isEnabled());
    EXPECT_TRUE(window->ActionFor(r::kCmdWindowCascade)->isEnabled());
    EXPECT_TRUE(window->ActionFor(r::kCmdDatabaseIdentification)->isEnabled());
    EXPECT_TRUE(window->ActionFor(r::kCmdDbModify)->isEnabled());  // opens a field window
    EXPECT_EQ(window->ActionFor(r::kCmdFileOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window->messagePane()->text(), "Ready");

    // The database list: one row per database, each showing its name and
    // description; the count line above it.
    config::CCfgDBList* list = session->document().Root().GetDBList();
    ASSERT_GT(list->GetCount(), 1);
    auto* rows =
        qobject_cast<QListWidget*>(doc->listPane().WidgetFor(views::ColumnListBox::kControlId));
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->count(), list->GetCount());
    for (int row = 0; row < list->GetCount(); ++row) {
        std::vector<std::string> texts = ReadRow(*doc, row);
        ASSERT_GE(texts.size(), 3u) << "row " << row;
        EXPECT_EQ(texts[0], list->Database(row + 1)->name);
        EXPECT_EQ(texts[1], list->Database(row + 1)->description);
    }
    // Typing a letter in the list selects the next name starting with it.
    int bookRow = -1;
    for (int row = 0; row < list->GetCount(); ++row) {
        if (list->Database(row + 1)->name.rfind("B", 0) == 0 && bookRow < 0) bookRow = row;
    }
    ASSERT_GE(bookRow, 0);
    QKeyEvent typeB(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(rows, &typeB);
    EXPECT_EQ(rows->currentRow(), bookRow);
    EXPECT_EQ(session->databaseFrame().view().SelectedIndex(), bookRow);

    auto* countLine = qobject_cast<QLabel*>(doc->header().WidgetFor(246));
    ASSERT_NE(countLine, nullptr);
    EXPECT_EQ(countLine->text(),
              QStringLiteral("%1 databases have been defined").arg(list->GetCount()));
    QString shot = Screenshot(window, "main-window");
    EXPECT_FALSE(shot.isEmpty());

    // File Information: new comments, OK; the document is modified.
    QString fileInfoShot;
    WhenModal([&](QWidget* sheet) {
        auto* comments = sheet->findChild<QPlainTextEdit*>("control-158");
        ASSERT_NE(comments, nullptr);
        comments->setPlainText("Checked against the March downloads.\nCaf\xc3\xa9 entries too.");
        fileInfoShot = Screenshot(sheet, "file-information");
        sheet->findChild<QPushButton*>("sheet-ok")->click();
    });
    EXPECT_TRUE(window->RunCommand(r::kCmdFileInformation));
    EXPECT_FALSE(fileInfoShot.isEmpty());
    EXPECT_TRUE(session->document().IsModified());
    EXPECT_TRUE(window->ActionFor(r::kCmdFileSave)->isEnabled());

    EXPECT_TRUE(window->RunCommand(r::kCmdFileSave));
    EXPECT_FALSE(session->document().IsModified());
    EXPECT_TRUE(window->RunCommand(r::kCmdFileClose));
    ASSERT_TRUE(WaitFor([&] { return window->sessions().empty(); }));
    menus.clear();
    for (QAction* a : window->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Help"}));

    // The file as saved: comments in the code page, lines ended by CR LF.
    ASSERT_TRUE(window->OpenDocumentFile(ToPath(path_)));
    session = window->sessions().front();
    doc = window->WindowOf(session->databaseFrame());
    EXPECT_EQ(session->document().Root().GetGenlInfo()->comments,
              "Checked against the March downloads.\r\nCaf\xe9 entries too.");
    // Opening it again only brings its window forward.
    EXPECT_TRUE(window->OpenDocumentFile(ToPath(path_)));
    EXPECT_EQ(window->sessions().size(), 1u);

    // The recent-file list and the placement outlive the run.
    EXPECT_EQ(window->frame().recentFiles().entries().front(), ToPath(path_));
    window->close();
    auto placement = app::ReadPlacement(app::AppSettings(), app::kAppOptionsSection);
    EXPECT_TRUE(placement.has_value());
}

TEST_F(MainWindowTest, ASecondStartHandsItsFileToTheRunningProgram) {
    Application application(channel_);
    // A plain start shows the Open dialog; this user cancels it.
    bool openDialogShown = false;
    WhenModal([&](QWidget* dialog) {
        openDialogShown = dialog->objectName() == "file-dialog";
        dialog->close();
    });
    ASSERT_EQ(application.Start({}), Application::StartResult::Running);
    EXPECT_TRUE(openDialogShown);
    MainWindow* window = application.mainWindow();
    EXPECT_TRUE(window->sessions().empty());

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RECASTER_INSTANCE_CHANNEL", channel_);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(dir_.path());
    // A relative name: the running program gets it as a full path.
    second.start(QCoreApplication::applicationDirPath() + "/recaster", {"Work.cfg"});
    ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 1; }));
    EXPECT_EQ(window->sessions().front()->document().PathName(), ToPath(path_));
}

TEST_F(MainWindowTest, FilesDroppedOnTheWindowOpen) {
    Application application(channel_);
    WhenModal([](QWidget* dialog) { dialog->close(); });  // no Open dialog wanted
    ASSERT_EQ(application.Start({}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path_)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    ASSERT_TRUE(WaitFor([&] { return window->sessions().size() == 1; }));
    EXPECT_EQ(window->sessions().front()->document().PathName(), ToPath(path_));
}

TEST_F(MainWindowTest, AQuitDuringALongOperationWaitsUntilItHasReturned) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    ASSERT_TRUE(window->isVisible());
    // The operation pumps events (as the progress dialog does) and the
    // user closes the main window meanwhile.
    QTimer::singleShot(0, window, [window] { window->close(); });
    application.ui().PumpEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->sessions().size(), 1u);
    EXPECT_TRUE(app::QuitRequest::Pending());
    // Back in the main loop the request is carried out.
    EXPECT_TRUE(WaitFor([&] { return !window->isVisible(); }));
    EXPECT_FALSE(app::QuitRequest::Pending());
}

}  // namespace
}  // namespace recaster::qt

namespace recaster::qt {
namespace {

TEST_F(MainWindowTest, FieldListWindowsOpenCascadeAndCloseWithTheirDocument) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    app::DocumentSession* session = window->sessions().front();
    views::CDBListView& view = session->databaseFrame().view();
    ListWindow* databases = window->WindowOf(session->databaseFrame());
    auto* rows = qobject_cast<QListWidget*>(
        databases->listPane().WidgetFor(views::ColumnListBox::kControlId));
    ASSERT_NE(rows, nullptr);

    // A double click on MEDLIT opens its field list window.
    config::CCfgDBList* list = session->document().Root().GetDBList();
    const int row = list->GetCount() - 1;
    ASSERT_EQ(list->Database(row + 1)->name, "MEDLIT");
    QListWidgetItem* item = rows->item(row);
    rows->setCurrentItem(item);
    emit rows->itemDoubleClicked(item);
    ASSERT_EQ(session->Frames().size(), 2u);
    views::ListFrame* fields = session->Frames()[1];
    ListWindow* fieldWindow = window->WindowOf(*fields);
    ASSERT_NE(fieldWindow, nullptr);
    EXPECT_EQ(testing::Shown(fieldWindow), "Work.cfg : Database 'MEDLIT'");
    auto* countLine = qobject_cast<QLabel*>(fieldWindow->header().WidgetFor(246));
    EXPECT_TRUE(countLine->text().endsWith("have been defined")) << countLine->text().toStdString();
    EXPECT_EQ(window->activeListWindow(), fieldWindow);
    // It cascades one caption below the database list window.
    const int caption = window->CaptionHeight();
    EXPECT_EQ(fieldWindow->parentWidget()->pos(), QPoint(10 + caption, 10 + caption));
    // Its menu commands are the field window's: Add Subfield is known.
    window->UpdateCommandStates();
    EXPECT_TRUE(window->ActionFor(r::kCmdDatabaseInformation)->isEnabled());
    Screenshot(window, "field-window-opened");

    // Enter on MEDLIT again brings the same window forward.
    window->ActivateFrame(session->databaseFrame());
    QTest::keyClick(rows, Qt::Key_Return);
    EXPECT_EQ(session->Frames().size(), 2u);
    EXPECT_EQ(window->activeListWindow(), fieldWindow);

    // The close box closes only the field list window.
    fieldWindow->parentWidget()->close();
    ASSERT_TRUE(WaitFor([&] { return window->ChildWindowCount() == 1; }));
    EXPECT_EQ(session->Frames().size(), 1u);
    EXPECT_EQ(view.FieldWindowCount(), 0);

    // Closing the database list window closes its field list windows too.
    view.Select(row);
    ASSERT_TRUE(view.Execute(views::kCmdModify));
    ASSERT_EQ(window->ChildWindowCount(), 2);
    databases->parentWidget()->close();
    ASSERT_TRUE(WaitFor([&] { return window->sessions().empty(); }));
    EXPECT_EQ(window->ChildWindowCount(), 0);
}

}  // namespace
}  // namespace recaster::qt

namespace recaster::qt {
namespace {

TEST_F(MainWindowTest, AFileNamedOutsideTheCodePageShowsItsNameInItsWindows) {
    const QString name = QString::fromUtf8("\xc3\x89t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac.cfg");
    const QString path = dir_.filePath(name);
    ASSERT_TRUE(QFile::copy(path_, path));
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    app::DocumentSession* session = window->sessions().front();
    EXPECT_EQ(testing::Shown(window->WindowOf(session->databaseFrame())), name);
    views::CDBListView& view = session->databaseFrame().view();
    view.Select(1);
    ASSERT_TRUE(view.Execute(views::kCmdModify));
    EXPECT_EQ(testing::Shown(window->WindowOf(*session->Frames()[1])),
              name + " : Database '" + FromModel(view.SelectedDatabase()->name) + "'");
}

}  // namespace
}  // namespace recaster::qt
