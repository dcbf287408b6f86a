// ParsedFormatDialog (template 314, "Parsed Field Format for '<tag>'"): how
// a Parsed field splits into target fields, one format per document type of
// its database plus the default format ("* Default"). Each format has seven
// rows: the text before a piece, the piece's target field (the component),
// the text after it, and whether the piece may be missing. The example below
// the rows shows the field as the current format reads it.
//
// The dialog edits a copy of the field's formats that its caller hands in;
// the caller puts the copy into the field when the dialog returns IDOK.
// Every format the user looked at is in the copy then, changed or not;
// formats of document types never chosen are not created.
#pragma once

#include <array>
#include <string>

#include "config/bucket_map.h"
#include "config/parse_row.h"
#include "ui/dialog.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
class CCfgField;
}

namespace recaster::dialogs {

// A field's formats by document type name ("" = the default format).
using ParseFormatSet = config::BucketMap<std::string, config::CCfgParseFormat>;

class ParsedFormatDialog : public ui::Dialog {
  public:
    enum : int {
        kTemplateId = 314,
        kDocumentType = 1001,
        kUseDefault = 1002,
        kWorkform = 1003,
        kExample = 194,
        kPrecededByCaption = 235,
        kComponentCaption = 236,
        kFollowedByCaption = 237,
        kExampleCaption = 238,
        // Row r (0..6) of each column.
        kPrecededBy = 411,
        kFollowedBy = 421,
        kComponent = 431,
        kOptional = 441,
    };
    static constexpr int kRows = 7;
    static constexpr size_t kMaxText = 35;

    // `formats` is the copy to edit; it must outlive the dialog. The field
    // gives the title's tag and the database whose document types are
    // offered (none when the field is in no list yet).
    ParsedFormatDialog(const config::CCfgField& field, ParseFormatSet& formats,
                       const workforms::WorkformCatalog& catalog = workforms::Workforms());

    // The tag the title names instead of the field's stored one (the tag
    // being typed in Field Information).
    void SetTag(std::string tag) { tag_ = std::move(tag); }

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(ui::Control& control, ui::Notification notification) override;
    std::string HelpTopic() const override { return "field_dialogs.html"; }

  private:
    // The format's key of document type item `item`: "" for "* Default".
    std::string KeyOf(int item) const;
    workforms::WorkformId WorkformOf(int item) const;
    void FillComponents(workforms::WorkformId workform);
    void LoadFormat();
    // Checks the texts and stores the controls under the current key; false
    // (with the message shown) when a text is too long.
    bool StoreFormat();
    void UpdateEnabling();
    void BuildExample();
    void SwitchDocumentType();
    // The row (0..6) of one of the rows' controls, or -1.
    int RowOf(const ui::Control& control) const;

    const config::CCfgField& field_;
    ParseFormatSet& formats_;
    const workforms::WorkformCatalog& catalog_;
    std::string tag_;
    int current_ = 0;  // the document type item whose format is in the controls
    // The loaded format's values that the controls may not show: the
    // use-default word and each row's component, kept when its box has no
    // choice.
    uint32_t useDefault_ = 1;
    std::array<uint8_t, kRows> components_{};
};

}  // namespace recaster::dialogs
