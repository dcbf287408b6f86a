// Copy and paste through the system clipboard in the desktop program, on
// the offscreen platform: a database copied in one document with Ctrl+C is
// pasted with Shift+Insert into a second document, both are saved, and the
// pasted database's fields read back through recaster-cfg's JSON equal the
// original's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/qt_test_util.h"
#include "resources/menus.h"
#include "views/column_list_box.h"

namespace recaster::qt {
namespace {

using testing::WaitFor;

// The fields of database `name` in `path`, as recaster-cfg shows them.
QJsonArray FieldsOf(const QString& path, const QString& name) {
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/recaster-cfg", {"show", "--json", path});
    EXPECT_TRUE(cli.waitForFinished(20000));
    const QJsonObject root = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    for (const QJsonValue& db : root["databases"].toArray()) {
        if (db["name"].toString() == name) return db["fields"].toArray();
    }
    return {};
}

// What differs between two copies of a field, the object ids, replaced by
// whether the field is a subfield.
QJsonArray WithoutIds(QJsonArray fields) {
    for (QJsonValueRef f : fields) {
        QJsonObject o = f.toObject();
        o.insert("subfield", o["parentId"].toInteger() != -1);
        o.remove("id");
        o.remove("parentId");
        f = o;
    }
    return fields;
}

TEST(ClipboardEndToEndTest, ADatabaseCopiedInOneFileIsPastedIntoAnotherWithItsFields) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    const QString sample = QCoreApplication::applicationDirPath() + "/Config/Sample.cfg";
    const QString source = dir.filePath("Source.cfg");
    const QString target = dir.filePath("Target.cfg");
    ASSERT_TRUE(QFile::copy(sample, source));
    ASSERT_TRUE(QFile::copy(sample, target));

    Application application(QStringLiteral("recaster-clip-%1").arg(qApp->applicationPid()));
    ASSERT_EQ(application.Start({ToPath(source), ToPath(target)}),
              Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    ASSERT_EQ(window->sessions().size(), 2u);
    app::DocumentSession* from = window->sessions()[0];
    app::DocumentSession* to = window->sessions()[1];

    // In the target, MEDLIT goes first so that the paste does not clash.
    views::CDBListView& toView = to->databaseFrame().view();
    toView.Select(toView.dbList()->GetCount() - 1);
    ASSERT_EQ(toView.SelectedDatabase()->name, "MEDLIT");
    toView.SelectedDatabase()->name = "MEDLIT OLD";
    toView.SelectedDatabase()->Save();
    toView.dbList()->Reposition(toView.SelectedDatabase());

    // Ctrl+C on MEDLIT in the source.
    views::CDBListView& fromView = from->databaseFrame().view();
    window->ActivateFrame(from->databaseFrame());
    QApplication::setActiveWindow(window);
    auto* fromRows = qobject_cast<QListWidget*>(window->WindowOf(from->databaseFrame())
                                                    ->listPane()
                                                    .WidgetFor(views::ColumnListBox::kControlId));
    fromRows->setFocus();
    fromView.Select(fromView.dbList()->GetCount() - 1);
    QTest::keyClick(fromRows, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasFormat("application/x-recaster-ccfgdb"));
    EXPECT_EQ(mime->text(), "Recaster II Database: 'MEDLIT'");

    // Shift+Insert in the target.
    window->ActivateFrame(to->databaseFrame());
    QApplication::setActiveWindow(window);
    window->UpdateCommandStates();
    EXPECT_TRUE(window->ActionFor(resources::kCmdPaste)->isEnabled());
    auto* toRows = qobject_cast<QListWidget*>(window->WindowOf(to->databaseFrame())
                                                  ->listPane()
                                                  .WidgetFor(views::ColumnListBox::kControlId));
    toRows->setFocus();
    const int before = toView.dbList()->GetCount();
    QTest::keyClick(toRows, Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(toView.dbList()->GetCount(), before + 1);
    EXPECT_EQ(toView.SelectedDatabase()->name, "MEDLIT");
    EXPECT_TRUE(to->document().IsModified());

    EXPECT_TRUE(window->RunCommand(resources::kCmdFileSave));
    window->ActivateFrame(from->databaseFrame());
    window->close();
    ASSERT_TRUE(WaitFor([&] { return !window->isVisible(); }));

    const QJsonArray original = FieldsOf(source, "MEDLIT");
    const QJsonArray pasted = FieldsOf(target, "MEDLIT");
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(WithoutIds(pasted), WithoutIds(original));
}

}  // namespace
}  // namespace recaster::qt
