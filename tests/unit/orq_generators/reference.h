// Plain serial reference implementations written from the definitions, independent of the
// library's block and lane paths.
#pragma once
#include <stdint.h>

#include <vector>

namespace ref {

// x(k) = x(k-250) ^ x(k-147) over the whole history, seeded as the library documents.
struct R250 {
  std::vector<uint32_t> x;  // x[0..249] is the initial table
  size_t k = 250;
  explicit R250(const uint32_t* table) : x(table, table + 250) {}
  static std::vector<uint32_t> seeded(uint32_t s) {
    if (s == 0) s = 1;
    std::vector<uint32_t> t(250);
    uint64_t v = s;
    for (int k = 0; k < 250; ++k) {
      v = (v * 69069u) % 4294967296ull;
      t[k] = static_cast<uint32_t>(v);
    }
    for (int k = 0; k < 32; ++k) {
      int bit = 31 - k;
      uint32_t w = t[3 + 7 * k];
      for (int b = bit + 1; b < 32; ++b) w &= ~(1u << b);
      w |= 1u << bit;
      t[3 + 7 * k] = w;
    }
    return t;
  }
  uint32_t next() {
    uint32_t v = x[k - 250] ^ x[k - 147];
    x.push_back(v);
    ++k;
    return v;
  }
};

// A Mersenne twister written like the classic reference code, for any N, M, r and parameters.
struct Twister {
  int N, M, u;
  uint32_t upper, lower, a, b, c;
  std::vector<uint32_t> mt;
  int mti;
  Twister(int n, int m, int r, uint32_t a_, int u_, uint32_t b_, uint32_t c_)
      : N(n), M(m), u(u_), upper(~0u << r), lower(~(~0u << r)), a(a_), b(b_), c(c_), mt(n), mti(n) {}
  void init_genrand(uint32_t s) {
    mt[0] = s;
    for (mti = 1; mti < N; mti++) mt[mti] = 1812433253u * (mt[mti - 1] ^ (mt[mti - 1] >> 30)) + mti;
  }
  void init_by_array(const std::vector<uint32_t>& key) {
    init_genrand(19650218u);
    int i = 1, j = 0;
    int len = static_cast<int>(key.size());
    for (int k = (N > len ? N : len); k; k--) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] + j;
      i++;
      j++;
      if (i >= N) { mt[0] = mt[N - 1]; i = 1; }
      if (j >= len) j = 0;
    }
    for (int k = N - 1; k; k--) {
      mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) - i;
      i++;
      if (i >= N) { mt[0] = mt[N - 1]; i = 1; }
    }
    mt[0] = 0x80000000u;
  }
  uint32_t next() {
    if (mti >= N) {
      for (int kk = 0; kk < N; kk++) {
        uint32_t y = (mt[kk] & upper) | (mt[(kk + 1) % N] & lower);
        mt[kk] = mt[(kk + M) % N] ^ (y >> 1) ^ ((y & 1) ? a : 0);
      }
      mti = 0;
    }
    uint32_t y = mt[mti++];
    y ^= y >> u;
    y ^= (y << 7) & b;
    y ^= (y << 15) & c;
    y ^= y >> 18;
    return y;
  }
};

inline Twister mt19937() { return Twister(624, 397, 31, 0x9908B0DFu, 11, 0x9D2C5680u, 0xEFC60000u); }
inline Twister mt2203(uint32_t a, uint32_t b, uint32_t c) { return Twister(69, 34, 5, a, 12, b, c); }

}  // namespace ref
