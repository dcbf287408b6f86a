// The clipboard forms of databases, fields and field sets: the private
// format names and the byte streams under them. Each stream is one archive
// object (class CCfgDatabase, CCfgField or CCfgFieldList) in its clipboard
// form, with fresh class and object tables; a field set is a field list
// holding a field and then its subfields. What is read back is unattached:
// adding it to a list stores it under new ids.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace recaster::config {

class CCfgDatabase;
class CCfgField;
class CCfgFieldList;

inline constexpr const char* kDatabaseFormat = "CCfgDB";
inline constexpr const char* kFieldFormat = "CCfgField";
inline constexpr const char* kFieldSetFormat = "CCfgFldLst";

// The database with its children (loaded from the store first). Store
// errors while loading them pass as FileError or ArchiveError.
std::string DatabaseStream(CCfgDatabase& database);
// One field without its subfields.
std::string FieldStream(const CCfgField& field);
// `field` and then `subfields`, as one field list.
std::string FieldSetStream(const CCfgField& field, const std::vector<const CCfgField*>& subfields);

// Each reads one object of its class from `bytes` (bytes after it are left
// alone: a clipboard block may be padded). ArchiveError when the bytes hold
// no such object, are cut short or damaged; a field set must hold a field.
std::unique_ptr<CCfgDatabase> ReadDatabaseStream(std::span<const uint8_t> bytes);
std::unique_ptr<CCfgField> ReadFieldStream(std::span<const uint8_t> bytes);
std::unique_ptr<CCfgFieldList> ReadFieldSetStream(std::span<const uint8_t> bytes);

}  // namespace recaster::config
