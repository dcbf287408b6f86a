// Enumerations shared by the configuration model, the dialogs, the views and
// the report. Display texts come from the string table (resources/strings.h).
#pragma once

#include <cstdint>

namespace recaster::config {

enum CfgFieldType : uint16_t {
    kFieldNormalText = 0,
    kFieldMultiText = 1,
    kFieldDate = 2,
    kFieldParsed = 3,
    kFieldParsedWithSubfields = 4,
    kFieldDocumentType = 5,
    kFieldLiteralStream = 6,
    kFieldAuthor = 7,
};

enum CfgCaseConversion : int16_t {
    kCaseDefault = -1,
    kCaseNone = 0,
    kCaseUpperAll = 1,
    kCaseLowerAll = 2,
    kCaseTitle = 3,
    kCaseSentence = 4,
    kCaseSmart = 5,
};

enum CfgAuthorFormat : uint8_t {
    kAuthorFullFirst = 0,  // "Smith, Joseph S."
    kAuthorInitialsDotted = 1,
    kAuthorInitialsJoined = 2,
    kAuthorInitialsSpaced = 3,
    kAuthorNoCommaFull = 4,
    kAuthorNoCommaDotted = 5,
    kAuthorNoCommaJoined = 6,
    kAuthorNoCommaSpaced = 7,
};

enum CfgLineContinuation : uint16_t {
    kContinuationIndented = 0,
    kContinuationLeftMargin = 1,
    kContinuationSpecialChar = 2,
};

enum CfgRecordEnd : uint8_t {
    kRecordEndNone = 0,
    kRecordEndOneBlank = 1,
    kRecordEndTwoBlanks = 2,
    kRecordEndNoneSecondRadio = 3,
};

enum CfgParseKind : uint8_t {
    kParseTitle = 0,
    kParseVolume = 1,
    kParseIssue = 2,
    kParsePages = 3,
    kParseDate = 4,
    kParseIssn = 5,
    kParseCoden = 6,
    kParseNone = 7,
};

inline constexpr uint8_t kNoTarget = 0xFF;    // "* Do Not Transfer"
inline constexpr uint8_t kNoAlternate = 254;  // no alternate target for a workform
inline constexpr uint8_t kRowNotUsed = 254;   // a parse format row that is not in use
inline constexpr uint16_t kDefaultWorkform = 0xFFFF;

}  // namespace recaster::config
