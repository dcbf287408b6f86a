// Clipboard streams of databases, fields and field sets.
#include "config/clipboard_forms.h"

#include "base/archive.h"
#include "base/errors.h"
#include "config/database.h"
#include "config/field.h"
#include "config/lists.h"

namespace recaster::config {

namespace {

std::string Stream(ArchiveObject& object) {
    Archive ar = Archive::ForStore();
    ar.WriteObject(&object);
    const std::vector<uint8_t>& bytes = ar.bytes();
    return std::string(bytes.begin(), bytes.end());
}

template <typename T>
std::unique_ptr<T> Read(std::span<const uint8_t> bytes, const char* what) {
    Archive ar = Archive::ForLoad(bytes, {}, what);
    std::unique_ptr<ArchiveObject> object = ar.ReadObject(&T::kClass);
    if (!object) throw ArchiveError(ArchiveError::Cause::BadClass, {}, "no " + std::string(what));
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

}  // namespace

std::string DatabaseStream(CCfgDatabase& database) {
    return Stream(database);
}

std::string FieldStream(const CCfgField& field) {
    CCfgField copy(field);
    return Stream(copy);
}

std::string FieldSetStream(const CCfgField& field, const std::vector<const CCfgField*>& subfields) {
    CCfgFieldList set;
    set.Append(std::make_unique<CCfgField>(field));
    for (const CCfgField* sub : subfields) set.Append(std::make_unique<CCfgField>(*sub));
    return Stream(set);
}

std::unique_ptr<CCfgDatabase> ReadDatabaseStream(std::span<const uint8_t> bytes) {
    return Read<CCfgDatabase>(bytes, "clipboard database");
}

std::unique_ptr<CCfgField> ReadFieldStream(std::span<const uint8_t> bytes) {
    return Read<CCfgField>(bytes, "clipboard field");
}

std::unique_ptr<CCfgFieldList> ReadFieldSetStream(std::span<const uint8_t> bytes) {
    std::unique_ptr<CCfgFieldList> set = Read<CCfgFieldList>(bytes, "clipboard field set");
    if (set->GetCount() == 0)
        throw ArchiveError(ArchiveError::Cause::Generic, {}, "clipboard field set holds no field");
    return set;
}

}  // namespace recaster::config
