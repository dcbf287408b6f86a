// Converting the older sample in the desktop program, end to end on the
// offscreen platform and from the keyboard: start on Config/Sample-v2.cfg,
// say Yes twice, choose the workforms for U and V, name the new file; the
// window that opens lists the converted databases, and the old file is as
// it was.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>

#include "config/lists.h"
#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/modal_script.h"
#include "qt/tests/qt_test_util.h"
#include "views/column_list_box.h"

namespace recaster::qt {
namespace {

using testing::Later;
using testing::ModalScript;
using testing::Screenshot;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString BoxText(QWidget* box) {
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    return label ? label->text() : QString();
}

// A message box answered with Enter (its default button) after its text is
// checked.
ModalScript::Step EnterOnBox(QString name, QString text) {
    return [name, text](QWidget* box) {
        EXPECT_EQ(box->objectName(), name);
        EXPECT_EQ(BoxText(box), text);
        testing::Key(box, Qt::Key_Return);
    };
}

// Dialog 140 for `letter`: Tab away from the list, Alt+N back to it, type
// the start of `workform`, Enter.
ModalScript::Step ChooseWorkform(QString letter, QString workform, QString* chosen) {
    return [letter, workform, chosen](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "User Defined Workform Selection");
        auto* shown = d->findChild<QLabel*>("control-1201");
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(), letter);
        auto* list = d->findChild<QComboBox*>("control-1202");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(d->focusWidget(), list);
        Screenshot(d, "user-workform-" + letter);
        Later([d = QPointer<QWidget>(d), list = QPointer<QComboBox>(list), workform, chosen] {
            if (!d || !list) return;
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            QTest::keyClick(d->focusWidget(), Qt::Key_N, Qt::AltModifier);
            EXPECT_EQ(d->focusWidget(), list.data()) << "Alt+N reaches the list";
            QTest::keyClicks(list, workform);
            *chosen = list->currentText();
            QTest::keyClick(list, Qt::Key_Return);
        });
    };
}

TEST(ConvertEndToEndTest, TheOlderSampleConvertsFromTheKeyboardAndOpens) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    const QString sample = QCoreApplication::applicationDirPath() + "/Config/Sample-v2.cfg";
    ASSERT_TRUE(QFile::exists(sample)) << "the build puts the older sample beside the programs";
    const QString old = dir.filePath("Old.cfg");
    ASSERT_TRUE(QFile::copy(sample, old));
    const QByteArray oldBytes = ReadAll(old);
    const QString converted = dir.filePath("Converted.cfg");

    QString forU, forV, completed;
    ModalScript script({
        EnterOnBox("message-box-4153",
                   "Convert this configuration file to the version 1.1 format?"),
        [](QWidget* box) {
            EXPECT_EQ(box->objectName(), "message-box-4155");
            Screenshot(box, "user-workforms-question");
            testing::Key(box, Qt::Key_Return);
        },
        ChooseWorkform("U", "Conf", &forU),
        ChooseWorkform("V", "Rep", &forV),
        [converted](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), "New Config File");
            Later([name = QPointer<QLineEdit>(name), converted] {
                if (!name) return;
                name->setFocus();
                name->selectAll();
                QTest::keyClicks(name, converted.chopped(4));  // the dialog adds ".cfg"
                QTest::keyClick(name, Qt::Key_Return);
            });
        },
        [&completed](QWidget* box) {
            EXPECT_EQ(box->objectName(), "message-box-4154");
            completed = BoxText(box);
            testing::Key(box, Qt::Key_Return);
        },
    });

    Application application(
        QStringLiteral("recaster-convert-%1").arg(QCoreApplication::applicationPid()));
    ASSERT_EQ(application.Start({ToPath(old)}), Application::StartResult::Running);
    EXPECT_TRUE(script.Done()) << script.Left() << " steps left";
    EXPECT_EQ(forU, "Conference Paper");
    EXPECT_EQ(forV, "Report");
    EXPECT_EQ(completed, "Conversion Completed.");

    MainWindow* window = application.mainWindow();
    ASSERT_EQ(window->sessions().size(), 1u);
    app::DocumentSession* session = window->sessions().front();
    ListWindow* doc = window->WindowOf(session->databaseFrame());
    EXPECT_EQ(doc->windowTitle(), "Converted.cfg[*]");  // "*" while changed
    EXPECT_EQ(FromPath(session->document().PathName()), converted);
    EXPECT_TRUE(window->isEnabled());

    config::CCfgDBList& list = *session->document().Root().GetDBList();
    auto* rows =
        qobject_cast<QListWidget*>(doc->listPane().WidgetFor(views::ColumnListBox::kControlId));
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->count(), 6);
    QStringList names;
    for (int p = 1; p <= list.GetCount(); ++p) {
        names << QString::fromStdString(list.Database(p)->name);
        if (list.Database(p)->name == "ENGIN") {
            EXPECT_EQ(list.Database(p)->workform, 5);
        } else if (list.Database(p)->name == "AGRIDOC") {
            EXPECT_EQ(list.Database(p)->workform, 4);
        }
    }
    EXPECT_EQ(names, QStringList({"Default", "007", "AGRIDOC", "BOOKCAT", "ENGIN", "MEDLIT"}));
    auto* countLine = qobject_cast<QLabel*>(doc->header().WidgetFor(246));
    ASSERT_NE(countLine, nullptr);
    EXPECT_EQ(countLine->text(), "6 databases have been defined");
    Screenshot(window, "converted-sample");

    EXPECT_EQ(ReadAll(old), oldBytes) << "the old file is only read";
}

}  // namespace
}  // namespace recaster::qt
