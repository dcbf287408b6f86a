// The field list window in the desktop program, end to end on the offscreen
// platform and from the keyboard: open a database's fields with a double
// click, add a Parsed with Subfields field and two subfields, a Parsed field
// with an alternate target and a parsed format for one document type (the
// example read back), save, reopen, and find it all, also in recaster-cfg's
// JSON. The field window and the field dialogs are photographed into
// build/screenshots/.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "config/cfg_file.h"
#include "config/field.h"
#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/modal_script.h"
#include "qt/tests/qt_test_util.h"
#include "resources/menus.h"
#include "views/column_list_box.h"
#include "views/field_list_frame.h"

namespace recaster::qt {
namespace {

using testing::Control;
using testing::Key;
using testing::ModalScript;
using testing::Retype;
using testing::Screenshot;
using testing::TypeText;
using testing::WaitFor;

// Chooses the item of combo box `id` that typing `text` finds.
void Choose(QWidget* window, int id, const QString& text) {
    auto* combo = Control<QComboBox>(window, id);
    ASSERT_NE(combo, nullptr) << id;
    combo->setFocus();
    TypeText(combo, text);
}

// Moves combo box `id` to item `index` with the arrow keys.
void ChooseIndex(QWidget* window, int id, int index) {
    auto* combo = Control<QComboBox>(window, id);
    ASSERT_NE(combo, nullptr) << id;
    combo->setFocus();
    for (int guard = 0; guard < 100 && combo->currentIndex() != index; ++guard)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(combo->currentIndex(), index);
}

// A new field: its tag and type, OK.
ModalScript::Step NewField(const QString& tag, const QString& type = {}) {
    return [tag, type](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Field Information");
        Retype(d, 157, tag);
        if (!type.isEmpty()) Choose(d, 201, type);
        Key(d, Qt::Key_Return);
    };
}

class FieldEditingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        path_ = dir_.filePath("Fields.cfg");
        ASSERT_TRUE(
            QFile::copy(QCoreApplication::applicationDirPath() + "/Config/Sample.cfg", path_));
    }
    QTemporaryDir dir_;
    QString path_;
};

TEST_F(FieldEditingTest, BuildsAFieldMappingFromTheKeyboardSavesAndFindsItAgain) {
    Application application(QStringLiteral("recaster-fields-%1").arg(qApp->applicationPid()));
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    // Offscreen windows are not activated by themselves; mnemonics work
    // only in the active window.
    QApplication::setActiveWindow(window);
    app::DocumentSession* session = window->sessions().front();
    ListWindow* databases = window->WindowOf(session->databaseFrame());
    auto* dbRows = qobject_cast<QListWidget*>(
        databases->listPane().WidgetFor(views::ColumnListBox::kControlId));
    const int medlit = dbRows->count() - 1;  // the last database

    // A double click opens MEDLIT's fields.
    dbRows->setCurrentRow(medlit);
    emit dbRows->itemDoubleClicked(dbRows->item(medlit));
    ASSERT_EQ(session->Frames().size(), 2u);
    auto& fieldFrame = static_cast<views::FieldListFrame&>(*session->Frames()[1]);
    ListWindow* fields = window->WindowOf(fieldFrame);
    auto* rows =
        qobject_cast<QListWidget*>(fields->listPane().WidgetFor(views::ColumnListBox::kControlId));
    rows->setFocus();

    // Insert: ZS, Parsed with Subfields, with its page of subfield tags.
    {
        ModalScript script({[](QWidget* d) {
            Retype(d, 157, "zs");
            ChooseIndex(d, 201, 4);  // Parsed with Subfields
            Retype(d, 271, "$");
            Screenshot(d, "field-dialog-subfields");
            Key(d, Qt::Key_Return);
        }});
        QTest::keyClick(rows, Qt::Key_Insert);
        EXPECT_TRUE(script.Done());
    }
    views::CFldListView& view = fieldFrame.view();
    ASSERT_EQ(view.SelectedField()->tag, "ZS");
    // Alt+S twice: two subfields of ZS.
    for (const char* tag : {"BB", "AA"}) {
        ModalScript script({NewField(tag)});
        QApplication::setActiveWindow(window);  // back from the dialog
        QTest::keyClick(rows, Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(script.Done()) << tag;
    }
    EXPECT_EQ(view.SelectedField()->tag, "AA");
    EXPECT_EQ(view.SelectedField()->Parent()->tag, "ZS");
    Screenshot(window, "field-window");

    // ZP, Parsed: an alternate target for workform D, and a format for
    // "Review" built in the parsed format editor.
    QString example;
    {
        ModalScript script({
            [](QWidget* d) {
                Retype(d, 157, "ZP");
                Choose(d, 201, "Parsed");
                Screenshot(d, "field-dialog-parsed");
                Key(d, Qt::Key_F, Qt::AltModifier);  // Target Fields...
            },
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Target Fields");
                Screenshot(d, "target-fields");
                auto* list = Control(d, 163);
                list->setFocus();
                TypeText(list, "Th");  // the row of workform D, Thesis
                Key(list, Qt::Key_Return);
            },
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Edit Target Field");
                auto* target = Control<QComboBox>(d, 200);
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Down);  // choosing selects the alternate
                Key(d, Qt::Key_Return);
            },
            [](QWidget* d) { Key(d, Qt::Key_D, Qt::AltModifier); },  // Done
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Field Information");
                // Alt+D is also "&Description:"; Tab to the button, Space.
                auto* button = Control<QPushButton>(d, 1000);
                button->setFocus();
                Key(button, Qt::Key_Space);
            },
            [&](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Parsed Field Format for 'ZP'");
                Choose(d, 1001, "Rev");
                Control<QAbstractButton>(d, 1002)->click();  // not the default format
                Retype(d, 411, "In: ");
                Choose(d, 431, "(10");
                Retype(d, 421, "\\r");
                example = Control<QPlainTextEdit>(d, 194)->toPlainText();
                Screenshot(d, "parsed-format");
                Key(d, Qt::Key_Return);
            },
            [](QWidget* d) { Key(d, Qt::Key_Return); },  // Field Information: OK
        });
        QTest::keyClick(rows, Qt::Key_Insert);
        EXPECT_TRUE(script.Done()) << script.Left() << " steps left";
    }
    EXPECT_TRUE(example.startsWith("In: <(10) ")) << example.toStdString();
    EXPECT_TRUE(example.endsWith("\n")) << example.toStdString();  // "\r" became a line break

    EXPECT_TRUE(window->RunCommand(resources::kCmdFileSave));
    EXPECT_TRUE(window->RunCommand(resources::kCmdFileClose));
    ASSERT_TRUE(WaitFor([&] { return window->sessions().empty(); }));
    window->close();

    // What the file holds now.
    config::CCfgFile root;
    root.Open(ToPath(path_), store::OpenMode::ReadOnly);
    config::CCfgDBList& dbs = *root.GetDBList();
    config::CCfgFieldList& list = *dbs.Database(dbs.GetCount())->GetFieldList();
    config::CCfgField* zs = list.FindTopLevel("ZS", 2);
    ASSERT_NE(zs, nullptr);
    EXPECT_EQ(zs->type, config::kFieldParsedWithSubfields);
    EXPECT_EQ(zs->subfieldPrecededBy, "$");
    ASSERT_NE(list.FindSubfield("AA", 2, zs), nullptr);
    ASSERT_NE(list.FindSubfield("BB", 2, zs), nullptr);
    config::CCfgField* zp = list.FindTopLevel("ZP", 2);
    ASSERT_NE(zp, nullptr);
    EXPECT_NE(zp->AlternateTarget(3), config::kNoAlternate);
    const config::CCfgParseFormat* review = zp->parseFormats.Find("Review");
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(review->useDefault, 0u);
    EXPECT_EQ(review->rows[0].component, 10);
    EXPECT_EQ(review->rows[0].PrecededBy(), "In: ");

    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/recaster-cfg", {"show", "--json", path_});
    ASSERT_TRUE(cli.waitForFinished(20000));
    const QString json = QString::fromUtf8(cli.readAllStandardOutput());
    for (const char* expected :
         {"\"tag\": \"ZS\"", "\"tag\": \"AA\"", "\"tag\": \"ZP\"", "\"precededBy\": \"In: \""})
        EXPECT_TRUE(json.contains(QString::fromUtf8(expected))) << expected;
}

}  // namespace
}  // namespace recaster::qt
