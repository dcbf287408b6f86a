// CFldListView: the field list window's view. It shows one database's fields
// with their subfields right after them, keeps the count line ("12 fields
// have been defined", subfields counted), and runs New Field, Add
// Subfield, Delete and Modify through the field dialog, and Copy, Cut and
// Paste of fields and field sets.
#pragma once

#include <functional>
#include <string>

#include "config/lists.h"
#include "views/list_view.h"

namespace recaster::views {

class CFldListView : public ListView {
  public:
    // Edits `field` of `list` (a new one not in the list yet, or one of it)
    // and returns true on OK, the field then written back and saved. The
    // program's editor is the field information dialog; tests may give
    // another.
    using FieldEditor = std::function<bool(config::CCfgField& field, config::CCfgFieldList& list)>;
    static FieldEditor DefaultEditor(const workforms::WorkformCatalog& catalog);

    CFldListView(ViewDocument& document, config::CCfgDatabase& database,
                 const workforms::WorkformCatalog& catalog, FieldEditor editor);

    config::CCfgDatabase& database() const { return database_; }
    config::CCfgFieldList& fieldList() const { return *database_.GetFieldList(); }
    // The field of the current row, or null.
    config::CCfgField* SelectedField() const;
    // "1 field has been defined", "12 fields have been defined".
    std::string CountLine() const override;
    std::string HelpTopic() const override { return "field_list.html"; }

    // New Field: the field dialog for a new field; OK adds and selects it.
    void NewField();
    // Add Subfield: the same for a subfield of the selected Parsed with
    // Subfields field, or of the selected subfield's parent.
    void AddSubfield();
    // Delete: asks (a field that owns subfields says they go too), removes
    // the field with its subfields, and selects the row now at its place.
    void DeleteField();
    // Modify: the field dialog for the selected field; OK selects it where
    // a new tag moved it.
    void ModifyField();

    // --- The clipboard (field_list_clipboard.cpp) --------------------------
    // Puts the selected field on the clipboard, as a field set with its
    // subfields when it owns any; false, with a note in the status line,
    // when it could not.
    bool CopyFields();
    // Copy, then Delete without asking.
    void CutFields();
    // Adds the clipboard's field or field set under new ids. A single field
    // of another type than Parsed with Subfields becomes a subfield of the
    // selected Parsed with Subfields field, or a sibling of the selected
    // subfield; a tag the list has already is refused and offered for a new
    // tag in the field dialog. Data that is not a usable field is refused
    // with a message; nothing is added then, nor when adding fails half way.
    void PasteFields();

  private:
    config::CCfgAbstractList* ShownList() override { return &fieldList(); }
    // The field a new subfield belongs to, or null when the selection
    // offers none.
    config::CCfgField* SubfieldParent() const;
    bool ClipboardHoldsFields() const;
    // Runs the editor on a new field of the list; OK adds it.
    void AddNew(config::CCfgField* parent);
    // Removes the field of row `index` with its subfields, selects the row
    // that takes its place.
    void RemoveSelected(int index);

    config::CCfgDatabase& database_;
    FieldEditor editor_;
};

}  // namespace recaster::views
