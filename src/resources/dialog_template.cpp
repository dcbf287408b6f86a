// Lookup of the program's dialog templates.
#include "resources/dialog_template.h"

#include <array>

namespace recaster::resources {

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId) return &c;
    }
    return nullptr;
}

// Every table of templates. Each resources/dialogs_*.cpp file defines one
// table (`extern const std::span<const DialogTemplate> kXxxDialogs;`, declared
// above this list) and adds it here; listing the tables, rather than having
// them register themselves during static initialisation, keeps them linked
// in from the static library.
extern const std::span<const DialogTemplate> kDocumentDialogs;
extern const std::span<const DialogTemplate> kViewDialogs;
extern const std::span<const DialogTemplate> kStructureDialogs;
extern const std::span<const DialogTemplate> kDatabaseDialogs;
extern const std::span<const DialogTemplate> kReportDialogs;
extern const std::span<const DialogTemplate> kConvertDialogs;
extern const std::span<const DialogTemplate> kFieldDialogs;

static const std::span<const DialogTemplate> kAllTables[] = {
    kDocumentDialogs, kViewDialogs,    kStructureDialogs, kDatabaseDialogs,
    kReportDialogs,   kConvertDialogs, kFieldDialogs,
};

const DialogTemplate* FindDialogTemplate(int id) {
    for (std::span<const DialogTemplate> table : kAllTables) {
        for (const DialogTemplate& t : table) {
            if (t.id == id) return &t;
        }
    }
    return nullptr;
}

}  // namespace recaster::resources
