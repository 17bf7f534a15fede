// 3x3 matrices modulo m for the skip-ahead of the order-3 recurrences (MRG32k3a). Matrices are
// nine uint32 in row-major order; every product is formed in 64 bits and reduced modulo m,
// and a sum of reduced terms is kept below m by one conditional subtraction per addition.
// The templates take the modulus as a type, so a generator with a fixed modulus gets
// remainders by multiplication (RuntimeModulus serves the exported functions).
#pragma once
#include <stdint.h>
#include <string.h>

#include "zaforq/orq_streams.h"

namespace zaforq::orq {

struct RuntimeModulus {
  uint32_t m;
  uint32_t value() const { return m; }
};
template <uint32_t M>
struct FixedModulus {
  static constexpr uint32_t value() { return M; }
};

template <class Mod>
inline uint32_t mul_mod(uint32_t a, uint32_t b, Mod mod) {
  return static_cast<uint32_t>(static_cast<uint64_t>(a) * b % mod.value());
}
// a + b mod m for a, b < m: the sum may need 33 bits, so it is formed in 64.
template <class Mod>
inline uint32_t add_mod(uint32_t a, uint32_t b, Mod mod) {
  const uint64_t s = static_cast<uint64_t>(a) + b;
  return static_cast<uint32_t>(s >= mod.value() ? s - mod.value() : s);
}
template <class Mod>
inline uint32_t dot3(const uint32_t* row, uint32_t x0, uint32_t x1, uint32_t x2, Mod mod) {
  return add_mod(add_mod(mul_mod(row[0], x0, mod), mul_mod(row[1], x1, mod), mod), mul_mod(row[2], x2, mod), mod);
}

// R = A B mod m; R may be A or B.
template <class Mod>
inline void mat3_mul(const uint32_t* A, const uint32_t* B, uint32_t* R, Mod mod) {
  uint32_t t[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[3 * i + j] = dot3(A + 3 * i, B[j], B[3 + j], B[6 + j], mod);
  memcpy(R, t, sizeof t);  // through a copy, so R may alias A or B
}

// w = A v mod m; w may be v.
template <class Mod>
inline void mat3_vec(const uint32_t* A, const uint32_t* v, uint32_t* w, Mod mod) {
  const uint32_t x0 = v[0], x1 = v[1], x2 = v[2];
  for (int i = 0; i < 3; ++i) w[i] = dot3(A + 3 * i, x0, x1, x2, mod);
}

// P = A^e mod m by right-to-left binary powering; A is overwritten by its squares. A negative
// exponent leaves P the identity.
template <class Mod>
inline void mat3_pow(uint32_t* A, uint32_t* P, int32_t e, Mod mod) {
  const uint32_t one = 1 % mod.value();
  for (int i = 0; i < 9; ++i) P[i] = i % 4 == 0 ? one : 0;
  while (e > 0) {
    if (e & 1) mat3_mul(A, P, P, mod);
    e >>= 1;
    if (e) mat3_mul(A, A, A, mod);
  }
}

}  // namespace zaforq::orq

extern "C" {
void __orqiMatr3x3MulMod(const uint32_t* A, const uint32_t* B, uint32_t* R, uint32_t m);
void __orqiMatr3x3VectMulMod(const uint32_t* A, const uint32_t* v, uint32_t* w, uint32_t m);
void __orqiMatr3x3PowMod(uint32_t* A, uint32_t* P, uint32_t m, int32_t e);
}
