// One field definition of a database ('CFlD'): where a downloaded field goes
// and how its text is treated.
#pragma once

#include <string>

#include "config/bucket_map.h"
#include "config/enums.h"
#include "config/parse_row.h"
#include "config/persistent_object.h"

namespace recaster::config {

class CCfgFieldList;

class CCfgField : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgField() : CPersistentObject(FourCC("CFlD")) {}
    // Copies everything stored; owner and parent pointer null, parent id -1
    // (the copying list relinks parents).
    CCfgField(const CCfgField& other);
    CCfgField& operator=(const CCfgField&) = delete;

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Clipboard form: no parent id, no old ids.
    void Serialize(Archive& ar) override;
    // Record form, version 3 or (reading) version 2; builds parse formats from
    // old records where they are missing.
    void PersistWrite(Archive& ar) override;
    // Takes the parent id from the parent pointer first, so a parent attached
    // before its subfields hands them its new id.
    void Attach(CStoreLink* link, uint32_t id = kNoId) override;

    // Alternate target for workform w, or kNoAlternate.
    uint8_t AlternateTarget(uint16_t w) const;
    // kNoAlternate removes the entry.
    void SetAlternateTarget(uint16_t w, uint8_t index);

    // True when the type is Parsed with Subfields and the next element of the
    // owner list is a subfield.
    bool HasSubfields() const;
    bool IsSubfield() const { return parentId != kNoId || parent != nullptr; }
    // The parent field, looked up by id in the owner list when not linked yet.
    CCfgField* Parent();

    CCfgFieldList* owner = nullptr;
    uint8_t defaultTarget = kNoTarget;
    int16_t caseConversion = kCaseDefault;
    bool compressSpaces = false;
    bool corporateAuthor = false;
    uint8_t spaceChar = 0;
    uint8_t crOptions = 0;  // high nibble replacement, low nibble representation
    uint16_t type = kFieldNormalText;
    std::string tag;
    std::string description;
    std::string beginsWith;
    std::string endsWith;
    std::string subfieldPrecededBy;
    std::string subfieldFollowedBy;
    std::string separator;
    std::string crReplacementChar;
    std::string crRepresentationChar;
    BucketMap<uint16_t, uint8_t> alternateTargets;
    uint32_t parentId = kNoId;
    CCfgField* parent = nullptr;
    BucketMap<std::string, CCfgParseFormat> parseFormats;  // "" = the default format
    uint32_t separateMode = 0;  // 0 automatic, 1 text, 2 replace existing
    std::string separatorText;
    uint32_t replaceMatching = 0;
    std::string findText;
    std::string replaceText;

  private:
    void WriteBlock(Archive& ar) const;  // the ten-byte block and the nine texts
    void ReadBlock(Archive& ar);
};

}  // namespace recaster::config
