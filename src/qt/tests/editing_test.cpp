// Editing a configuration in the desktop program, end to end on the
// offscreen platform, from the keyboard and the buttons as a user would:
// the record header (refused, then corrected), a new database (a name that
// clashes, then a good one), document types added and deleted, an author
// format, an identifier, an ignored line; then save, reopen, and find every
// change, also through recaster-cfg's JSON. Every dialog is photographed
// into build/screenshots/.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "config/doc_type.h"
#include "qt/application.h"
#include "qt/dialog_renderer.h"
#include "qt/list_window.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/tests/modal_script.h"
#include "qt/tests/qt_test_util.h"
#include "resources/menus.h"
#include "views/column_list_box.h"

namespace recaster::qt {
namespace {

using testing::Click;
using testing::Control;
using testing::Key;
using testing::ModalScript;
using testing::Retype;
using testing::Screenshot;
using testing::TypeText;
using testing::WaitFor;
namespace r = resources;

QString BoxText(QWidget* box) {
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    return label ? label->text() : QString();
}

// Answers a message box with its default button, after checking its text.
ModalScript::Step ExpectBox(QString text, int button = QMessageBox::Ok) {
    return [text, button](QWidget* box) {
        EXPECT_EQ(BoxText(box), text);
        auto* mb = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(mb, nullptr);
        Click(mb->button(static_cast<QMessageBox::StandardButton>(button)));
    };
}

class EditingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        channel_ = QStringLiteral("recaster-edit-%1").arg(QCoreApplication::applicationPid());
        path_ = dir_.filePath("Edited.cfg");
        ASSERT_TRUE(
            QFile::copy(QCoreApplication::applicationDirPath() + "/Config/Sample.cfg", path_));
    }
    // Runs `command` while `script` works the windows it opens.
    void Run(MainWindow* window, int command, ModalScript& script) {
        EXPECT_TRUE(window->RunCommand(command)) << command;
        EXPECT_TRUE(script.Done()) << script.Left() << " steps left after " << command;
    }

    QTemporaryDir dir_;
    QString channel_;
    QString path_;
};

TEST_F(EditingTest, EditsTheFileStructureAndADatabaseSavesAndFindsEverythingAgain) {
    Application application(channel_);
    ASSERT_EQ(application.Start({ToPath(path_)}), Application::StartResult::Running);
    MainWindow* window = application.mainWindow();
    app::DocumentSession* session = window->sessions().front();
    ListWindow* doc = window->WindowOf(session->databaseFrame());
    auto* list =
        qobject_cast<QListWidget*>(doc->listPane().WidgetFor(views::ColumnListBox::kControlId));
    ASSERT_NE(list, nullptr);

    // Record Identification: a doubled asterisk is refused with the focus
    // on the header format, then corrected.
    {
        ModalScript script({
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Record Identification");
                Screenshot(d, "record-identification");
                Retype(d, 164, "NSS Record # of # **");
                Key(d, Qt::Key_Return);
            },
            ExpectBox("A format string cannot have more than one '*' character in a row."),
            [](QWidget* d) {
                auto* header = Control<QLineEdit>(d, 164);
                EXPECT_EQ(d->focusWidget(), header);
                EXPECT_EQ(header->selectedText(), "NSS Record # of # **");
                Retype(d, 164, "NSS Record # of # \\**");
                Key(d, Qt::Key_Return);
            },
        });
        Run(window, r::kCmdRecordIdentification, script);
    }
    EXPECT_TRUE(session->document().IsModified());

    // New database from the list with Insert: "agridoc" clashes with
    // AGRIDOC, then PSYCLIT goes in and is selected.
    {
        ModalScript script({
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Database Information");
                Retype(d, 157, "agridoc");
                Key(d, Qt::Key_Return);
            },
            ExpectBox("A database named 'AGRIDOC' is already defined in this configuration "
                      "file.  Choose a different name for this database."),
            [](QWidget* d) {
                EXPECT_EQ(d->focusWidget(), Control(d, 157));
                Retype(d, 157, "psyclit");
                Retype(d, 158, "Psychology Literature");
                auto* workform = Control<QComboBox>(d, 159);
                workform->setFocus();
                // The list is sorted by name; the keyboard picks "Book".
                TypeText(workform, "Book");
                Screenshot(d, "database-information");
                Key(d, Qt::Key_Return);
            },
        });
        list->setFocus();
        QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
        QApplication::sendEvent(list, &insert);
        EXPECT_TRUE(script.Done());
    }
    views::CDBListView& view = session->databaseFrame().view();
    ASSERT_NE(view.SelectedDatabase(), nullptr);
    EXPECT_EQ(view.SelectedDatabase()->name, "PSYCLIT");
    EXPECT_EQ(list->currentRow(), view.SelectedIndex());
    EXPECT_EQ(qobject_cast<QLabel*>(doc->header().WidgetFor(246))->text(),
              "7 databases have been defined");
    Screenshot(window, "database-added");

    // Document types: add two, delete one with its question.
    {
        auto addType = [](const QString& name) {
            return [name](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Edit Document Type");
                Retype(d, 208, name);
                Screenshot(d, "edit-document-type");
                Key(d, Qt::Key_Return);
            };
        };
        ModalScript script({
            [](QWidget* d) { Click(Control<QPushButton>(d, 1001)); },
            addType("Review"),
            [](QWidget* d) {
                // Alt+N is New.
                Key(d, Qt::Key_N, Qt::AltModifier);
            },
            addType("Letter"),
            [](QWidget* d) {
                auto* rows = Control<QListWidget>(d, 163);
                EXPECT_EQ(rows->count(), 2);
                EXPECT_EQ(rows->currentRow(), 0);  // "Letter" sorts first
                Screenshot(d, "document-types");
                rows->setFocus();
                Key(rows, Qt::Key_Delete);
            },
            ExpectBox("Are you sure you want to delete Document Type \"Letter\"?"),
            [](QWidget* d) {
                EXPECT_EQ(Control<QListWidget>(d, 163)->count(), 1);
                Click(Control<QPushButton>(d, 1));
            },
        });
        Run(window, r::kCmdDocumentTypes, script);
    }

    // Author format: the database's own, with hyphens, "Smith J S".
    {
        ModalScript script({[](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), "Author Format for DB 'PSYCLIT'");
            Control<QAbstractButton>(d, 176)->click();  // own format
            Control<QAbstractButton>(d, 185)->click();  // hyphens
            EXPECT_EQ(Control<QAbstractButton>(d, 184)->text(), "Smith-&J-S");
            Control<QAbstractButton>(d, 184)->click();
            Retype(d, 186, " & ");
            Screenshot(d, "author-format");
            Key(d, Qt::Key_Return);
        }});
        Run(window, r::kCmdAuthorFieldFormat, script);
    }

    // Database identification: a new identifier; ignored lines: a new line.
    {
        ModalScript script({
            [](QWidget* d) { Click(Control<QPushButton>(d, 1001)); },
            [](QWidget* d) {
                EXPECT_EQ(d->windowTitle(), "Database Identification Info");
                Retype(d, 159, "Database: PsycLIT");
                Screenshot(d, "database-identification-info");
                Key(d, Qt::Key_Return);
            },
            [](QWidget* d) {
                Screenshot(d, "database-identification");
                Click(Control<QPushButton>(d, 1));
            },
        });
        Run(window, r::kCmdDatabaseIdentification, script);
    }
    {
        ModalScript script({
            [](QWidget* d) {
                Control(d, 163)->setFocus();
                Key(Control(d, 163), Qt::Key_Insert);
            },
            [](QWidget* d) {
                Retype(d, 207, "Printed on #");
                Screenshot(d, "ignored-line");
                Key(d, Qt::Key_Return);
            },
            [](QWidget* d) {
                Screenshot(d, "ignored-lines");
                Key(d, Qt::Key_Escape);  // closes like Done and keeps the change
            },
        });
        Run(window, r::kCmdIgnoredStrings, script);
    }
    {
        ModalScript script({[](QWidget* d) {
            Screenshot(d, "field-identification");
            Key(d, Qt::Key_Escape);
        }});
        Run(window, r::kCmdFieldIdentification, script);
    }

    EXPECT_TRUE(window->RunCommand(r::kCmdFileSave));
    EXPECT_TRUE(window->RunCommand(r::kCmdFileClose));
    ASSERT_TRUE(WaitFor([&] { return window->sessions().empty(); }));

    // Reopened, everything is there.
    ASSERT_TRUE(window->OpenDocumentFile(ToPath(path_)));
    config::CCfgFile& root = window->sessions().front()->document().Root();
    EXPECT_EQ(root.GetDFSInfo()->recordHeaderFormat, "NSS Record # of # \\**");
    config::CCfgDBList* dbs = root.GetDBList();
    config::CCfgDatabase* psyclit = nullptr;
    for (int p = 1; p <= dbs->GetCount(); ++p) {
        if (dbs->Database(p)->name == "PSYCLIT") psyclit = dbs->Database(p);
    }
    ASSERT_NE(psyclit, nullptr);
    EXPECT_EQ(psyclit->description, "Psychology Literature");
    EXPECT_EQ(psyclit->workform, 1);  // B, "Book"
    EXPECT_FALSE(psyclit->useDefaultAuthorFormat);
    EXPECT_EQ(psyclit->authorFormat, 7);
    EXPECT_TRUE(psyclit->hyphens);
    EXPECT_EQ(psyclit->authorSeparator, " & ");
    ASSERT_EQ(psyclit->GetDocTypeList()->GetCount(), 1);
    EXPECT_EQ(psyclit->GetDocTypeList()->DocType(1)->name, "Review");
    EXPECT_EQ(root.GetIdentPairs()->pairs.back().prefix, "Database: PsycLIT");
    EXPECT_EQ(root.GetIgnoredLines()->strings.back(), "Printed on #");
    window->close();

    // The command-line tool reads the same.
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/recaster-cfg", {"show", "--json", path_});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QString json = QString::fromUtf8(cli.readAllStandardOutput());
    for (const char* expected :
         {"\"recordHeaderFormat\": \"NSS Record # of # \\\\**\"", "\"name\": \"PSYCLIT\"",
          "\"authorSeparator\": \" & \"", "\"name\": \"Review\"",
          "\"prefix\": \"Database: PsycLIT\"", "\"Printed on #\""}) {
        EXPECT_TRUE(json.contains(QString::fromUtf8(expected))) << expected;
    }
}

}  // namespace
}  // namespace recaster::qt
