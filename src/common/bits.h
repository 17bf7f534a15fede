// Bit-level views of floating-point values, for constants written by their bit patterns.
#pragma once
#include <stdint.h>
#include <string.h>

namespace zaforq {

template <class To, class From>
inline To bit_cast(const From& from) {
  static_assert(sizeof(To) == sizeof(From), "bit_cast needs equal sizes");
  To to;
  memcpy(&to, &from, sizeof(To));
  return to;
}

// bits<double>(0x3FF0000000000000ull) == 1.0, bits<float>(0x3F800000u) == 1.0f
template <class T>
inline T bits(uint64_t pattern);
template <>
inline double bits<double>(uint64_t pattern) { return bit_cast<double>(pattern); }
template <>
inline float bits<float>(uint64_t pattern) { return bit_cast<float>(static_cast<uint32_t>(pattern)); }

inline uint64_t bits_of(double x) { return bit_cast<uint64_t>(x); }
inline uint32_t bits_of(float x) { return bit_cast<uint32_t>(x); }

}  // namespace zaforq
