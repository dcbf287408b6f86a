#include "workforms/workform_catalog.h"

#include "base/cp1252.h"
#include "workforms/default_workform.h"

namespace recaster::workforms {

bool WorkformCatalog::Add(const WorkformFile& file) {
    if (file.id == kNoWorkform || Exists(file.id)) return false;
    WorkformRecord::FieldNames names;
    for (int n = 1; n <= kFieldCount; ++n)
        names[n - 1] = file.defined_fields.Contains(n) ? file.field_names[n - 1] : kUnusedFieldName;
    records_.emplace_back(file.name, file.id, names);
    return true;
}

const WorkformRecord& WorkformCatalog::RecordAt(int index) const {
    if (index < 0 || index >= Count()) return Default();
    return records_[static_cast<size_t>(index)];
}

void WorkformCatalog::AppendNames(std::vector<std::string>& out) const {
    for (const WorkformRecord& record : records_) out.push_back(record.name());
}

const WorkformRecord& WorkformCatalog::Default() const {
    return DefaultWorkform();
}

const WorkformRecord& WorkformCatalog::FindByName(std::string_view name) const {
    for (const WorkformRecord& record : records_)
        if (EqualsNoCaseCp1252(record.name(), name)) return record;
    return Default();
}

const WorkformRecord& WorkformCatalog::FindById(WorkformId id) const {
    for (const WorkformRecord& record : records_)
        if (record.id() == id) return record;
    return Default();
}

bool WorkformCatalog::Exists(WorkformId id) const {
    return FindById(id).id() != kNoWorkform;
}

WorkformId WorkformCatalog::IdFrom(std::string_view text) const {
    if (IsWorkformLetter(text)) {
        char letter = text[0];
        if (letter >= 'a') letter = static_cast<char>(letter - 'a' + 'A');
        return static_cast<WorkformId>(letter - 'A');
    }
    return FindByName(text).id();
}

int WorkformCatalog::EffectiveTargetField(int field, WorkformId id) const {
    const WorkformRecord& form = FindById(id);
    if (field == 9 && !form.IsFieldUsed(9) && form.IsFieldUsed(10)) return 10;
    if (field == 10 && id == 8 && !form.IsFieldUsed(11) && form.IsFieldUsed(7)) return 7;
    return field;
}

bool WorkformCatalog::IsWorkformLetter(std::string_view text) {
    if (text.size() != 1) return false;
    const char c = text[0];
    return (c >= 'A' && c <= 'T') || (c >= 'a' && c <= 't');
}

}  // namespace recaster::workforms
