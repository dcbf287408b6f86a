// Finding and replacing the user-defined workforms of an old configuration.
#include "convert/user_workforms.h"

#include <algorithm>
#include <numeric>

#include "base/cp1252.h"
#include "config/lists.h"

namespace recaster::convert {
namespace {

using workforms::WorkformId;

constexpr WorkformId kSecondChoice = 24;  // Y: what old files used most

size_t Slot(WorkformId id) {
    return static_cast<size_t>(id - kFirstUserWorkform);
}

}  // namespace

std::string WorkformLetter(WorkformId id) {
    if (id < 26) return std::string(1, static_cast<char>('A' + id));
    return std::to_string(id);
}

void UserWorkformMapping::MarkUsed(WorkformId id) {
    if (!IsUserWorkform(id) || used_[Slot(id)]) return;
    used_[Slot(id)] = true;
    replacement_[Slot(id)] = id;
}

bool UserWorkformMapping::IsUsed(WorkformId id) const {
    return IsUserWorkform(id) && used_[Slot(id)];
}

std::vector<WorkformId> UserWorkformMapping::Used() const {
    std::vector<WorkformId> out;
    for (WorkformId id = kFirstUserWorkform; id <= kLastUserWorkform; ++id)
        if (IsUsed(id)) out.push_back(id);
    return out;
}

void UserWorkformMapping::Set(WorkformId id, WorkformId replacement) {
    if (IsUsed(id)) replacement_[Slot(id)] = replacement;
}

WorkformId UserWorkformMapping::Map(WorkformId id) const {
    return IsUsed(id) ? replacement_[Slot(id)] : id;
}

UserWorkformScan ScanUserWorkforms(config::CCfgDBList& databases) {
    UserWorkformScan scan;
    auto note = [&scan](WorkformId id) {
        if (id < kFirstUserWorkform) return;
        scan.anyFromTwenty = true;
        scan.mapping.MarkUsed(id);
    };
    for (int p = 1; p <= databases.GetCount(); ++p) {
        config::CCfgDatabase* db = databases.Database(p);
        note(db->workform);
        const config::CCfgDocTypeList* types = db->GetDocTypeList();
        for (int t = 1; t <= types->GetCount(); ++t) note(types->DocType(t)->workform);
        db->ReleaseChildren();
    }
    return scan;
}

WorkformId SuggestedReplacement(WorkformId oldId, const workforms::WorkformCatalog& catalog) {
    if (catalog.Exists(oldId)) return oldId;
    if (catalog.Exists(kSecondChoice)) return kSecondChoice;
    if (catalog.Count() == 0) return workforms::kNoWorkform;
    // The workform list sorts by name ignoring case, keeping the catalog's
    // order among equal names; its first item is offered.
    std::vector<int> order(static_cast<size_t>(catalog.Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&catalog](int a, int b) {
        return CompareNoCaseCp1252(catalog.NameAt(a), catalog.NameAt(b)) < 0;
    });
    return catalog.IdAt(order.front());
}

}  // namespace recaster::convert
