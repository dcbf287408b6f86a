// FieldOptionPage: one options page of Field Information, holding the
// options of one field type. A page has no window of its own: its controls,
// read from its template, become controls of the dialog, in the lower right
// area and in tab order after "Compress &Multiple Spaces". The dialog makes a
// page the first time its type is chosen and shows one page at a time.
//
// A page keeps its values between the field and its controls: Exchange moves
// them to or from the controls, LoadFromField and SaveToField to or from the
// field. Members that two pages edit (the find and replace options of the two
// text pages) travel through the field: the page being left saves, the page
// being shown loads.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace recaster::config {
class CCfgField;
}

namespace recaster::dialogs {

// What a page needs of the dialog that holds it.
class FieldPageHost {
  public:
    virtual ui::Dialog& HostDialog() = 0;
    // A "Replace &matching text:" check box was clicked, or a page with one
    // was made: the find and replace edits of every page follow `on`.
    virtual void SetFindReplaceEnabled(bool on) = 0;
    // The tag as the user has typed it so far, upper-cased.
    virtual std::string TypedTag() const = 0;

  protected:
    ~FieldPageHost() = default;
};

class FieldOptionPage {
  public:
    FieldOptionPage(int templateId, config::CCfgField& field, FieldPageHost& host);
    virtual ~FieldOptionPage() = default;
    FieldOptionPage(const FieldOptionPage&) = delete;
    FieldOptionPage& operator=(const FieldOptionPage&) = delete;

    int templateId() const { return template_.id; }
    // The text of the frame around the page ("Options -- Normal Text").
    std::string title() const { return std::string(template_.title); }

    // Makes the template's controls controls of the dialog, moved by the
    // page origin (dialog units) and placed in tab order right after the
    // control `afterId`; then Initialize.
    void Create(int originX, int originY, int afterId);
    // Loads every value from the field, fills the controls and applies the
    // enabling rules.
    virtual void Initialize();
    void Show(bool on);
    // Values into the field.
    virtual void SaveToField() = 0;
    // Values from the field.
    virtual void LoadFromField() = 0;
    // Values into the controls (`save` false) or out of them (true).
    virtual void Exchange(bool save) = 0;
    // LoadFromField, Exchange into the controls, enabling: a page shown
    // again.
    void Reload();

    // The user acted on `control`; true when it is the page's and was
    // handled.
    virtual bool OnCommand(ui::Control& /*control*/, ui::Notification /*notification*/) {
        return false;
    }
    // Enables or disables the page's find and replace edits, if it has any.
    virtual void EnableFindReplace(bool /*on*/) {}

    const std::vector<ui::Control*>& controls() const { return controls_; }
    bool Owns(const ui::Control& control) const;

  protected:
    // The page's own control with `id` (not the dialog's of the same id).
    ui::Control& Ctl(int id) const;
    virtual void UpdateEnabling() {}

    ui::Dialog& dialog() { return host_.HostDialog(); }
    config::CCfgField& field() { return field_; }
    FieldPageHost& host() { return host_; }

  private:
    const resources::DialogTemplate& template_;
    config::CCfgField& field_;
    FieldPageHost& host_;
    std::vector<ui::Control*> controls_;
};

// A check box's state as a stored flag that may hold any nonzero value: the
// value stays as it was unless the box now says otherwise.
uint32_t FlagFromCheck(const ui::Control& box, uint32_t stored);

}  // namespace recaster::dialogs
