// The process-wide registry of runtime classes, keyed by class name.
#include "base/runtime_class.h"

#include <map>
#include <mutex>

namespace recaster {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, const RuntimeClass*, std::less<>> byName;
};

// Built on first use so that registrations from static initialisers of any
// translation unit find it ready.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

bool RegisterRuntimeClass(const RuntimeClass& rc) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto [it, inserted] = r.byName.emplace(rc.name, &rc);
    return inserted || it->second == &rc;
}

const RuntimeClass* FindRuntimeClass(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.byName.find(name);
    return it == r.byName.end() ? nullptr : it->second;
}

}  // namespace recaster
