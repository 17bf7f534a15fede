// A plain model of the MT2203 recurrence for the parameter search and its test: untempered
// words from a given state, tempering, and the characteristic polynomial by Berlekamp-Massey.
#pragma once
#include <stdint.h>

#include <vector>

#include "gf2.h"

namespace mt2203 {

constexpr int N = 69, M = 34;
constexpr uint32_t kUpper = 0xFFFFFFE0u, kLower = 0x0000001Fu;

// x[0..68] = state; returns x[0..count) of the sequence x[k+69] = x[k+34] ^ twist(x[k], x[k+1]).
inline std::vector<uint32_t> untempered_sequence(const uint32_t* state, uint32_t a, int count) {
  std::vector<uint32_t> x(state, state + N);
  x.reserve(count + N);
  while (static_cast<int>(x.size()) < count) {
    size_t k = x.size() - N;
    uint32_t y = (x[k] & kUpper) | (x[k + 1] & kLower);
    x.push_back(x[k + M] ^ (y >> 1) ^ ((y & 1u) ? a : 0u));
  }
  x.resize(count);
  return x;
}

inline uint32_t temper(uint32_t y, uint32_t b, uint32_t c) {
  y ^= y >> 12;
  y ^= (y << 7) & b;
  y ^= (y << 15) & c;
  y ^= y >> 18;
  return y;
}

// Minimal polynomial of the top bit of x[k] over 2 x 2203 outputs from a pseudo-random
// state: degree 2203 means it is the characteristic polynomial of the recurrence.
inline gf2::Poly characteristic_polynomial(uint32_t a, uint64_t seed) {
  uint32_t st[N];
  for (int i = 0; i < N; ++i) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    st[i] = static_cast<uint32_t>(seed >> 32);
  }
  std::vector<uint32_t> x = untempered_sequence(st, a, 2 * 2203);
  std::vector<uint8_t> bits(x.size());
  for (size_t i = 0; i < x.size(); ++i) bits[i] = static_cast<uint8_t>(x[i] >> 31);
  int L = 0;
  return gf2::berlekamp_massey(bits, L);
}

}  // namespace mt2203
