// General information of a configuration ('CGNL', id 0): title, comments, flag.
#pragma once

#include <string>

#include "config/persistent_object.h"

namespace recaster::config {

class CCfgGenlInfo : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgGenlInfo() : CPersistentObject(FourCC("CGNL")) {}
    CCfgGenlInfo(const CCfgGenlInfo&) = default;
    // Copies the three fields, then saves.
    CCfgGenlInfo& operator=(const CCfgGenlInfo& other);

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    void Serialize(Archive& ar) override;

    std::string title;
    std::string comments;
    uint8_t flag = 1;
};

}  // namespace recaster::config
