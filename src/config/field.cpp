// Field record ('CFlD') and clipboard form.
//
// Ten-byte block:
//   offset size item
//   0      1    default target index (0xFF = none)
//   1      1    0
//   2      2    case conversion (i16, -1 = default)
//   4      1    flags: bit 0 compress spaces, bit 1 corporate author
//   5      1    0
//   6      1    space character
//   7      1    CR options
//   8      2    field type
// then nine texts: tag, description, begins with, ends with, subfield tag
// preceded by, subfield tag followed by, separator, CR replacement character,
// CR representation character.
//
// Record, version 3 (after block and texts):
//   u32 parent id (-1 = top level)
//   u32 old targets id, written FFFFFFFF
//   count, then per entry: u16 workform, u8 target index  (alternate targets)
//   u32 0, u32 old parse information id, written FFFFFFFF
//   count, then per entry: text document type, parse format  (parse formats)
//   u32 separate mode, text separator
//   u32 replace matching, text find, text replace
// Older records end after the alternate targets, or after any later item;
// what is missing takes its new-object value, and a Parsed field without
// parse formats gets them built from the old ids.
//
// Record, version 2 (after block and texts):
//   u32 parent id, u32 old targets id,
//   26 bytes: alternate target index for workforms 0..25 (254 = none)
// The parse formats are then built from the old targets for every field.
//
// Clipboard form (after block and texts): the alternate targets, the parse
// formats, separate mode, separator, replace matching, find, replace, as in
// the record; no parent id and no old ids.
//
// Map entries are written in the map's own iteration order.
#include "config/field.h"

#include "config/class_registration.h"
#include "config/lists.h"
#include "config/parse_formats.h"
#include "workforms/workform_loader.h"

namespace recaster::config {
namespace {

constexpr size_t kOldWorkforms = 26;
// Smallest encodings of a map entry, to bound a count before anything is
// allocated: u16 + u8, and empty text + u32 + seven rows.
constexpr size_t kTargetEntryBytes = 3;
constexpr size_t kFormatEntryBytes = 1 + 4 + kParseRows * kParseRowBytes;

}  // namespace

const RuntimeClass CCfgField::kClass{"CCfgField", 0, &CreateArchiveObject<CCfgField>};
namespace {
[[maybe_unused]] const bool kRegistered = RegisterRuntimeClass(CCfgField::kClass);
}

CCfgField::CCfgField(const CCfgField& other)
    : CPersistentObject(other),
      defaultTarget(other.defaultTarget),
      caseConversion(other.caseConversion),
      compressSpaces(other.compressSpaces),
      corporateAuthor(other.corporateAuthor),
      spaceChar(other.spaceChar),
      crOptions(other.crOptions),
      type(other.type),
      tag(other.tag),
      description(other.description),
      beginsWith(other.beginsWith),
      endsWith(other.endsWith),
      subfieldPrecededBy(other.subfieldPrecededBy),
      subfieldFollowedBy(other.subfieldFollowedBy),
      separator(other.separator),
      crReplacementChar(other.crReplacementChar),
      crRepresentationChar(other.crRepresentationChar),
      alternateTargets(other.alternateTargets),
      parseFormats(other.parseFormats),
      separateMode(other.separateMode),
      separatorText(other.separatorText),
      replaceMatching(other.replaceMatching),
      findText(other.findText),
      replaceText(other.replaceText) {}

void CCfgField::WriteBlock(Archive& ar) const {
    ar.WriteU8(defaultTarget);
    ar.WriteU8(0);
    ar.WriteI16(caseConversion);
    ar.WritePackedFlags(compressSpaces, corporateAuthor);
    ar.WriteU8(0);
    ar.WriteU8(spaceChar);
    ar.WriteU8(crOptions);
    ar.WriteU16(type);
    for (const std::string* text :
         {&tag, &description, &beginsWith, &endsWith, &subfieldPrecededBy, &subfieldFollowedBy,
          &separator, &crReplacementChar, &crRepresentationChar}) {
        ar.WriteText(*text);
    }
}

void CCfgField::ReadBlock(Archive& ar) {
    ar.Require(10, "field block");
    defaultTarget = ar.ReadU8();
    ar.ReadU8();
    caseConversion = ar.ReadI16();
    std::tie(compressSpaces, corporateAuthor) = ar.ReadPackedFlags();
    ar.ReadU8();
    spaceChar = ar.ReadU8();
    crOptions = ar.ReadU8();
    type = ar.ReadU16();
    for (std::string* text :
         {&tag, &description, &beginsWith, &endsWith, &subfieldPrecededBy, &subfieldFollowedBy,
          &separator, &crReplacementChar, &crRepresentationChar}) {
        *text = ar.ReadText();
    }
}

namespace {

void WriteTargets(Archive& ar, const BucketMap<uint16_t, uint8_t>& map) {
    ar.WriteCount(static_cast<uint32_t>(map.size()));
    map.ForEach([&](const uint16_t& w, const uint8_t& index) {
        ar.WriteU16(w);
        ar.WriteU8(index);
    });
}

void ReadTargets(Archive& ar, BucketMap<uint16_t, uint8_t>& map) {
    map.Clear();
    const uint32_t count = ar.ReadCount(kTargetEntryBytes);
    for (uint32_t i = 0; i < count; ++i) {
        const uint16_t w = ar.ReadU16();
        const uint8_t index = ar.ReadU8();
        // 254 means "no alternate" and is never kept in the map.
        if (index != kNoAlternate) map.Set(w, index);
    }
}

void WriteFormats(Archive& ar, const BucketMap<std::string, CCfgParseFormat>& map) {
    ar.WriteCount(static_cast<uint32_t>(map.size()));
    map.ForEach([&](const std::string& name, const CCfgParseFormat& format) {
        ar.WriteText(name);
        format.Write(ar);
    });
}

void ReadFormats(Archive& ar, BucketMap<std::string, CCfgParseFormat>& map) {
    map.Clear();
    const uint32_t count = ar.ReadCount(kFormatEntryBytes);
    for (uint32_t i = 0; i < count; ++i) {
        std::string name = ar.ReadText();
        CCfgParseFormat format;
        format.Read(ar);
        map.Set(name, format);
    }
}

}  // namespace

void CCfgField::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        WriteBlock(ar);
        WriteTargets(ar, alternateTargets);
        WriteFormats(ar, parseFormats);
        ar.WriteU32(separateMode);
        ar.WriteText(separatorText);
        ar.WriteU32(replaceMatching);
        ar.WriteText(findText);
        ar.WriteText(replaceText);
        return;
    }
    ReadBlock(ar);
    ReadTargets(ar, alternateTargets);
    ReadFormats(ar, parseFormats);
    separateMode = ar.ReadU32();
    separatorText = ar.ReadText();
    replaceMatching = ar.ReadU32();
    findText = ar.ReadText();
    replaceText = ar.ReadText();
    parentId = kNoId;
    parent = nullptr;
}

void CCfgField::PersistWrite(Archive& ar) {
    if (ar.IsStoring()) {
        WriteBlock(ar);
        ar.WriteU32(parentId);
        ar.WriteU32(kNoId);
        WriteTargets(ar, alternateTargets);
        ar.WriteU32(0);
        ar.WriteU32(kNoId);
        WriteFormats(ar, parseFormats);
        ar.WriteU32(separateMode);
        ar.WriteText(separatorText);
        ar.WriteU32(replaceMatching);
        ar.WriteText(findText);
        ar.WriteText(replaceText);
        return;
    }

    ReadBlock(ar);
    parentId = ar.ReadU32();
    parent = nullptr;
    const uint32_t oldTargetsId = ar.ReadU32();
    uint32_t oldParseInfoId = kNoId;
    parseFormats.Clear();
    separateMode = 0;
    separatorText.clear();
    replaceMatching = 0;
    findText.clear();
    replaceText.clear();

    bool build = false;
    if (ReadingVersion2(ar)) {
        alternateTargets.Clear();
        ar.Require(kOldWorkforms, "version-2 alternate targets");
        for (uint16_t w = 0; w < kOldWorkforms; ++w) {
            const uint8_t index = ar.ReadU8();
            if (index != kNoAlternate) alternateTargets.Set(w, index);
        }
        build = true;
    } else {
        ReadTargets(ar, alternateTargets);
        bool haveFormats = false;
        if (ar.Remaining() > 0) {
            ar.ReadU32();
            if (ar.Remaining() > 0) oldParseInfoId = ar.ReadU32();
            if (ar.Remaining() > 0) {
                ReadFormats(ar, parseFormats);
                haveFormats = true;
            }
        }
        if (ar.Remaining() > 0) {
            separateMode = ar.ReadU32();
            separatorText = ar.ReadText();
        }
        if (ar.Remaining() > 0) {
            replaceMatching = ar.ReadU32();
            findText = ar.ReadText();
            replaceText = ar.ReadText();
        }
        build = !haveFormats && type == kFieldParsed;
    }
    // Last, because building saves the field's record.
    if (build) BuildParseFormats(*this, oldTargetsId, oldParseInfoId, workforms::Workforms());
}

void CCfgField::Attach(CStoreLink* link, uint32_t id) {
    if (parent) parentId = parent->GetId();
    CPersistentObject::Attach(link, id);
}

uint8_t CCfgField::AlternateTarget(uint16_t w) const {
    const uint8_t* index = alternateTargets.Find(w);
    return index ? *index : kNoAlternate;
}

void CCfgField::SetAlternateTarget(uint16_t w, uint8_t index) {
    if (index == kNoAlternate) {
        alternateTargets.Remove(w);
    } else {
        alternateTargets.Set(w, index);
    }
}

bool CCfgField::HasSubfields() const {
    if (type != kFieldParsedWithSubfields || !owner) return false;
    const int index = owner->IndexOf(this);  // 0-based, -1 when absent
    if (index < 0) return false;
    const CCfgField* next = owner->Field(index + 2);
    return next && next->IsSubfield();
}

CCfgField* CCfgField::Parent() {
    if (parent || parentId == kNoId || !owner) return parent;
    for (int i = 1; i <= owner->GetCount(); ++i) {
        CCfgField* candidate = owner->Field(i);
        if (candidate && candidate != this && candidate->GetId() == parentId) {
            parent = candidate;
            break;
        }
    }
    return parent;
}

}  // namespace recaster::config
