// Modular arithmetic of the congruential generators.
#pragma once
#include <stdint.h>

namespace zaforq::orq {

constexpr uint32_t kM31 = 0x7FFFFFFFu;
constexpr uint64_t kMask59 = 0x07FFFFFFFFFFFFFFull;

// x * y mod 2^31 - 1 for x, y < 2^31 by the Mersenne fold: 2^31 = 1 (mod m).
inline uint32_t mulmod31(uint32_t x, uint32_t y) {
  uint64_t t = static_cast<uint64_t>(x) * y;
  uint64_t r = (t & kM31) + (t >> 31);
  if (r >= kM31) r -= kM31;
  return static_cast<uint32_t>(r);
}

inline uint64_t mulmod59(uint64_t x, uint64_t y) { return (x * y) & kMask59; }

}  // namespace zaforq::orq
