// Print Report end to end on the offscreen platform: select a database,
// print, accept the options, name the file; the file holds the same bytes as
// recaster-cfg report writes for the same options.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/qt_test_util.h"
#include "resources/menus.h"
#include "views/column_list_box.h"
#include "views/type_ahead.h"

namespace recaster::qt {
namespace {

using testing::Screenshot;
using testing::WaitFor;

// Calls `act` with the modal window named `name` once it is up; other modal
// windows (the one closing before it) are waited out.
void WhenModalNamed(const QString& name, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->objectName() != name) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ReportEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        qputenv("SOURCE_DATE_EPOCH", "1700000000");
        channel_ =
            QStringLiteral("recaster-report-test-%1").arg(QCoreApplication::applicationPid());
        QString sample = QCoreApplication::applicationDirPath() + "/Config/Sample.cfg";
        ASSERT_TRUE(QDir().mkpath(dir_.filePath("cli")));
        path_ = dir_.filePath("Work.cfg");
        ASSERT_TRUE(QFile::copy(sample, path_));
        // The command line reads a copy of the same name: the program holds
        // its file open for writing.
        ASSERT_TRUE(QFile::copy(sample, dir_.filePath("cli/Work.cfg")));
    }
    void TearDown() override { qunsetenv("SOURCE_DATE_EPOCH"); }

    QTemporaryDir dir_;
    QString channel_;
    QString path_;
};

TEST_F(ReportEndToEndTest, PrintReportWritesWhatTheCommandLineWrites) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    app::DocumentSession* session = window->sessions().front();
    ListWindow* doc = window->WindowOf(session->databaseFrame());

    // Select MEDLIT by typing its first letter in the list.
    auto* rows =
        qobject_cast<QListWidget*>(doc->listPane().WidgetFor(views::ColumnListBox::kControlId));
    ASSERT_NE(rows, nullptr);
    // The prefix is shared by the whole process and each test's clock starts
    // at zero, so an earlier test's typing could still look recent.
    views::DatabaseTypeAhead() = {views::DatabaseTypeAhead().capacity, {}, 0};
    QKeyEvent typeM(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, QStringLiteral("m"));
    QApplication::sendEvent(rows, &typeM);
    ASSERT_EQ(session->databaseFrame().view().SelectedDatabase()->name, "MEDLIT");
    window->UpdateCommandStates();
    EXPECT_TRUE(window->ActionFor(resources::kCmdPrintReport)->isEnabled());
    EXPECT_EQ(window->ActionFor(resources::kCmdPrintReport)->shortcut(), QKeySequence("Ctrl+P"));

    const QString report = dir_.filePath("MEDLIT report.txt");
    QString optionsShot, completedText;
    bool indentedEnabledAtFirst = true;
    WhenModalNamed("dialog-window-130", [&](QWidget* options) {
        auto box = [options](int id) {
            return options->findChild<QCheckBox*>(QStringLiteral("control-%1").arg(id));
        };
        ASSERT_NE(box(2058), nullptr);
        indentedEnabledAtFirst = box(2058)->isEnabled();
        box(2055)->click();  // DL File Structure
        box(2054)->click();  // Database Details: the indented boxes come alive
        box(2056)->click();  // Database Field List
        box(2058)->click();  // Field Details
        optionsShot = Screenshot(options, "report-options");
        WhenModalNamed("file-dialog", [&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->defaultSuffix(), "txt");
            dialog->selectFile(report);
            // selectFile leaves the name alone while its field has the focus.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(report);
            WhenModalNamed("message-box-4121", [&](QWidget* box) {
                completedText = box->findChild<QLabel*>("qt_msgbox_label")->text();
                qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
            });
            static_cast<QDialog*>(dialog)->accept();  // Save
        });
        options->findChild<QPushButton*>("control-1")->click();
    });
    EXPECT_TRUE(window->RunCommand(resources::kCmdPrintReport));
    EXPECT_FALSE(indentedEnabledAtFirst);
    EXPECT_FALSE(optionsShot.isEmpty());
    EXPECT_EQ(completedText, "Configuration Report Completed");
    EXPECT_TRUE(window->isEnabled()) << "the progress dialog gave the window back";

    const QByteArray desktop = ReadAll(report);
    ASSERT_FALSE(desktop.isEmpty());
    EXPECT_TRUE(desktop.contains("Field Definitions for Database \"MEDLIT\"\r\n"));
    EXPECT_FALSE(desktop.contains("Database Definitions\r\n")) << "Database List was off";

    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", "1700000000");
    cli.setProcessEnvironment(env);
    const QString out = dir_.filePath("cli/report.txt");
    cli.start(QCoreApplication::applicationDirPath() + "/recaster-cfg",
              {"report", dir_.filePath("cli/Work.cfg"), "--database", "medlit", "--sections",
               "structure,details,fields,field-details", "-o", out});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(ReadAll(out), desktop);
}

}  // namespace
}  // namespace recaster::qt
