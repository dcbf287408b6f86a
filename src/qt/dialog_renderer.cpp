// The generic renderer: controls to widgets, user input to DialogDriver,
// control changes back to widgets.
#include "qt/dialog_renderer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QToolTip>
#include <exception>

#include "qt/command_icons.h"
#include "qt/owner_drawn_list.h"
#include "qt/qt_text.h"
#include "ui/dialog_driver.h"
#include "ui/message_box.h"

namespace recaster::qt {

using resources::ControlKind;

namespace {

ui::DialogBaseUnits UnitsOf(const QFont& font) {
    QFontMetrics metrics(font);
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return ui::DialogBaseUnits{ui::AverageCharWidth(letters), metrics.height()};
}

// Mirrors an edit control's selected range (model offsets) into `edit`.
void SelectInEdit(const ui::Control& c, QLineEdit* edit) {
    QString before = FromModel(c.text().substr(0, c.selectionStart()));
    QString sel =
        FromModel(c.text().substr(c.selectionStart(), c.selectionEnd() - c.selectionStart()));
    edit->setSelection(before.size(), sel.size());
}

QRect ToQRect(const ui::Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

bool IsKeyEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

ui::Key KeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ui::Key::Enter;
        case Qt::Key_Escape:
            return ui::Key::Escape;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return ui::Key::Tab;
        case Qt::Key_Insert:
            return ui::Key::Insert;
        case Qt::Key_Delete:
            return ui::Key::Delete;
        case Qt::Key_Backspace:
            return ui::Key::Backspace;
        case Qt::Key_Up:
            return ui::Key::Up;
        case Qt::Key_Down:
            return ui::Key::Down;
        case Qt::Key_Left:
            return ui::Key::Left;
        case Qt::Key_Right:
            return ui::Key::Right;
        case Qt::Key_Home:
            return ui::Key::Home;
        case Qt::Key_End:
            return ui::Key::End;
        case Qt::Key_PageUp:
            return ui::Key::PageUp;
        case Qt::Key_PageDown:
            return ui::Key::PageDown;
        case Qt::Key_F1:
            return ui::Key::F1;
        default:
            return ui::Key::Other;
    }
}

uint8_t ModifiersOf(Qt::KeyboardModifiers mods) {
    uint8_t out = ui::kModNone;
    if (mods & Qt::ShiftModifier) out |= ui::kModShift;
    if (mods & Qt::ControlModifier) out |= ui::kModCtrl;
    if (mods & Qt::AltModifier) out |= ui::kModAlt;
    return out;
}

}  // namespace

DialogView::DialogView(ui::Dialog& dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {
    units_ = UnitsOf(font());
    dialog.SetBaseUnits(units_);
    const auto& t = dialog.dialogTemplate();
    templateSize_ = QSize(ui::DialogUnitsToPixelsX(t.width, units_),
                          ui::DialogUnitsToPixelsY(t.height, units_));
    resize(templateSize_);
    setObjectName(QStringLiteral("dialog-%1").arg(t.id));
    for (const auto& c : dialog.controls()) Build(*c);
    FixTabOrder();
    dialog.AddObserver(this);
}

DialogView::~DialogView() {
    dialog_.RemoveObserver(this);
}

QWidget* DialogView::WidgetFor(int id) const {
    const ui::Control* c = dialog_.FindItem(id);
    return c ? WidgetFor(*c) : nullptr;
}

QWidget* DialogView::WidgetFor(const ui::Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

void DialogView::PressEnter() {
    ui::DialogDriver(dialog_).PressEnter();
}

void DialogView::StretchControl(int id) {
    stretchId_ = id;
    if (QWidget* w = WidgetFor(id)) w->setGeometry(rect());
}

void DialogView::LeaveMnemonicsToAccelerators() {
    buttonMnemonics_ = false;
    for (auto& [control, widget] : widgets_) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setShortcut({});
    }
}

void DialogView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (stretchId_ != 0) {
        if (QWidget* w = WidgetFor(stretchId_)) w->setGeometry(rect());
    }
}

void DialogView::PressEscape() {
    ui::DialogDriver(dialog_).PressEscape();
}

// A control's text as shown: configuration text, or a file name.
static QString ShownText(const ui::Control& c) {
    return c.HasStyle(resources::kStyleFileName) ? QString::fromStdString(c.text())
                                                 : FromModel(c.text());
}

QWidget* DialogView::MakeWidget(ui::Control& c) {
    QString text = ShownText(c);
    switch (c.kind()) {
        case ControlKind::Static: {
            auto* label = new QLabel(text, this);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            if (c.HasStyle(resources::kStylePassword)) edit->setEchoMode(QLineEdit::Password);
            return edit;
        }
        case ControlKind::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(this);
            edit->setTabChangesFocus(true);
            return edit;
        }
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(text, this);
            // Enter is the dialog's business (DialogView::PressEnter), not
            // the focused button's.
            button->setAutoDefault(false);
            button->setDefault(c.kind() == ControlKind::DefaultPushButton);
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, this);
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            radio->setAutoExclusive(false);  // the dialog clears the others
            return radio;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(text, this);
        case ControlKind::DropDownList:
        case ControlKind::DropDown: {
            auto* combo = new QComboBox(this);
            combo->setEditable(c.kind() == ControlKind::DropDown);
            return combo;
        }
        case ControlKind::ListBox:
            return new QListWidget(this);
        case ControlKind::OwnerDrawnList:
        case ControlKind::OwnerDrawnListVariable:
            return new OwnerDrawnList(dialog_, c, this);
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(this);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::Icon: {
            auto* icon = new QLabel(this);
            icon->setPixmap(ProgramIcon().pixmap(32, 32));
            return icon;
        }
        case ControlKind::HorizontalLine: {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            return line;
        }
    }
    return new QWidget(this);
}

void DialogView::Build(ui::Control& c) {
    QWidget* w = MakeWidget(c);
    w->setObjectName(QStringLiteral("control-%1").arg(c.id()));
    Place(c, w);
    bool focusable = c.HasStyle(resources::kStyleTabStop);
    switch (c.kind()) {
        case ControlKind::Static:
        case ControlKind::GroupBox:
        case ControlKind::Icon:
        case ControlKind::HorizontalLine:
        case ControlKind::ProgressBar:
            w->setFocusPolicy(Qt::NoFocus);
            break;
        default:
            w->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::ClickFocus);
            break;
    }
    if (c.kind() == ControlKind::GroupBox) w->lower();
    w->installEventFilter(this);
    widgets_[&c] = w;
    controlOf_[w] = &c;
    Connect(c, w);
    ++updating_;
    SyncAll(c);
    --updating_;
    w->setVisible(c.visible());
}

void DialogView::Place(const ui::Control& c, QWidget* w) {
    if (stretchId_ != 0 && c.id() == stretchId_) {
        w->setGeometry(rect());
        return;
    }
    QRect r = ToQRect(ui::DialogRectToPixels(c.rect(), units_));
    if (c.IsCombo()) {
        // A combo box's template height includes its dropped-down list.
        r.setHeight(std::min(r.height(), w->sizeHint().height()));
    }
    w->setGeometry(r);
}

template <class F>
void DialogView::Guarded(F&& f) {
    // An exception must not unwind through Qt's event loop. What dialog code
    // lets escape (a file error while saving, say) is shown, and the dialog
    // stays as it is; the store refuses to commit a change that failed half
    // way, so the file keeps its last saved state.
    try {
        f();
    } catch (const std::exception& e) {
        ui::ShowMessageBoxText(dialog_.ui(), 0, e.what(), ui::MB_OK | ui::MB_ICONSTOP);
    }
}

template <class F>
void DialogView::UserAction(const ui::Control& control, F&& action) {
    if (updating_ > 0) return;
    ui::DialogDriver driver(dialog_);
    Guarded([&] { action(driver); });
    // The control may be gone (a page replaced) or the dialog ended.
    for (const auto& c : dialog_.controls()) {
        if (c.get() == &control) {
            ++updating_;
            SyncAll(control);
            --updating_;
            break;
        }
    }
}

void DialogView::RefuseText(QWidget* widget, const QString& text) {
    QString ch = FirstRefusedCharacter(text);
    QToolTip::showText(widget->mapToGlobal(QPoint(0, widget->height())),
                       tr("The character \"%1\" cannot be stored in a configuration file.").arg(ch),
                       widget);
    QApplication::beep();
}

void DialogView::Connect(ui::Control& c, QWidget* w) {
    ui::Control* control = &c;
    auto typed = [this, control, w](const QString& text) {
        if (updating_ > 0) return;
        std::optional<std::string> model = ToModel(text);
        if (!model) {
            RefuseText(w, text);
            UserAction(*control, [](ui::DialogDriver&) {});  // puts the old text back
            return;
        }
        UserAction(*control, [&](ui::DialogDriver& d) { d.Type(*control, *model); });
    };
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, typed);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        connect(edit, &QPlainTextEdit::textChanged, this, [edit, typed] {
            // The model keeps CR LF line ends, as the file holds them.
            QString text = edit->toPlainText();
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            typed(text);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, [this, control] {
            UserAction(*control, [&](ui::DialogDriver& d) { d.Press(*control); });
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this, [this, control](int index) {
            UserAction(*control, [&](ui::DialogDriver& d) { d.Select(*control, index); });
        });
        if (QLineEdit* edit = combo->lineEdit()) connect(edit, &QLineEdit::textEdited, this, typed);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, control](int row) {
            if (row >= 0)
                UserAction(*control, [&](ui::DialogDriver& d) { d.Select(*control, row); });
        });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, control, list](QListWidgetItem* item) {
                    int row = list->row(item);
                    UserAction(*control,
                               [&](ui::DialogDriver& d) { d.DoubleClick(*control, row); });
                });
    }
}

void DialogView::SyncAll(const ui::Control& c) {
    for (auto aspect : {ui::ControlAspect::Items, ui::ControlAspect::Text, ui::ControlAspect::Check,
                        ui::ControlAspect::Enabled, ui::ControlAspect::Visible,
                        ui::ControlAspect::ReadOnly, ui::ControlAspect::TextLimit,
                        ui::ControlAspect::ItemSelection, ui::ControlAspect::Progress}) {
        Sync(c, aspect);
    }
}

void DialogView::SyncItems(const ui::Control& c, QWidget* w) {
    if (auto* owner = dynamic_cast<OwnerDrawnList*>(w)) {
        owner->SetRowCount(c.ItemCount());
        owner->RepaintRow(-1);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->clear();
        for (int i = 0; i < c.ItemCount(); ++i) list->addItem(FromModel(c.Item(i)->text));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStringList texts;
        texts.reserve(c.ItemCount());
        for (int i = 0; i < c.ItemCount(); ++i) texts << FromModel(c.Item(i)->text);
        // One refill, without a model signal per item.
        QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(texts);
    }
}

void DialogView::SyncSelection(const ui::Control& c, QWidget* w) {
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (list->currentRow() != c.curSel()) list->setCurrentRow(c.curSel());
        if (c.curSel() < 0) list->clearSelection();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->currentIndex() != c.curSel()) combo->setCurrentIndex(c.curSel());
        if (combo->isEditable()) combo->setEditText(FromModel(c.text()));
    }
}

void DialogView::Sync(const ui::Control& c, ui::ControlAspect aspect, int row) {
    auto it = widgets_.find(&c);
    if (it == widgets_.end()) return;
    QWidget* w = it->second;
    switch (aspect) {
        case ui::ControlAspect::Text:
        case ui::ControlAspect::EditSelection: {
            QString text = ShownText(c);
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                if (edit->text() != text) {
                    // While the user works in the edit the cursor stays
                    // where it was; otherwise it goes to the end.
                    int pos = edit->cursorPosition();
                    bool keep = edit->hasFocus();
                    edit->setText(text);
                    if (keep) edit->setCursorPosition(std::min(pos, static_cast<int>(text.size())));
                }
                if (aspect == ui::ControlAspect::EditSelection) SelectInEdit(c, edit);
            } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
                // Line ends are CR LF in the model, as typed into the control.
                QString shown = text;
                shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                if (edit->toPlainText() != shown) edit->setPlainText(shown);
                if (aspect == ui::ControlAspect::EditSelection) {
                    // Offsets in the shown text, where each CR LF is one "\n".
                    auto shownOffset = [&](int modelOffset) {
                        std::string head = c.text().substr(0, static_cast<size_t>(modelOffset));
                        QString part = FromModel(head);
                        return static_cast<int>(part.size() - part.count(QStringLiteral("\r\n")));
                    };
                    QTextCursor cursor = edit->textCursor();
                    cursor.setPosition(shownOffset(c.selectionStart()));
                    cursor.setPosition(shownOffset(c.selectionEnd()), QTextCursor::KeepAnchor);
                    edit->setTextCursor(cursor);
                }
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                button->setText(text);
                if (!buttonMnemonics_) button->setShortcut(QKeySequence());
            } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
                group->setTitle(text);
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                if (combo->isEditable() && combo->currentText() != text) combo->setEditText(text);
                if (aspect == ui::ControlAspect::EditSelection && combo->lineEdit())
                    SelectInEdit(c, combo->lineEdit());
            } else if (auto* label = qobject_cast<QLabel*>(w)) {
                if (c.kind() == ControlKind::Static) label->setText(text);
            }
            break;
        }
        case ui::ControlAspect::Check:
            if (auto* check = qobject_cast<QCheckBox*>(w)) {
                check->setCheckState(c.checked() == 0   ? Qt::Unchecked
                                     : c.checked() == 2 ? Qt::PartiallyChecked
                                                        : Qt::Checked);
            } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
                radio->setChecked(c.checked() != 0);
            }
            break;
        case ui::ControlAspect::Enabled:
            w->setEnabled(c.enabled());
            break;
        case ui::ControlAspect::Visible:
            w->setVisible(c.visible());
            break;
        case ui::ControlAspect::ReadOnly:
            if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setReadOnly(c.readOnly());
            if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) edit->setReadOnly(c.readOnly());
            break;
        case ui::ControlAspect::TextLimit:
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                edit->setMaxLength(c.textLimit() == 0 ? 32767 : static_cast<int>(c.textLimit()));
            }
            break;
        case ui::ControlAspect::Items:
            SyncItems(c, w);
            SyncSelection(c, w);
            break;
        case ui::ControlAspect::ItemSelection:
        case ui::ControlAspect::TopIndex:
            SyncSelection(c, w);
            break;
        case ui::ControlAspect::Progress:
            if (auto* bar = qobject_cast<QProgressBar*>(w)) {
                bar->setRange(c.rangeLow(), c.rangeHigh());
                bar->setValue(c.position());
            }
            break;
        case ui::ControlAspect::Geometry:
            Place(c, w);
            break;
        case ui::ControlAspect::RowInvalidated:
            if (auto* owner = dynamic_cast<OwnerDrawnList*>(w)) owner->RepaintRow(row);
            break;
    }
}

void DialogView::ControlChanged(const ui::Control& control, const ui::ControlChange& change) {
    ++updating_;
    Sync(control, change.aspect, change.row);
    --updating_;
}

void DialogView::ControlsAdded(const std::vector<ui::Control*>& added) {
    for (ui::Control* c : added) Build(*c);
    FixTabOrder();
}

void DialogView::FocusChanged(ui::Control* /*oldFocus*/, ui::Control* newFocus) {
    QWidget* w = newFocus ? WidgetFor(*newFocus) : nullptr;
    if (!w || w->hasFocus()) return;
    ++updating_;
    w->setFocus(Qt::OtherFocusReason);
    --updating_;
}

void DialogView::TitleChanged(const std::string& title) {
    emit titleChanged(FromModel(title));
}
void DialogView::VisibilityChanged(bool visible) {
    emit visibilityChanged(visible);
}
void DialogView::Ended(int result) {
    emit ended(result);
}

void DialogView::FixTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& c : dialog_.controls()) {
        QWidget* w = widgets_[c.get()];
        if (!w || w->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // A label's mnemonic moves the focus to the control after it.
    QLabel* pending = nullptr;
    for (const auto& c : dialog_.controls()) {
        QWidget* w = widgets_[c.get()];
        if (auto* label = qobject_cast<QLabel*>(w); label && c->kind() == ControlKind::Static) {
            pending = label;
        } else if (pending && w && w->focusPolicy() != Qt::NoFocus) {
            pending->setBuddy(w);
            pending = nullptr;
        }
    }
}

bool DialogView::RouteKey(ui::Control& control, QKeyEvent* event) {
    if (dialog_.IsEnded()) return false;
    ui::DialogDriver driver(dialog_);
    const uint8_t mods = ModifiersOf(event->modifiers());
    const ui::Key key = KeyOf(event->key());
    bool consumed = false;
    if (key != ui::Key::Other) {
        Guarded([&] { consumed = driver.KeyDown(control, {key, mods}); });
        if (consumed) return true;
    }
    // A printable character, unless a shortcut modifier is held.
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint() || (mods & (ui::kModCtrl | ui::kModAlt)))
        return false;
    std::optional<std::string> ch = ToModel(text);
    if (!ch || ch->size() != 1) return false;
    Guarded([&] { consumed = driver.Char(control, (*ch)[0]); });
    return consumed;
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    auto found = controlOf_.find(watched);
    if (found == controlOf_.end()) return false;
    ui::Control& control = *found->second;
    if (event->type() == QEvent::FocusIn && updating_ == 0) {
        if (dialog_.FocusedControl() != &control && !dialog_.IsEnded())
            ui::DialogDriver(dialog_).Focus(control);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (RouteKey(control, key)) return true;
        // Enter in a multi-line edit presses the default button unless the
        // edit wants new lines.
        if (IsKeyEnter(key->key()) && key->modifiers() == Qt::NoModifier &&
            control.kind() == ControlKind::MultiLineEdit &&
            !control.HasStyle(resources::kStyleWantReturn)) {
            PressEnter();
            return true;
        }
    }
    return false;
}

}  // namespace recaster::qt
