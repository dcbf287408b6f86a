#include "records.h"

#include <cstring>
#include <stdexcept>

namespace recaster::bench {

// 'CAPI', 'CDBS', 'CDTP', 'CFD#', 'CFlD'.
const uint32_t kTags[kTagCount] = {0x43415049, 0x43444253, 0x43445450, 0x43464423, 0x43466C44};

namespace {

constexpr uint64_t kValueSeed = 0x5EED'0001;

size_t DrawLength(uint64_t& rng) {
    uint64_t r = SplitMix(rng);
    uint64_t pick = r % 100;
    uint64_t within = r >> 32;
    if (pick < 80) return 20 + within % 181;
    if (pick < 95) return 200 + within % 401;
    return 600 + within % 2401;
}

}  // namespace

RecordSet::RecordSet(uint32_t n) : version_(n, 0), live_(n) {}

void RecordSet::Value(uint32_t index, std::vector<uint8_t>& out) const {
    uint64_t rng = kValueSeed ^ (uint64_t{index} << 8) ^ version_[index];
    out.resize(DrawLength(rng));
    for (size_t i = 0; i < out.size(); i += 8) {
        uint64_t word = SplitMix(rng);
        std::memcpy(out.data() + i, &word, std::min<size_t>(8, out.size() - i));
    }
}

void RecordSet::Bump(uint32_t index) {
    if (!Live(index)) throw std::logic_error("bump of a deleted record");
    // Versions wrap below kDeleted; a value repeats only after 255 bumps.
    version_[index] = static_cast<uint8_t>((version_[index] + 1) % kDeleted);
}

void RecordSet::Remove(uint32_t index) {
    if (!Live(index)) throw std::logic_error("record removed twice");
    version_[index] = kDeleted;
    --live_;
}

Permutation::Permutation(uint32_t n, uint64_t seed) : n_(n), seed_(seed) {
    while ((uint64_t{1} << bits_) < n) ++bits_;
}

uint64_t Permutation::Mix(uint64_t x) const {
    // Each step is invertible modulo 2^bits, so the whole mix is a bijection.
    const uint64_t mask = (uint64_t{1} << bits_) - 1;
    uint64_t s = seed_;
    for (int round = 0; round < 3; ++round) {
        x = (x + SplitMix(s)) & mask;
        x = (x * 0x9E3779B97F4A7C15ull) & mask;  // odd multiplier
        x ^= x >> ((bits_ + 1) / 2);
    }
    return x;
}

uint32_t Permutation::Next() {
    for (;;) {
        uint64_t x = Mix(counter_++);
        if (x < n_) return static_cast<uint32_t>(x);
    }
}

}  // namespace recaster::bench
