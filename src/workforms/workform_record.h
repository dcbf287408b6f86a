// WorkformRecord: one workform as the catalog holds it: name, identifier and
// the names of its 45 fields, "---" marking a field the workform does not use.
// Records are immutable once built.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workforms/field_number_set.h"
#include "workforms/workform_ids.h"

namespace recaster::workforms {

class WorkformRecord {
  public:
    // The longest name a record keeps; longer names are cut to this length.
    static constexpr size_t kMaxNameLength = 31;

    using FieldNames = std::array<std::string, kFieldCount>;

    // Texts are Windows-1252 bytes. Each text ends at its first NUL byte, if
    // any, and the name is then cut to kMaxNameLength characters. Field names
    // are kept as given: an empty name is a used field with no name.
    WorkformRecord(std::string_view name, WorkformId id, const FieldNames& field_names);

    const std::string& name() const { return name_; }
    WorkformId id() const { return id_; }

    // The name of field n (1 to 45); "---" for a number outside that range.
    const std::string& FieldName(int n) const;

    // True when field n (1 to 45) has a name other than "---"; false for a
    // number outside 1..45.
    bool IsFieldUsed(int n) const;

    // The numbers of all used fields in ascending order, one byte each,
    // followed by a terminating 0 byte (so at most 46 bytes).
    std::vector<uint8_t> UsedFieldNumbers() const;

    // The set of all used field numbers.
    FieldNumberSet UsedFieldSet() const;

  private:
    std::string name_;
    WorkformId id_;
    FieldNames field_names_;
};

}  // namespace recaster::workforms
