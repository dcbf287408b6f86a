// The download file structure of a configuration ('CDFS', id 0): how records
// and fields of a downloaded file are recognised.
#pragma once

#include <string>

#include "config/enums.h"
#include "config/persistent_object.h"

namespace recaster::config {

inline constexpr char kDefaultSubfieldIndicator = '\x87';

class CCfgDFSInfo : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgDFSInfo() : CPersistentObject(FourCC("CDFS")) {}
    CCfgDFSInfo(const CCfgDFSInfo&) = default;
    // Copies every field, then saves.
    CCfgDFSInfo& operator=(const CCfgDFSInfo& other);

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Reading stops early where older records end: the fallback database and
    // the MARC items are read only when bytes remain.
    void Serialize(Archive& ar) override;

    uint8_t tagLength = 0;  // 0 = variable, 1..32 fixed
    uint8_t reserved = 0;
    bool fixedWidthTagArea = false;
    uint8_t tagAreaWidth = 0;
    bool crFollowsTag = false;
    uint16_t lineContinuation = kContinuationIndented;
    uint8_t continuationChar = 0;
    uint16_t defaultCaseConversion = 0;
    uint8_t recordEndMode = kRecordEndNone;
    bool recordEndStringOn = false;
    std::string tagFormat;
    std::string fieldTerminator;
    std::string emptyFieldFiller;
    std::string recordEndString;
    std::string recordHeaderFormat;
    std::string fallbackDatabase;
    bool processMarcSubfields = false;
    std::string subfieldIndicator = std::string(1, kDefaultSubfieldIndicator);
};

}  // namespace recaster::config
