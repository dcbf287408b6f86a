// The text form of a configuration: every member of every object as JSON, for
// version control, review as a diff and scripts. Object ids are left out (they
// are the store's business); keys come in a fixed order and the lists in
// their order, so equal configurations give equal text and a small change a
// small diff. config_import.h reads it back; the import of an export exports
// as the same text.
//
//   {
//     "textForm": 1,
//     "general":    {title, comments, flag},
//     "structure":  {tagLength, reserved, fixedWidthTagArea, tagAreaWidth,
//                    crFollowsTag, lineContinuation, continuationChar,
//                    defaultCaseConversion, recordEndMode, recordEndStringOn,
//                    tagFormat, fieldTerminator, emptyFieldFiller,
//                    recordEndString, recordHeaderFormat, fallbackDatabase,
//                    processMarcSubfields, subfieldIndicator},
//     "identifiers":  [{prefix, suffix}, ...],
//     "ignoredLines": [text, ...],
//     "databases": [                       the default database first
//       {name, description, workform, useDefaultParseFormat,
//        useDefaultAuthorFormat, authorFormat, hyphens, authorSeparator,
//        parseInfo: [7 x {kind, optional, precededBy, followedBy}],
//        docTypes:  [{name, workform}, ...],
//        fields:    [FIELD, ...]}, ...]
//   }
//   FIELD: {tag, description, type, defaultTarget, caseConversion,
//           compressSpaces, corporateAuthor, spaceChar, crOptions, beginsWith,
//           endsWith, subfieldPrecededBy, subfieldFollowedBy, separator,
//           crReplacementChar, crRepresentationChar,
//           alternateTargets: {"WORKFORM": index, ...}      by workform number,
//           parseFormats: {"DOCUMENT TYPE": {useDefault,
//                          rows: [7 x {component, optional, precededBy,
//                                      followedBy}]}, ...}  "" = the default,
//           separateMode, separatorText, replaceMatching, find, replace,
//           subfields: [FIELD, ...]}   only on a field that has subfields
//
// Values: texts in UTF-8 (Windows-1252 in the file, its five undefined bytes
// as U+0081, U+008D, U+008F, U+0090, U+009D); booleans of the model as
// true/false; every other number as stored: workforms by identifier (0 = A,
// 65535 = none), targets as 0-based field indexes (255 = do not transfer),
// parse format components as field numbers (254 = row not used). A parse row
// text is its 36-byte field up to the last byte that is not NUL: a NUL
// (\u0000) ends the text the importer reads, and bytes after it are kept.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <string>

#include "config/config_parts.h"

namespace recaster::textform {

inline constexpr int kTextFormVersion = 1;

// Loads each database's children on the way and releases the stored ones
// again. Raises ArchiveError or FileError when a record cannot be read.
nlohmann::ordered_json ExportConfig(config::ConfigParts& config);

// The JSON with two-space indentation and a final line feed.
std::string ExportText(config::ConfigParts& config);

// The pieces of the layout above, for other JSON views of a configuration
// (recaster-cfg show --json adds ids and names to them). `first` names a parse
// row's first byte: "kind" in a database's format, "component" in a field's.
nlohmann::ordered_json GeneralJson(const config::CCfgGenlInfo& general);
nlohmann::ordered_json StructureJson(const config::CCfgDFSInfo& structure);
nlohmann::ordered_json RowsJson(
    const std::array<config::ParseComponentRow, config::kParseRows>& rows, const char* first);
// One field without its subfields.
nlohmann::ordered_json FieldJson(const config::CCfgField& field);

}  // namespace recaster::textform
