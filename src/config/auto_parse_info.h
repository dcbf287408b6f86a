// A database's parsed-field format in component kinds ('CAPI'): seven rows.
#pragma once

#include "config/parse_row.h"
#include "config/persistent_object.h"

namespace recaster::config {

class CCfgAutoParseInfo : public CPersistentObject {
  public:
    static const RuntimeClass kClass;
    CCfgAutoParseInfo();  // row i of kind i, flags 0, texts empty
    CCfgAutoParseInfo(const CCfgAutoParseInfo&) = default;

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Seven 74-byte rows (518 bytes).
    void Serialize(Archive& ar) override;
    // Version-2 records: five 38-byte rows into rows 0..4.
    void PersistWrite(Archive& ar) override;

    std::array<ParseComponentRow, kParseRows> rows;
};

}  // namespace recaster::config
