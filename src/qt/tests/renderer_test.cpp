// The generic renderer and QtUi: widgets made from a template, user input
// through the dialog's own logic, dialog code mirrored into the widgets,
// Enter/Escape, owner-drawn rows, message boxes, sheets, clipboard, help.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "qt/dialog_window.h"
#include "qt/help_window.h"
#include "qt/property_sheet_window.h"
#include "qt/qt_canvas.h"
#include "qt/qt_ui.h"
#include "qt/tests/qt_test_util.h"
#include "ui/canvas.h"
#include "ui/property_sheet.h"

namespace recaster::qt {
namespace {

using resources::ControlKind;
using testing::WaitFor;
using testing::WhenModal;
namespace rs = resources;

enum : int { kName = 101, kActive = 102, kKind = 103, kRows = 104 };

const std::array kControls{
    rs::ControlTemplate{-1, ControlKind::Static, "&Name:", {7, 7, 40, 8}, 0},
    rs::ControlTemplate{
        kName, ControlKind::Edit, "", {50, 5, 80, 12}, rs::kStyleTabStop | rs::kStyleUppercase},
    rs::ControlTemplate{
        kActive, ControlKind::CheckBox, "&Active", {7, 22, 60, 10}, rs::kStyleTabStop},
    rs::ControlTemplate{kKind, ControlKind::DropDownList, "", {7, 36, 80, 60}, rs::kStyleTabStop},
    rs::ControlTemplate{kRows,
                        ControlKind::OwnerDrawnList,
                        "",
                        {7, 52, 120, 40},
                        rs::kStyleTabStop | rs::kStyleNotify},
    rs::ControlTemplate{
        ui::IDOK, ControlKind::DefaultPushButton, "OK", {140, 5, 50, 14}, rs::kStyleTabStop},
    rs::ControlTemplate{
        ui::IDCANCEL, ControlKind::PushButton, "Cancel", {140, 22, 50, 14}, rs::kStyleTabStop},
};
const rs::DialogTemplate kTemplate{9101, "Renderer", 200, 100, {}, 8, kControls};

class SampleDialog : public ui::Dialog {
  public:
    SampleDialog() : ui::Dialog(kTemplate) {}

    std::vector<std::pair<int, ui::Notification>> notifications;
    std::vector<const ui::Control*> clicked;      // by control, not id
    std::vector<std::pair<int, bool>> rowsDrawn;  // row, selected
    std::vector<ui::KeyPress> keys;
    std::string typedInRows;
    bool okRan = false;

    bool OnKeyDown(ui::Control& control, const ui::KeyPress& key) override {
        keys.push_back(key);
        // The list takes Insert for itself, as list windows do.
        return control.id() == kRows && key == ui::KeyPress{ui::Key::Insert};
    }
    bool OnChar(ui::Control& control, char ch) override {
        if (control.id() != kRows) return false;
        typedInRows += ch;
        return true;
    }

    void DrawItem(ui::DrawItemContext& c) override {
        rowsDrawn.emplace_back(c.row, c.selected);
        c.canvas.FillRect(c.rect, c.canvas.SysColor(c.selected ? ui::SystemColor::Highlight
                                                               : ui::SystemColor::Window));
        c.canvas.DrawText(c.rect, "Row " + std::to_string(c.row));
    }

  protected:
    void OnInitDialog() override {
        SetTextLimit(kName, 8);
        SetText(kName, "ALPHA");
        AddItem(kKind, "One", 10);
        AddItem(kKind, "Two", 20);
        SetCurSel(kKind, 0);
        Item(kRows).SetRowCount(3);
        SetCurSel(kRows, 1);
    }
    bool OnCommand(ui::Control& control, ui::Notification n) override {
        const int id = control.id();
        notifications.emplace_back(id, n);
        if (n == ui::Notification::Clicked) clicked.push_back(&control);
        // The check box decides whether the list can be used.
        if (id == kActive && n == ui::Notification::Clicked) Enable(kRows, IsChecked(kActive));
        return false;
    }
    void OnOK() override {
        okRan = true;
        EndDialog(ui::IDOK);
    }
};

template <class W>
W* Find(QWidget* root, int id) {
    return root->findChild<W*>(QStringLiteral("control-%1").arg(id));
}

void TypeKeys(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
    }
}

void PressKey(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

TEST(DialogRendererTest, UserInputRunsTheDialogAndDialogCodeShowsInTheWidgets) {
    QtUi ui;
    SampleDialog dialog;
    DialogWindow window(dialog, nullptr);
    dialog.Initialize(ui);
    window.show();

    auto* name = Find<QLineEdit>(&window, kName);
    auto* active = Find<QCheckBox>(&window, kActive);
    auto* kind = Find<QComboBox>(&window, kKind);
    auto* rows = Find<QListWidget>(&window, kRows);
    ASSERT_TRUE(name && active && kind && rows);
    // What OnInitDialog set is on screen, placed in dialog units.
    EXPECT_EQ(name->text(), "ALPHA");
    EXPECT_EQ(kind->count(), 2);
    EXPECT_EQ(rows->count(), 3);
    EXPECT_EQ(rows->currentRow(), 1);
    EXPECT_GT(name->x(), active->x());
    EXPECT_GT(window.width(), name->x() + name->width());

    // Typing goes through the control's rules: capitals, at most 8.
    name->selectAll();
    TypeKeys(name, QStringLiteral("bravo12345"));
    EXPECT_EQ(dialog.GetText(kName), "BRAVO123");
    EXPECT_EQ(name->text(), "BRAVO123");
    EXPECT_THAT(dialog.notifications,
                ::testing::Contains(std::pair(kName, ui::Notification::EditChanged)));

    // A click toggles the model, and OnCommand's reaction reaches the list.
    active->click();
    EXPECT_TRUE(dialog.IsChecked(kActive));
    EXPECT_TRUE(active->isChecked());
    EXPECT_TRUE(rows->isEnabled());
    active->click();
    EXPECT_FALSE(rows->isEnabled());

    // Choosing in the combo box selects in the model.
    emit kind->activated(1);
    EXPECT_EQ(dialog.GetCurSel(kKind), 1);
    EXPECT_EQ(kind->currentIndex(), 1);

    // Dialog code hiding and renaming is mirrored.
    dialog.Show(kActive, false);
    dialog.SetText(kActive, "&Enabled");
    EXPECT_FALSE(active->isVisibleTo(&window));
    EXPECT_EQ(active->text(), "&Enabled");

    // Owner-drawn rows are painted by the dialog, the current one selected.
    dialog.rowsDrawn.clear();
    window.grab();
    EXPECT_THAT(dialog.rowsDrawn, ::testing::Contains(std::pair(0, false)));
    EXPECT_THAT(dialog.rowsDrawn, ::testing::Contains(std::pair(1, true)));
    EXPECT_THAT(dialog.rowsDrawn, ::testing::Contains(std::pair(2, false)));
}

TEST(DialogRendererTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    QtUi ui;
    {
        SampleDialog dialog;
        DialogWindow window(dialog, nullptr);
        dialog.Initialize(ui);
        window.show();
        PressKey(&window, Qt::Key_Escape);
        EXPECT_TRUE(dialog.IsEnded());
        EXPECT_EQ(dialog.result(), ui::IDCANCEL);
        EXPECT_FALSE(dialog.okRan);
    }
    {
        SampleDialog dialog;
        DialogWindow window(dialog, nullptr);
        dialog.Initialize(ui);
        window.show();
        PressKey(Find<QLineEdit>(&window, kName), Qt::Key_Return);
        EXPECT_TRUE(dialog.okRan);
        EXPECT_EQ(dialog.result(), ui::IDOK);
    }
}

TEST(DialogRendererTest, ControlsSharingAnIdKeysGeometryAndSelectionsReachTheRightPlace) {
    QtUi ui;
    SampleDialog dialog;
    // A page whose check box reuses the id of the dialog's own.
    static const std::array pageControls{rs::ControlTemplate{
        kActive, ControlKind::CheckBox, "&Replace", {0, 0, 60, 10}, rs::kStyleTabStop}};
    static const rs::DialogTemplate page{9102, "", 60, 10, {}, 8, pageControls};
    ui::Control* pageCheck = dialog.AddControls(page, 7, 80, kRows).front();
    DialogWindow window(dialog, nullptr);
    dialog.Initialize(ui);
    window.show();

    auto* pageBox = qobject_cast<QCheckBox*>(window.view().WidgetFor(*pageCheck));
    ASSERT_NE(pageBox, nullptr);
    EXPECT_NE(pageBox, Find<QCheckBox>(&window, kActive));
    pageBox->click();
    ASSERT_EQ(dialog.clicked.size(), 1u);
    EXPECT_EQ(dialog.clicked[0], pageCheck);
    EXPECT_EQ(pageCheck->checked(), 1);
    EXPECT_FALSE(dialog.IsChecked(kActive));  // the dialog's own stays off

    // Moving a control in dialog code moves its widget.
    const int oldX = pageBox->x();
    rs::DialogRect r = pageCheck->rect();
    r.x += 40;
    pageCheck->SetRect(r);
    EXPECT_GT(pageBox->x(), oldX + 40);

    // Keys and typed characters reach the dialog before the widget.
    auto* rows = Find<QListWidget>(&window, kRows);
    dialog.Enable(kRows);
    rows->setFocus();
    ASSERT_TRUE(WaitFor([&] { return dialog.Focus() == kRows; }));
    PressKey(rows, Qt::Key_Insert);
    QKeyEvent shiftDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::ShiftModifier);
    QApplication::sendEvent(rows, &shiftDelete);
    ASSERT_EQ(dialog.keys.size(), 2u);
    EXPECT_EQ(dialog.keys[0], (ui::KeyPress{ui::Key::Insert}));
    EXPECT_EQ(dialog.keys[1], (ui::KeyPress{ui::Key::Delete, ui::kModShift}));
    TypeKeys(rows, QStringLiteral("ab"));
    EXPECT_EQ(dialog.typedInRows, "ab");
    // An edit is left its characters.
    auto* name = Find<QLineEdit>(&window, kName);
    name->setFocus();
    name->selectAll();
    TypeKeys(name, QStringLiteral("z"));
    EXPECT_EQ(dialog.GetText(kName), "Z");
    EXPECT_EQ(dialog.typedInRows, "ab");

    // Going to an edit selects its whole text in the widget.
    dialog.SetText(kName, "WHOLE");
    dialog.GotoControl(kName);
    EXPECT_EQ(name->selectedText(), "WHOLE");
}

TEST(QtUiTest, RunsModalDialogsMessageBoxesAndSheets) {
    QtUi ui;
    SampleDialog dialog;
    WhenModal([](QWidget* modal) {
        TypeKeys(Find<QLineEdit>(modal, kName), QStringLiteral("x"));
        Find<QPushButton>(modal, ui::IDOK)->click();
    });
    EXPECT_EQ(ui.RunModal(dialog), ui::IDOK);
    EXPECT_TRUE(dialog.okRan);
    // The first edit has the focus with its text selected: typing replaces it.
    EXPECT_EQ(dialog.GetText(kName), "X");

    // A Yes/No/Cancel question with its icon; the answer comes back.
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    ui::MessageBoxRequest request{
        61706, "Save changes to A.cfg?", ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION, {}};
    EXPECT_EQ(ui.MessageBox(request), ui::IDNO);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons, 3);

    // A sheet of two pages: tabs, and OK ends it when every page agrees.
    SampleDialog first, second;
    ui::PropertySheet sheet("Sheet");
    sheet.AddPage(first);
    sheet.AddPage(second);
    int tabs = 0;
    WhenModal([&](QWidget* modal) {
        tabs = modal->findChild<QTabWidget*>()->count();
        modal->findChild<QPushButton*>(QStringLiteral("sheet-ok"))->click();
    });
    EXPECT_EQ(ui.RunPropertySheet(sheet), ui::IDOK);
    EXPECT_EQ(tabs, 2);
    EXPECT_TRUE(first.okRan);
}

TEST(QtUiTest, ClipboardKeepsPrivateFormatsBesideTheText) {
    QtUi ui;
    std::string bytes("\x01\x00\xff\x80", 4);
    ui.SetClipboard({{{"CCfgDB", bytes}}, std::string("Caf\xe9")});
    EXPECT_EQ(ui.ClipboardFormat("CCfgDB"), bytes);
    EXPECT_EQ(ui.ClipboardFormat("CCfgField"), std::nullopt);
    EXPECT_EQ(ui.ClipboardText(), std::string("Caf\xe9"));
    EXPECT_EQ(QtUi::MimeTypeFor("CCfgDB"), "application/x-recaster-ccfgdb");
    EXPECT_EQ(QtUi::MimeTypeFor("CCfgFldLst"), "application/x-recaster-ccfgfldlst");
}

TEST(QtUiTest, FileFiltersBecomeQtNameFilters) {
    EXPECT_EQ(NameFiltersOf("Config File (*.cfg)|*.cfg|All Files (*.*)|*.*"),
              QStringList({"Config File (*.cfg)", "All Files (*)"}));
    EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

TEST(HelpWindowTest, ContentsIndexAndKeywordLookUp) {
    QtUi ui;
    ui.ShowHelp(ui::HelpCommand::Keyword, "Technical Support");
    HelpWindow* help = ui.helpWindow();
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->currentPage().endsWith("support.html"));
    EXPECT_GE(help->indexEntries().size(), 10u);
    EXPECT_TRUE(help->ShowKeyword("work"));  // a prefix finds "Workforms"
    EXPECT_TRUE(help->currentPage().endsWith("settings.html"));
    EXPECT_FALSE(help->ShowKeyword("no such keyword"));
    ui.ShowHelp(ui::HelpCommand::Contents);
    EXPECT_TRUE(help->currentPage().endsWith("contents.html"));
    // Every page the contents and index name exists.
    for (const auto& e : HelpWindow::LinksOf(QStringLiteral(
             "<a href=\"a.html\">A &amp; B</a> <A HREF=\"b.html#x\"><b>Bee</b></A>"))) {
        EXPECT_FALSE(e.text.isEmpty());
    }
    EXPECT_EQ(HelpWindow::LinksOf(QStringLiteral("<a href=\"a.html\">A &amp; B</a>"))[0].text,
              "A & B");
}

TEST(QtCanvasTest, MeasuresWithoutAPainterAndClipsWhenPainting) {
    QFont font = QApplication::font();
    QtCanvas metrics(nullptr, font, QApplication::palette());
    EXPECT_GT(metrics.TextWidth("WWWW"), metrics.TextWidth("iiii"));
    EXPECT_GT(metrics.LineHeight(), 0);
    metrics.DrawText({0, 0, 10, 10}, "no painter: nothing happens");

    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(&painter, font, QApplication::palette());
        canvas.SetBackgroundColor({255, 0, 0});
        canvas.DrawText({0, 0, 20, 20}, "");  // opaque: the clip is filled
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 5), QColor(Qt::white));  // outside the clip
}

}  // namespace
}  // namespace recaster::qt

namespace recaster::qt {
namespace {

TEST(QtUiTest, AModelessDialogStaysUsableWhileItsMainWindowIsDisabled) {
    QtUi ui;
    QWidget mainWindow;
    mainWindow.show();
    ui.SetMainWindow(&mainWindow);
    SampleDialog dialog;
    ui.OpenModeless(dialog);
    dialog.SetVisible(true);
    ui.SetMainWindowEnabled(false);
    EXPECT_FALSE(ui.IsMainWindowEnabled());

    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "dialog-window-9101") window = w;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* cancel = Find<QPushButton>(window, ui::IDCANCEL);
    EXPECT_TRUE(cancel->isEnabled());
    cancel->click();
    EXPECT_EQ(dialog.result(), ui::IDCANCEL);

    ui.SetMainWindowEnabled(true);
    ui.CloseModeless(dialog);
    EXPECT_FALSE(dialog.IsRunning());
}

}  // namespace
}  // namespace recaster::qt
