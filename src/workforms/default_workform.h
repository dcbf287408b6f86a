// The built-in default workform: what every lookup answers with when the
// catalog holds no workform of the identifier or name asked for.
#pragma once

#include "workforms/workform_record.h"

namespace recaster::workforms {

inline constexpr const char* kDefaultWorkformName = "<Default>";

// Builds a record from a table of names, putting "---" in place of an empty
// name (a table has no other way to say "not used").
WorkformRecord MakeWorkformFromNameTable(std::string_view name, WorkformId id,
                                         const WorkformRecord::FieldNames& names);

// The process-wide default workform: name "<Default>", identifier 65535, the
// 45 generic field names, all in use. Built on first use, lives until exit.
const WorkformRecord& DefaultWorkform();

}  // namespace recaster::workforms
