// Whether this user may change a file, decided from its owner, group and
// permission bits as the system decides it for writing: the owner's bits for
// its owner, the group's for a member of its group, the others' for the
// rest; the superuser may always.
#pragma once

#include <cstdint>
#include <vector>

namespace recaster::store {

bool MayWrite(uint32_t mode, uint32_t owner, uint32_t group, uint32_t uid,
              const std::vector<uint32_t>& groups);

}  // namespace recaster::store
