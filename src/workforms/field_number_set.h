// FieldNumberSet: the six-byte set of workform field numbers, stored exactly as
// in workform files: field n is bit (n mod 8) of byte (n div 8), least
// significant bit first. Bits 1 to 45 carry fields; bits 0, 46 and 47 stay clear
// when built here, but a set read from a file keeps whatever bits it holds.
#pragma once

#include <array>
#include <cstdint>

namespace recaster::workforms {

class FieldNumberSet {
  public:
    static constexpr int kBytes = 6;
    using Bytes = std::array<uint8_t, kBytes>;

    FieldNumberSet() = default;
    explicit FieldNumberSet(const Bytes& bytes) : bytes_(bytes) {}

    // Numbers outside 0..47 are ignored by Add and never contained.
    void Add(int n) {
        if (InRange(n)) bytes_[n / 8] |= static_cast<uint8_t>(1u << (n % 8));
    }
    bool Contains(int n) const { return InRange(n) && (bytes_[n / 8] >> (n % 8) & 1u) != 0; }
    void Clear() { bytes_.fill(0); }
    bool Empty() const {
        for (uint8_t b : bytes_)
            if (b != 0) return false;
        return true;
    }

    const Bytes& bytes() const { return bytes_; }

    friend bool operator==(const FieldNumberSet&, const FieldNumberSet&) = default;

  private:
    static constexpr bool InRange(int n) { return n >= 0 && n < kBytes * 8; }

    Bytes bytes_{};
};

}  // namespace recaster::workforms
