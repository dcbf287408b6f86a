// Building a Parsed field's formats from the records older files kept: the
// old per-workform targets ('CAPD') say which field each component kind goes
// to, the parse information ('CAPI') gives the rows' texts and kinds.
#include "config/parse_formats.h"

#include <memory>

#include "config/auto_parse_targets.h"
#include "config/lists.h"
#include "config/store_link.h"

namespace recaster::config {
namespace {

// Copies a text up to and including its NUL; bytes after it keep what the
// destination held.
void CopyText(std::array<uint8_t, kParseTextBytes>& to,
              const std::array<uint8_t, kParseTextBytes>& from) {
    for (size_t i = 0; i < kParseTextBytes; ++i) {
        to[i] = from[i];
        if (from[i] == 0) break;
    }
}

// Version-2 parse information stores five rows, and kind 5 (or 255) meant
// "no component" there: those rows, and the two rows it never stored, are
// not in use. Read with today's meaning they would give every field ISSN
// and CODEN components its owner never had.
constexpr size_t kVersion2Rows = 5;
constexpr uint8_t kVersion2None = 5;
constexpr uint8_t kVersion2NoneToo = 255;

bool RowInUse(const ParseComponentRow& row, size_t index, bool version2) {
    if (row.component == kParseNone) return false;
    if (!version2) return true;
    return index < kVersion2Rows && row.component != kVersion2None &&
           row.component != kVersion2NoneToo;
}

void FillFormat(CCfgParseFormat& format, const CCfgAutoParseInfo& info,
                const CCfgAutoParseTargets& targets, uint16_t workform, bool version2,
                const workforms::WorkformCatalog& catalog) {
    for (size_t i = 0; i < kParseRows; ++i) {
        const ParseComponentRow& from = info.rows[i];
        ParseComponentRow& to = format.rows[i];
        CopyText(to.precededBy, from.precededBy);
        CopyText(to.followedBy, from.followedBy);
        to.optional = from.optional;
        to.component =
            !RowInUse(from, i, version2)
                ? kRowNotUsed
                : static_cast<uint8_t>(targets.GetTarget(from.component, workform, catalog) + 1);
    }
}

// The upgrade is written back only into a current-format store opened for
// writing. A version-2 store is never committed anyway (conversion copies
// out of it), and keeping its records lets fields that share one old record
// all read it.
bool CanWriteBack(CStoreLink* link) {
    return link != nullptr && link->Version() == 3 && link->store().Writable();
}

}  // namespace

void BuildParseFormats(CCfgField& field, uint32_t oldTargetsId, uint32_t oldParseInfoId,
                       const workforms::WorkformCatalog& catalog) {
    CStoreLink* link = field.GetLink();
    CCfgDatabase* db = field.owner != nullptr ? field.owner->owner : nullptr;

    // A reference to a record that is gone leaves the built-in defaults.
    CCfgAutoParseTargets targets;
    bool targetsLoaded = false;
    if (oldTargetsId != kNoId && link != nullptr && link->Exists(targets.GetTag(), oldTargetsId)) {
        link->Load(targets, targets.GetTag(), oldTargetsId);
        targetsLoaded = true;
    }

    CCfgAutoParseInfo info;
    bool infoLoaded = false;
    if (oldParseInfoId != kNoId && link != nullptr && link->Exists(info.GetTag(), oldParseInfoId)) {
        link->Load(info, info.GetTag(), oldParseInfoId);
        infoLoaded = true;
    } else if (db != nullptr) {
        CCfgDatabase* source = db;
        if (db->useDefaultParseFormat && db->owner != nullptr && db->owner->GetCount() > 0)
            source = db->owner->Database(1);
        info.rows = source->GetParseInfo()->rows;
    }

    const bool version2 = link != nullptr && link->Version() == 2;
    CCfgParseFormat format;
    format.useDefault = 1;
    FillFormat(format, info, targets, db != nullptr ? db->workform : kDefaultWorkform, version2,
               catalog);
    field.parseFormats.Set(std::string(), format);
    if (db != nullptr) {
        const CCfgDocTypeList* docTypes = db->GetDocTypeList();
        for (int p = 1; p <= docTypes->GetCount(); ++p) {
            const CCfgDocType* dt = docTypes->DocType(p);
            FillFormat(format, info, targets, dt->workform, version2, catalog);
            field.parseFormats.Set(dt->name, format);
        }
    }

    // The old records go and the field is saved with its new formats (saved
    // before they are built, the record would hold none and the next read
    // would find the old records gone).
    if (!CanWriteBack(link) || !(targetsLoaded || infoLoaded)) return;
    if (targetsLoaded) link->Delete(targets);
    if (infoLoaded) link->Delete(info);
    field.Save();
}

}  // namespace recaster::config
