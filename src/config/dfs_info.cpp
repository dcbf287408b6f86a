// Download file structure record ('CDFS'):
//
//   offset  size  item
//   0       1     tag length (0 = variable)
//   1       1     reserved, kept as read
//   2       1     tag area width
//   3       1     flags: bit 0 CR follows tag, bit 1 fixed-width tag area
//   4       2     line continuation
//   6       1     continuation character
//   7       1     0
//   8       2     default case conversion
//   10      1     record end mode
//   11      1     record end string on
//   12      -     texts: tag format, field terminator, empty field filler,
//                 record end string, record header format
//   -       -     text fallback database name          (older records end before)
//   -       -     u8 process MARC subfields, text subfield indicator (likewise)
//
// Older records stop after the record header format or after the fallback
// database name; the missing items keep their defaults (no fallback, MARC off,
// indicator 0x87).
#include "config/dfs_info.h"

#include <tuple>

#include "config/class_registration.h"

namespace recaster::config {

const RuntimeClass CCfgDFSInfo::kClass{"CCfgDFSInfo", 0, &CreateArchiveObject<CCfgDFSInfo>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgDFSInfo::kClass);
}

CCfgDFSInfo& CCfgDFSInfo::operator=(const CCfgDFSInfo& other) {
    tagLength = other.tagLength;
    reserved = other.reserved;
    fixedWidthTagArea = other.fixedWidthTagArea;
    tagAreaWidth = other.tagAreaWidth;
    crFollowsTag = other.crFollowsTag;
    lineContinuation = other.lineContinuation;
    continuationChar = other.continuationChar;
    defaultCaseConversion = other.defaultCaseConversion;
    recordEndMode = other.recordEndMode;
    recordEndStringOn = other.recordEndStringOn;
    tagFormat = other.tagFormat;
    fieldTerminator = other.fieldTerminator;
    emptyFieldFiller = other.emptyFieldFiller;
    recordEndString = other.recordEndString;
    recordHeaderFormat = other.recordHeaderFormat;
    fallbackDatabase = other.fallbackDatabase;
    processMarcSubfields = other.processMarcSubfields;
    subfieldIndicator = other.subfieldIndicator;
    Save();
    return *this;
}

void CCfgDFSInfo::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU8(tagLength);
        ar.WriteU8(reserved);
        ar.WriteU8(tagAreaWidth);
        ar.WritePackedFlags(crFollowsTag, fixedWidthTagArea);
        ar.WriteU16(lineContinuation);
        ar.WriteU8(continuationChar);
        ar.WriteU8(0);
        ar.WriteU16(defaultCaseConversion);
        ar.WriteU8(recordEndMode);
        ar.WriteBool(recordEndStringOn);
        ar.WriteText(tagFormat);
        ar.WriteText(fieldTerminator);
        ar.WriteText(emptyFieldFiller);
        ar.WriteText(recordEndString);
        ar.WriteText(recordHeaderFormat);
        ar.WriteText(fallbackDatabase);
        ar.WriteBool(processMarcSubfields);
        ar.WriteText(subfieldIndicator);
        return;
    }
    tagLength = ar.ReadU8();
    reserved = ar.ReadU8();
    tagAreaWidth = ar.ReadU8();
    std::tie(crFollowsTag, fixedWidthTagArea) = ar.ReadPackedFlags();
    lineContinuation = ar.ReadU16();
    continuationChar = ar.ReadU8();
    ar.ReadU8();
    defaultCaseConversion = ar.ReadU16();
    recordEndMode = ar.ReadU8();
    recordEndStringOn = ar.ReadBool();
    tagFormat = ar.ReadText();
    fieldTerminator = ar.ReadText();
    emptyFieldFiller = ar.ReadText();
    recordEndString = ar.ReadText();
    recordHeaderFormat = ar.ReadText();
    fallbackDatabase.clear();
    processMarcSubfields = false;
    subfieldIndicator = std::string(1, kDefaultSubfieldIndicator);
    if (ar.Remaining() == 0) return;
    fallbackDatabase = ar.ReadText();
    if (ar.Remaining() == 0) return;
    processMarcSubfields = ar.ReadBool();
    subfieldIndicator = ar.ReadText();
}

}  // namespace recaster::config
