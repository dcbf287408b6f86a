// The user-defined workforms of version-2 files: identifiers 20 to 25, the
// letters U to Z, which the current format no longer has. Which of them an
// old configuration uses, the workform to offer in place of each, and the
// replacement the user chose.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "workforms/workform_catalog.h"

namespace recaster::config {
class CCfgDBList;
}

namespace recaster::convert {

inline constexpr workforms::WorkformId kFirstUserWorkform = 20;  // U
inline constexpr workforms::WorkformId kLastUserWorkform = 25;   // Z
inline constexpr int kUserWorkforms = 6;

inline constexpr bool IsUserWorkform(workforms::WorkformId id) {
    return id >= kFirstUserWorkform && id <= kLastUserWorkform;
}

// "A" for 0 ... "Z" for 25; the number itself for any other identifier.
std::string WorkformLetter(workforms::WorkformId id);

// For each of U to Z: whether the old file uses it, and what replaces it.
class UserWorkformMapping {
  public:
    void MarkUsed(workforms::WorkformId id);
    bool IsUsed(workforms::WorkformId id) const;
    // The used identifiers, U first.
    std::vector<workforms::WorkformId> Used() const;
    // REQUIRES: IsUsed(id).
    void Set(workforms::WorkformId id, workforms::WorkformId replacement);
    // The replacement of a used user-defined workform; any other identifier
    // is returned as it is.
    workforms::WorkformId Map(workforms::WorkformId id) const;

  private:
    std::array<bool, kUserWorkforms> used_{};
    std::array<workforms::WorkformId, kUserWorkforms> replacement_{};
};

// What an old database list refers to: the user-defined workforms of its
// databases and of their document types, and whether any workform
// identifier is 20 or more (identifiers past 25 need no mapping but are
// just as foreign to the current format). Loads each database's document
// types and lets go of them again.
struct UserWorkformScan {
    bool anyFromTwenty = false;
    UserWorkformMapping mapping;
};
UserWorkformScan ScanUserWorkforms(config::CCfgDBList& databases);

// The workform first offered for user-defined workform `oldId`: the
// catalog's workform with that identifier, else the one with identifier 24,
// else the first by name (as the workform list shows them); kNoWorkform
// when the catalog is empty.
workforms::WorkformId SuggestedReplacement(workforms::WorkformId oldId,
                                           const workforms::WorkformCatalog& catalog);

}  // namespace recaster::convert
