// The write permission rule.
#include "store/file_permissions.h"

#include <algorithm>

namespace recaster::store {

bool MayWrite(uint32_t mode, uint32_t owner, uint32_t group, uint32_t uid,
              const std::vector<uint32_t>& groups) {
    if (uid == 0) return true;
    if (uid == owner) return (mode & 0200) != 0;
    if (std::find(groups.begin(), groups.end(), group) != groups.end()) return (mode & 0020) != 0;
    return (mode & 0002) != 0;
}

}  // namespace recaster::store
