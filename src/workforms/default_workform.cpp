#include "workforms/default_workform.h"

namespace recaster::workforms {
namespace {

// Repeated names (Author Role, Medium Designator, Connective Phrase) are
// intended: each position plays that role for a different part of a record.
const WorkformRecord::FieldNames kDefaultFieldNames = {
    "Author, Analytic",
    "Author Role",
    "Author Affiliation",
    "Title, Analytic",
    "Medium Designator",
    "Connective Phrase",
    "Author, Monographic",
    "Author Role",
    "Title, Monographic",
    "Journal Title",
    "Title",
    "Reprint Status",
    "Place of Meeting",
    "Medium Designator",
    "Edition",
    "Author, Subsidiary",
    "Author Role",
    "Place of Publication",
    "Publisher Name",
    "Date of Publication",
    "Date of Copyright",
    "Volume ID",
    "Report ID",
    "Issue ID",
    "Location in Work",
    "Extent of Work",
    "Packaging Method",
    "Size",
    "Reproduction Ratio",
    "Series Editor",
    "Series Editor Role",
    "Series Title",
    "Series Volume ID",
    "Series Issue ID",
    "Document Type",
    "Connective Phrase",
    "Availability",
    "Location/URL",
    "CODEN",
    "ISSN",
    "ISBN",
    "Notes",
    "Abstract",
    "Call Number",
    "Keywords",
};

}  // namespace

WorkformRecord MakeWorkformFromNameTable(std::string_view name, WorkformId id,
                                         const WorkformRecord::FieldNames& names) {
    WorkformRecord::FieldNames fields = names;
    for (std::string& field : fields)
        if (field.empty()) field = kUnusedFieldName;
    return WorkformRecord(name, id, fields);
}

const WorkformRecord& DefaultWorkform() {
    static const WorkformRecord record =
        MakeWorkformFromNameTable(kDefaultWorkformName, kNoWorkform, kDefaultFieldNames);
    return record;
}

}  // namespace recaster::workforms
