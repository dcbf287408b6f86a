// Dialog: the base of every dialog of the program. It holds the live
// controls made from a dialog template and the dialog's behaviour in virtual
// functions that the concrete dialogs override. Front ends (the Qt one,
// HeadlessUi) run it:
//
//   1. Initialize(ui): OnInitDialog() runs, then the focus goes to the first
//      enabled, visible tab-stop control unless OnInitDialog placed it.
//   2. User input arrives through DialogDriver, which changes the controls as
//      the user would and calls Dispatch(control, notification); keys and
//      typed characters reach OnKeyDown / OnChar before the control's own
//      handling.
//   3. Dispatch gives OnCommand the first say; a click on IDOK or IDCANCEL
//      that OnCommand leaves alone runs OnOK() / OnCancel(), and one on
//      IDHELP (or F1) opens the help page HelpTopic().
//   4. EndDialog(result) marks the dialog ended; the front end then closes it.
//
// A view-only dialog (one that starts running while a ViewOnlyScope lives)
// shows its data and changes none of it: after OnInitDialog its edits are
// made read-only and its other controls disabled, except lists and the push
// buttons that only open another dialog (which is view-only in turn) or
// close this one; OK closes it as Cancel does, and it always ends with
// IDCANCEL, so its caller takes nothing from it.
//
// Controls are told apart by the Control object: an id is a control's name,
// and two controls may share one (a page added at run time can reuse an id of
// its dialog). The id helpers (Item(id), GetText(id), ...) address the first
// control with the id, in tab order.
//
// Changes made by dialog code never call OnCommand (only the user's do), and
// every change of a control, the focus, the title or the visibility is
// reported to the DialogObservers so a front end can mirror it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"
#include "ui/control.h"
#include "ui/dialog_units.h"
#include "ui/geometry.h"
#include "ui/keys.h"
#include "ui/message_box.h"

namespace recaster::ui {

class Canvas;
class Ui;

enum class Notification : uint8_t {
    Clicked,           // button, check box, radio button
    EditChanged,       // the user changed an edit's (or drop-down's) text
    SelectionChanged,  // the user chose another item of a list or combo box
    DoubleClicked,     // list box row
    KillFocus,
    SetFocus,
    MaxText,  // the user's text was cut to the text limit
};

// One owner-drawn row to paint.
struct DrawItemContext {
    Canvas& canvas;
    int controlId = 0;
    int row = -1;  // -1: the list is empty (draw the focus only)
    Rect rect;
    bool selected = false;
    bool focused = false;
    uint32_t itemData = 0;
    const Control* control = nullptr;  // the list being painted
};

// The height of an owner-drawn row (row -1: the fixed height of every row).
struct MeasureItemContext {
    int controlId = 0;
    int row = -1;
    int height = 0;  // preset to the front end's line height
    const Control* control = nullptr;
};

// `text` as a whole number, as a dialog reads a number edit: blanks around
// it and a leading "+" or "-" allowed; nothing when it is not one.
std::optional<int> ParseWholeNumber(std::string_view text);

class DialogObserver : public ControlObserver {
  public:
    void ControlChanged(const Control&, const ControlChange&) override {}
    virtual void ControlsAdded(const std::vector<Control*>& /*added*/) {}
    // Either may be null (no control had or has the focus).
    virtual void FocusChanged(Control* /*oldFocus*/, Control* /*newFocus*/) {}
    virtual void TitleChanged(const std::string& /*title*/) {}
    virtual void VisibilityChanged(bool /*visible*/) {}
    virtual void Ended(int /*result*/) {}
};

// While one lives with `on`, every dialog that starts running is view-only
// (see above): a read-only document's commands open their dialogs, and
// whatever dialogs those open, in one.
class ViewOnlyScope {
  public:
    explicit ViewOnlyScope(bool on = true);
    ~ViewOnlyScope();
    ViewOnlyScope(const ViewOnlyScope&) = delete;
    ViewOnlyScope& operator=(const ViewOnlyScope&) = delete;
    static bool Active();

  private:
    bool on_;
};

class Dialog : private ControlObserver {
  public:
    // From the program's template `templateId`; std::invalid_argument when
    // there is none (a programming error).
    explicit Dialog(int templateId);
    explicit Dialog(const resources::DialogTemplate& tmpl);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const resources::DialogTemplate& dialogTemplate() const { return *template_; }
    int templateId() const { return template_->id; }

    // Opens the help viewer on HelpTopic().
    void ShowHelp();

    // Runs the dialog modally on `ui` and returns the end result.
    int DoModal(Ui& ui);
    int DoModal();  // on CurrentUi()

    const std::string& title() const { return title_; }
    void SetTitle(std::string title);
    // Visibility of the dialog window itself. It starts hidden; a modal
    // dialog is shown while it runs, a modeless one when its code says so.
    bool visible() const { return visible_; }
    void SetVisible(bool on);

    // --- For front ends ---------------------------------------------------
    void Initialize(Ui& ui);
    // The front end has destroyed the window of a modeless dialog: it no
    // longer runs (ui() falls back to CurrentUi()).
    void Detach() { ui_ = nullptr; }
    // The user acted on `control`.
    void Dispatch(Control& control, Notification notification);
    // The same on the first control with `id`; a click on IDOK or IDCANCEL
    // arrives even when the dialog has no such button (Enter, Escape).
    void Dispatch(int id, Notification notification);
    // A key pressed in `control`, before the control's own handling; true
    // when the dialog consumed it.
    bool DispatchKey(Control& control, const KeyPress& key);
    // A character typed into `control`; true when the dialog consumed it.
    bool DispatchChar(Control& control, char ch) { return OnChar(control, ch); }
    bool IsEnded() const { return ended_; }
    int result() const { return result_; }
    bool IsRunning() const { return ui_ != nullptr && !ended_; }
    bool viewOnly() const { return viewOnly_; }
    // Painting and measuring owner-drawn rows: overridden by the dialogs
    // that have owner-drawn lists.
    virtual void DrawItem(DrawItemContext& context);
    virtual void MeasureItem(MeasureItemContext& context);
    void AddObserver(DialogObserver* observer);
    void RemoveObserver(DialogObserver* observer);
    // The pixel size of a dialog unit in the dialog's font, which the front
    // end sets before the dialog runs (headless: HeadlessCanvas's metrics).
    void SetBaseUnits(const DialogBaseUnits& units) { units_ = units; }
    const DialogBaseUnits& baseUnits() const { return units_; }
    // A rectangle in dialog units as pixels of the dialog's client area.
    Rect MapDialogRect(const resources::DialogRect& rect) const;

    // --- Controls -----------------------------------------------------------
    // The first control with `id`; Item throws std::out_of_range naming the
    // dialog and the id when there is none, FindItem returns nullptr.
    Control& Item(int id);
    const Control& Item(int id) const;
    Control* FindItem(int id);
    const Control* FindItem(int id) const;
    // All controls in tab order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Makes the controls of `page` controls of this dialog, moved by the
    // origin (dialog units) and placed in tab order right after the control
    // `afterId` (at the end when there is none). Returns them in order.
    std::vector<Control*> AddControls(const resources::DialogTemplate& page, int originX,
                                      int originY, int afterId);

    // --- Helpers for dialog code -------------------------------------------
    std::string GetText(int id) const;
    void SetText(int id, std::string text);
    // The text as a whole number (blanks around it allowed), or nothing.
    std::optional<int> GetInt(int id) const;
    void SetInt(int id, int value);
    bool IsChecked(int id) const;  // state 1
    int CheckState(int id) const;
    void Check(int id, int state = 1);
    // Checks `id` and clears every other control with an id in first..last.
    void CheckRadio(int first, int last, int id);
    // The id of the checked control in first..last, or 0.
    int CheckedRadio(int first, int last) const;
    void Enable(int id, bool on = true);
    bool IsEnabled(int id) const;
    void Show(int id, bool on = true);
    bool IsShown(int id) const;
    void SetTextLimit(int id, size_t limit);

    // The id of the control with the focus; 0 when none has it.
    int Focus() const;
    Control* FocusedControl() const { return focus_; }
    void SetFocusTo(int id);  // 0: no control
    void SetFocusTo(Control* control);
    // Focus to the control; an edit (single- or multi-line, or the edit of a
    // combo box) also gets its whole text selected.
    void GotoControl(int id);
    void GotoControl(Control& control);

    void EndDialog(int result);

    // Shows string `stringId` with %1 and %2 filled from `args` and returns
    // the pressed button. The default flags are those of a failed check.
    int MessageBox(int stringId, std::initializer_list<std::string_view> args = {},
                   uint32_t flags = MB_OK | MB_ICONEXCLAMATION);

    // List and combo boxes (see Control for the rules).
    int AddItem(int id, std::string text, uint32_t data = 0);
    int InsertItem(int id, int index, std::string text, uint32_t data = 0);
    bool DeleteItem(int id, int index);
    void ResetContent(int id);
    int GetCount(int id) const;
    int GetCurSel(int id) const;
    bool SetCurSel(int id, int index);
    // Item data of `index`, or nothing when there is no such item.
    std::optional<uint32_t> GetItemData(int id, int index) const;
    bool SetItemData(int id, int index, uint32_t data);
    std::string GetItemText(int id, int index) const;
    int FindItemData(int id, uint32_t data) const;
    int FindStringExact(int id, std::string_view text, int after = -1) const;
    void InvalidateItem(int id, int row);

    // The Ui running the dialog, else CurrentUi().
    Ui& ui() const;

  protected:
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Returns true when the command was handled.
    virtual bool OnCommand(Control& /*control*/, Notification /*notification*/) { return false; }
    // The page of the help that explains this dialog; empty: the contents.
    virtual std::string HelpTopic() const { return {}; }
    // Keys and typed characters, before the control's own handling; true
    // consumes them.
    virtual bool OnKeyDown(Control& /*control*/, const KeyPress& /*key*/) { return false; }
    virtual bool OnChar(Control& /*control*/, char /*ch*/) { return false; }
    // Whether the push button `button` changes the data itself (rather than
    // opening a dialog that does): a view-only dialog disables it.
    virtual bool ButtonChangesData(const Control& /*button*/) const { return false; }

  private:
    friend class PropertySheet;
    friend class DialogDriver;

    void ControlChanged(const Control& control, const ControlChange& change) override;
    void Adopt(Control& control);
    void ResetForRun(Ui& ui);
    // Locks `control` as a view-only dialog shows it.
    void LockForViewing(Control& control);
    template <class F>
    void NotifyObservers(F&& f);

    const resources::DialogTemplate* template_;
    std::string title_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<DialogObserver*> observers_;
    Ui* ui_ = nullptr;
    DialogBaseUnits units_{6, 13};
    Control* focus_ = nullptr;
    bool visible_ = false;
    bool ended_ = false;
    int result_ = 0;
    bool viewOnly_ = false;
};

}  // namespace recaster::ui
