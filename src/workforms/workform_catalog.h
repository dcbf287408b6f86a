// WorkformCatalog: the workforms the program knows, in the order they were
// added, and every lookup the rest of the program makes on them. Lookups never
// fail: an identifier or name the catalog does not hold answers with the
// built-in default workform ("<Default>", generic field names, all in use).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workforms/field_number_set.h"
#include "workforms/workform_file.h"
#include "workforms/workform_ids.h"
#include "workforms/workform_record.h"

namespace recaster::workforms {

class WorkformCatalog {
  public:
    WorkformCatalog() = default;
    WorkformCatalog(const WorkformCatalog&) = delete;
    WorkformCatalog& operator=(const WorkformCatalog&) = delete;

    // Adds the workform read from a file, keeping field n's name when bit n of
    // its defined-field set is set and "---" otherwise. Returns false, adding
    // nothing, when a workform with the same identifier is already held (the
    // first one wins) or when the identifier is 65535, which belongs to the
    // default workform.
    bool Add(const WorkformFile& file);

    int Count() const { return static_cast<int>(records_.size()); }

    // The record at index 0..Count()-1; the default workform for any other
    // index.
    const WorkformRecord& RecordAt(int index) const;
    WorkformId IdAt(int index) const { return RecordAt(index).id(); }
    const std::string& NameAt(int index) const { return RecordAt(index).name(); }

    // Appends every record's name to `out`, in catalog order.
    void AppendNames(std::vector<std::string>& out) const;

    const WorkformRecord& Default() const;

    // First record whose name equals `name` ignoring (Windows-1252) case.
    const WorkformRecord& FindByName(std::string_view name) const;
    // First record with identifier `id`.
    const WorkformRecord& FindById(WorkformId id) const;
    // True when a record other than the default has identifier `id`.
    bool Exists(WorkformId id) const;

    const std::string& NameOf(WorkformId id) const { return FindById(id).name(); }

    // A workform letter ("c" or "C") gives its identifier (2) whether or not
    // the catalog holds it; any other text is looked up by name, giving 65535
    // when nothing matches.
    WorkformId IdFrom(std::string_view text) const;

    const std::string& FieldName(WorkformId id, int field) const {
        return FindById(id).FieldName(field);
    }
    bool IsFieldUsed(WorkformId id, int field) const { return FindById(id).IsFieldUsed(field); }
    std::vector<uint8_t> UsedFieldNumbers(WorkformId id) const {
        return FindById(id).UsedFieldNumbers();
    }
    FieldNumberSet UsedFieldSet(WorkformId id) const { return FindById(id).UsedFieldSet(); }

    // The field number a target of field `field` lands on in workform `id`.
    // Older configurations name field 9 for a monographic title and field 10
    // for a journal title; workforms without those fields keep the text in a
    // neighbour:
    //   9 -> 10 when the workform does not use 9 but uses 10;
    //   10 -> 7 in workform I (8) when it does not use 11 but uses 7;
    // every other number is returned unchanged, and so is every number for a
    // workform the catalog does not hold.
    int EffectiveTargetField(int field, WorkformId id) const;

    // True exactly when `text` is one character in A..T or a..t.
    static bool IsWorkformLetter(std::string_view text);

  private:
    std::vector<WorkformRecord> records_;
};

}  // namespace recaster::workforms
