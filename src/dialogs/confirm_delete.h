// ConfirmDelete: the one question asked before anything is deleted:
// "Are you sure you want to delete Database "MEDLINE"?", with OK and Cancel.
#pragma once

#include <optional>
#include <string>

#include "ui/ui.h"

namespace recaster::dialogs {

// Labels of the question (string ids).
enum DeleteLabel : int {
    kLabelDatabase = 2001,
    kLabelField = 2002,
    kLabelSubfield = 2003,
    kLabelDocumentType = 2004,
    // A field that owns subfields: asked as a field, with the warning that
    // its subfields go too put in front.
    kLabelFieldWithSubfields = 2007,
};

enum : int { kMsgConfirmDelete = 2000 };

// True when the user pressed OK. `name` (Windows-1252) is the item's name;
// without one the question leaves its quotes empty.
bool ConfirmDelete(ui::Ui& ui, int labelId, const std::optional<std::string>& name);

}  // namespace recaster::dialogs
