// A document type of a database ('CDTP'): the name as written in downloaded
// records and the workform such records go to.
#pragma once

#include <string>

#include "config/persistent_object.h"

namespace recaster::config {

class CCfgDocType : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgDocType() : CPersistentObject(FourCC("CDTP")) {}
    CCfgDocType(const CCfgDocType&) = default;

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Text name; u16 workform (one byte in version-2 records).
    void Serialize(Archive& ar) override;
    void PersistWrite(Archive& ar) override;

    std::string name;
    uint16_t workform = 0;
};

}  // namespace recaster::config
