// DialogView: the one renderer of every ui::Dialog. It makes a real widget
// per control of the dialog (placed by the template's dialog units in the
// font's metrics, tab order as in the template), routes the user's input
// through ui::DialogDriver so that the dialog's OnCommand runs exactly as in
// the headless tests, and mirrors every change the dialog code makes to its
// controls back into the widgets. Owner-drawn list rows are painted by the
// dialog's DrawItem on a QtCanvas.
//
// Widgets belong to controls, not ids (two controls may share an id); every
// widget is also named "control-<id>" so tests and tools can find it. Keys
// and typed characters reach the dialog (OnKeyDown, OnChar) before the
// widget sees them. The view holds no state of its own: the Dialog is the
// model, the widgets show it. Windows (DialogWindow, property sheets, the list window's bars) host
// a DialogView and react to its titleChanged/visibilityChanged/ended signals.
#pragma once

#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <map>

#include "ui/dialog.h"
#include "ui/dialog_units.h"

namespace recaster::qt {

class DialogView : public QWidget, private ui::DialogObserver {
    Q_OBJECT

  public:
    explicit DialogView(ui::Dialog& dialog, QWidget* parent = nullptr);
    ~DialogView() override;

    ui::Dialog& dialog() { return dialog_; }
    // The widget of control `id` (the first one with that id), or nullptr.
    QWidget* WidgetFor(int id) const;
    QWidget* WidgetFor(const ui::Control& control) const;
    // The template's size in pixels.
    QSize templateSize() const { return templateSize_; }
    QSize sizeHint() const override { return templateSize_; }
    const ui::DialogBaseUnits& baseUnits() const { return units_; }

    // Enter and Escape as the user's keys: the default button, Cancel.
    void PressEnter();
    void PressEscape();

    // Control `id` fills the whole view whenever the view is resized.
    void StretchControl(int id);
    // The buttons' "&" letters stay underlined but press nothing: the
    // window's keyboard accelerators own those keys (a list window's button
    // bar, whose Alt+N must reach the active window's view only).
    void LeaveMnemonicsToAccelerators();

  signals:
    void titleChanged(const QString& title);
    void visibilityChanged(bool visible);
    void ended(int result);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // DialogObserver
    void ControlChanged(const ui::Control& control, const ui::ControlChange& change) override;
    void ControlsAdded(const std::vector<ui::Control*>& added) override;
    void FocusChanged(ui::Control* oldFocus, ui::Control* newFocus) override;
    void TitleChanged(const std::string& title) override;
    void VisibilityChanged(bool visible) override;
    void Ended(int result) override;

    void Build(ui::Control& control);
    QWidget* MakeWidget(ui::Control& control);
    void Connect(ui::Control& control, QWidget* widget);
    void Place(const ui::Control& control, QWidget* widget);
    // A key or character for the dialog; true when it consumed it.
    bool RouteKey(ui::Control& control, QKeyEvent* event);
    void Sync(const ui::Control& control, ui::ControlAspect aspect, int row = -1);
    void SyncAll(const ui::Control& control);
    void SyncItems(const ui::Control& control, QWidget* widget);
    void SyncSelection(const ui::Control& control, QWidget* widget);
    void FixTabOrder();
    // Routes one user action; refreshes the control's widget afterwards,
    // because the dialog may refuse or adjust what the user did.
    template <class F>
    void UserAction(const ui::Control& control, F&& action);
    // Runs dialog code, showing what it throws instead of letting it unwind.
    template <class F>
    void Guarded(F&& f);
    void RefuseText(QWidget* widget, const QString& text);

    ui::Dialog& dialog_;
    ui::DialogBaseUnits units_;
    QSize templateSize_;
    std::map<const ui::Control*, QWidget*> widgets_;
    std::map<const QObject*, ui::Control*> controlOf_;
    // Set while the view changes widgets itself, so that the signals this
    // raises are not taken for the user's input.
    int updating_ = 0;
    int stretchId_ = 0;
    bool buttonMnemonics_ = true;
};

}  // namespace recaster::qt
