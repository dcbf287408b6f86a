#include "workforms/workform_record.h"

namespace recaster::workforms {
namespace {

// Names are C strings in the files' original world; a NUL inside a text would
// otherwise make two records that look alike compare different.
std::string UpToNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

const std::string& UnusedName() {
    static const std::string unused(kUnusedFieldName);
    return unused;
}

}  // namespace

WorkformRecord::WorkformRecord(std::string_view name, WorkformId id, const FieldNames& field_names)
    : name_(UpToNul(name)), id_(id) {
    if (name_.size() > kMaxNameLength) name_.resize(kMaxNameLength);
    for (int i = 0; i < kFieldCount; ++i) field_names_[i] = UpToNul(field_names[i]);
}

const std::string& WorkformRecord::FieldName(int n) const {
    return IsFieldNumber(n) ? field_names_[n - 1] : UnusedName();
}

bool WorkformRecord::IsFieldUsed(int n) const {
    return IsFieldNumber(n) && field_names_[n - 1] != kUnusedFieldName;
}

std::vector<uint8_t> WorkformRecord::UsedFieldNumbers() const {
    std::vector<uint8_t> numbers;
    for (int n = 1; n <= kFieldCount; ++n)
        if (IsFieldUsed(n)) numbers.push_back(static_cast<uint8_t>(n));
    numbers.push_back(0);
    return numbers;
}

FieldNumberSet WorkformRecord::UsedFieldSet() const {
    FieldNumberSet set;
    for (int n = 1; n <= kFieldCount; ++n)
        if (IsFieldUsed(n)) set.Add(n);
    return set;
}

}  // namespace recaster::workforms
