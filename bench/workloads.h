// The six timed workloads (W1 insert, W2 random read, W3 update, W4 delete,
// W5 ordered scan, W6 single-record commits), run in order on one engine.
// Only the engine calls are timed; every workload checks the engine's
// contents afterwards against the expected records and throws on a mismatch.
#pragma once

#include <cstdint>
#include <functional>

#include "engine.h"

namespace recaster::bench {

struct WorkloadResult {
    const char* id;    // "W1"
    const char* name;  // "insert"
    uint64_t ops;      // records touched (commits for W6)
    double seconds;
};

// Calls `report` after each workload, so that a failure later still leaves the
// figures of the earlier ones.
void RunWorkloads(Engine& engine, uint32_t n,
                  const std::function<void(const WorkloadResult&)>& report);

}  // namespace recaster::bench
