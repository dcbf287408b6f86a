// The benchmark's records: N keys under five tags, with values drawn like a
// configuration's records (80 % of 20..200 bytes, 15 % of 200..600, 5 % of
// 600..3000). A value is a pure function of (record, version), so the harness
// keeps one byte per record and its own memory stays out of the engine's.
#pragma once

#include <cstdint>
#include <vector>

#include "engine.h"

namespace recaster::bench {

// Record i has tag kTags[i % 5] and id i / 5. The tags are in ascending order.
inline constexpr uint32_t kTagCount = 5;
extern const uint32_t kTags[kTagCount];

class RecordSet {
  public:
    explicit RecordSet(uint32_t n);

    uint32_t size() const { return static_cast<uint32_t>(version_.size()); }
    static RecordKey KeyOf(uint32_t index) { return {kTags[index % kTagCount], index / kTagCount}; }

    bool Live(uint32_t index) const { return version_[index] != kDeleted; }
    uint32_t LiveCount() const { return live_; }
    // The record's current value.
    void Value(uint32_t index, std::vector<uint8_t>& out) const;
    // Moves the record to a new value (a new length too, most of the time).
    void Bump(uint32_t index);
    void Remove(uint32_t index);

  private:
    static constexpr uint8_t kDeleted = 0xFF;
    std::vector<uint8_t> version_;
    uint32_t live_ = 0;
};

// A pseudo-random permutation of 0..n-1 that needs no table: a bijective mix
// of a counter over the next power of two, skipping values >= n.
class Permutation {
  public:
    Permutation(uint32_t n, uint64_t seed);
    uint32_t Next();

  private:
    uint64_t Mix(uint64_t x) const;
    uint32_t n_;
    uint64_t seed_;
    unsigned bits_ = 1;
    uint64_t counter_ = 0;
};

// splitmix64: the fixed-seed generator behind all random choices.
inline uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace recaster::bench
