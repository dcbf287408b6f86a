// FieldInfoDialog (template 316, "Field Information"): one field of a
// database: tag, description, default target, type and the options of the
// type (on the options page in the lower right area, FieldOptionPage), case
// conversion, the text around the field and how it joins text already in the
// target field. "Target &Fields..." edits the alternate targets per workform
// and the Parsed page's "E&dit Format" the parsed field formats.
//
// The field is edited in place while the dialog runs (the pages and the two
// dialogs it opens change it); OK checks, writes the rest, saves the field
// and, when it is in the list, moves it to its place. Cancel puts every
// member back as it was when the dialog opened. A field that is opened and
// closed with OK keeps what the user did not touch: the space character and
// the separator text, whose edits show them in another form, are written
// back only when the user changed them.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "config/field.h"
#include "dialogs/field_option_page.h"
#include "dialogs/target_field_combo_box.h"
#include "ui/dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgFieldList;
}

namespace recaster::dialogs {

class FieldInfoDialog : public ui::Dialog, private FieldPageHost {
  public:
    enum : int {
        kTemplateId = 316,
        kTag = 157,
        kDescription = 158,
        kBeginsWith = 159,
        kEndsWith = 160,
        kSpaceChar = 161,
        kTarget = 200,
        kType = 201,
        kCaseConversion = 202,
        kCompressSpaces = 203,
        kTargetFields = 206,
        kPageOrigin = 226,  // hidden: its top left corner is the pages' origin
        kPageFrame = 227,   // the frame titled with the page's text
        kSeparatorText = 1006,
        // Separate modes 0, 1, 2. Options pages reuse 1009 for a check box.
        kAutomatic = 1007,
        kText = 1008,
        kReplaceExisting = 1009,
    };
    enum : int {
        kMsgDeleteSubfieldsFirst = 1090,
        kMsgDuplicateField = 4141,
        kMsgDuplicateSubfield = 4142,
        kMsgEmptyTag = 4145,
        kMsgSubfieldType = 4147,
    };
    static constexpr size_t kMaxSeparatorText = 31;
    static constexpr size_t kMaxSpaceChar = 1;
    static constexpr int kTypeCount = 8;  // field types 0..7

    // `field` may be new and not yet in `list`; the caller has set its owner
    // (field.owner = &list) and, for a subfield, its parent (field.parent
    // and/or parentId) before. On OK the field is written back and saved,
    // and when it is in the list, repositioned (CCfgFieldList::Reposition).
    // On Cancel the field is exactly as it was when the dialog opened.
    FieldInfoDialog(config::CCfgField& field, config::CCfgFieldList& list,
                    const workforms::WorkformCatalog& catalog = workforms::Workforms());
    ~FieldInfoDialog() override;

    // The page shown now; null for a type without options.
    FieldOptionPage* shownPage() const { return shown_; }
    // The page of field type `type` when it has been made, else null.
    FieldOptionPage* page(int type) const;
    // The dialog's own control `id` (a page's control of the same id is
    // another one).
    ui::Control& OwnControl(int id);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "field_dialogs.html"; }

  private:
    // FieldPageHost
    ui::Dialog& HostDialog() override { return *this; }
    void SetFindReplaceEnabled(bool on) override;
    std::string TypedTag() const override;

    // Leaves the shown page (its values into the field) and shows the page
    // of `type`, made now if need be, with the field's values.
    void ShowPage(int type);
    std::unique_ptr<FieldOptionPage> MakePage(int type);
    void TypeChanged();
    void SelectSeparateMode(uint32_t mode);
    // The user changed the edit, or it no longer shows what it showed.
    bool SpaceCharChanged() const;
    bool SeparatorTextChanged() const;
    // The checks of OK, in order; false when one failed (message shown).
    bool CheckEntries();
    void WriteBack();

    config::CCfgField& field_;
    config::CCfgFieldList& list_;
    const workforms::WorkformCatalog& catalog_;
    // The field as it was when the dialog opened, for Cancel.
    std::unique_ptr<config::CCfgField> opened_;
    // The controls of the template, found before any page shares their ids.
    std::array<ui::Control*, 3> modeRadios_{};
    ui::Control* separatorText_ = nullptr;
    ui::Control* spaceChar_ = nullptr;
    TargetFieldComboBox targets_;
    // What the two edits showed when the dialog opened, and whether the user
    // has typed into them since.
    std::string spaceCharShown_;
    std::string separatorTextShown_;
    bool spaceCharTyped_ = false;
    bool separatorTextTyped_ = false;
    std::array<std::unique_ptr<FieldOptionPage>, kTypeCount> pages_;
    FieldOptionPage* shown_ = nullptr;
    // The page shown last, now or before a type without options: its values
    // of the members two pages share are the newest.
    FieldOptionPage* lastShown_ = nullptr;
};

}  // namespace recaster::dialogs
