// The texts a report prints for values: names of enumerations, quoted
// values and target fields. A value outside its range prints an empty name,
// never a neighbouring text of the string table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "workforms/workform_catalog.h"

namespace recaster::report {

// String ids of the report's texts that the code names in more than one place.
enum ReportString : int {
    kStrComponentLabel = 6,  // "<%1>"
    kStrNoTarget = 82,       // "* Do Not Transfer"
    kStrReportTitle = 4002,  // "Recaster II Configuration Report"
    kStrNone = 4028,         // "< None >"
    kStrQuoted = 4029,       // "\"%1\""
    kStrYes = 4030,
    kStrNo = 4031,
    kStrListSeparator = 4032,  // ", "
    kStrAborted = 4120,
    kStrCompleted = 4121,
    kStrTargetField = 4130,  // "(%1) %2"
};

// A text of the configuration as the report prints it: up to its first NUL
// byte (configuration texts are terminated strings where they come from).
std::string_view PrintedText(std::string_view text);

// The value between two double-quote characters.
std::string Quoted(std::string_view value);
const std::string& YesNo(bool value);

// "Normal Text" .. "Author" for 0..7.
const std::string& FieldTypeName(int type);
// "No Conversion" .. "Smart Conversion" for 0..5; "Default" for -1 when
// `allowDefault` (a field's own setting).
const std::string& CaseConversionName(int value, bool allowDefault);
// "Title" .. "CODEN", "* Default" for kinds 0..7.
const std::string& ComponentName(int kind);
// The component name in angle brackets ("<>" outside 0..7).
std::string ComponentLabel(int kind);
// "Smith, Joseph S." .. for formats 0..7, from the hyphenated run when
// `hyphens` is on.
const std::string& AuthorExample(int format, bool hyphens);

// A target field in a workform: "* Do Not Transfer" for -1, else
// "(n) name" with n the 1-based field number and the name from `workform`.
std::string TargetText(int index, uint16_t workform, const workforms::WorkformCatalog& catalog);

}  // namespace recaster::report
