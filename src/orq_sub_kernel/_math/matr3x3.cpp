// Matrix and companion-matrix powers modulo m (< 2^32) for skipping ahead in order-3
// recurrences. Entries and vector elements are taken as already reduced below m.
#include "orq_sub_kernel/_math/matr3x3.h"

using namespace zaforq::orq;

extern "C" void __orqiMatr3x3MulMod(const uint32_t* A, const uint32_t* B, uint32_t* R, uint32_t m) {
  mat3_mul(A, B, R, RuntimeModulus{m});
}

extern "C" void __orqiMatr3x3VectMulMod(const uint32_t* A, const uint32_t* v, uint32_t* w, uint32_t m) {
  mat3_vec(A, v, w, RuntimeModulus{m});
}

extern "C" void __orqiMatr3x3PowMod(uint32_t* A, uint32_t* P, uint32_t m, int32_t e) {
  mat3_pow(A, P, e, RuntimeModulus{m});
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
