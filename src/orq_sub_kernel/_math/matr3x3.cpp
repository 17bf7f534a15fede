// Matrix and companion-matrix powers modulo m (< 2^32) for skipping ahead in order-3
// recurrences. Entries and vector elements are taken as already reduced below m.
#include "orq_sub_kernel/_math/matr3x3.h"

#include <string.h>

namespace {

inline uint32_t mul_mod(uint32_t a, uint32_t b, uint32_t m) {
  return static_cast<uint32_t>(static_cast<uint64_t>(a) * b % m);
}
// a + b mod m for a, b < m: the sum may need 33 bits, so it is formed in 64.
inline uint32_t add_mod(uint32_t a, uint32_t b, uint32_t m) {
  uint64_t s = static_cast<uint64_t>(a) + b;
  return static_cast<uint32_t>(s >= m ? s - m : s);
}
inline uint32_t dot3(const uint32_t* row, uint32_t x0, uint32_t x1, uint32_t x2, uint32_t m) {
  return add_mod(add_mod(mul_mod(row[0], x0, m), mul_mod(row[1], x1, m), m), mul_mod(row[2], x2, m), m);
}

}  // namespace

extern "C" void __orqiMatr3x3MulMod(const uint32_t* A, const uint32_t* B, uint32_t* R, uint32_t m) {
  uint32_t t[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[3 * i + j] = dot3(A + 3 * i, B[j], B[3 + j], B[6 + j], m);
  memcpy(R, t, sizeof t);  // through a copy, so R may alias A or B
}

extern "C" void __orqiMatr3x3VectMulMod(const uint32_t* A, const uint32_t* v, uint32_t* w, uint32_t m) {
  const uint32_t x0 = v[0], x1 = v[1], x2 = v[2];
  for (int i = 0; i < 3; ++i) w[i] = dot3(A + 3 * i, x0, x1, x2, m);
}

extern "C" void __orqiMatr3x3PowMod(uint32_t* A, uint32_t* P, uint32_t m, int32_t e) {
  const uint32_t one = 1 % m;
  for (int i = 0; i < 9; ++i) P[i] = i % 4 == 0 ? one : 0;
  while (e > 0) {
    if (e & 1) __orqiMatr3x3MulMod(A, P, P, m);
    e >>= 1;
    if (e) __orqiMatr3x3MulMod(A, A, A, m);
  }
}

// v = K^e v mod m with the companion matrix K = [[0, 1, 0], [0, 0, 1], [c2, c1, c0]]: K maps
// (x(n-3), x(n-2), x(n-1)) to (x(n-2), x(n-1), x(n)) for x(n) = c0 x(n-1) + c1 x(n-2) + c2 x(n-3).
// A negative exponent leaves v unchanged (it has no meaning for a skip count).
extern "C" ZAFORQ_API void __orqiVect3PowMod(uint32_t* v, const uint32_t* c, uint32_t m, int32_t e) {
  if (e <= 0 || m == 0) return;
  uint32_t K[9] = {0, 1 % m, 0, 0, 0, 1 % m, c[2] % m, c[1] % m, c[0] % m};
  uint32_t P[9];
  __orqiMatr3x3PowMod(K, P, m, e);
  uint32_t x[3] = {v[0] % m, v[1] % m, v[2] % m};
  __orqiMatr3x3VectMulMod(P, x, v, m);
}
