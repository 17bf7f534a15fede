// Niederreiter initialisation (base-2 generator matrices in the construction of Bratley, Fox
// and Niederreiter), leapfrog and skip-ahead.
#include "orq_sub_kernel/sobol/quasi.h"

using namespace zaforq::orq;

namespace {

// Carry-less product of two polynomials over GF(2) (degrees add to at most 42 here).
uint64_t clmul(uint64_t a, uint64_t b) {
  uint64_t r = 0;
  for (; b; b >>= 1, a <<= 1)
    if (b & 1) r ^= a;
  return r;
}

int parity(uint64_t x) { return __builtin_parityll(x); }

uint32_t reverse_bits(uint32_t x) {
  x = ((x >> 1) & 0x55555555u) | ((x & 0x55555555u) << 1);
  x = ((x >> 2) & 0x33333333u) | ((x & 0x33333333u) << 2);
  x = ((x >> 4) & 0x0F0F0F0Fu) | ((x & 0x0F0F0F0Fu) << 4);
  x = ((x >> 8) & 0x00FF00FFu) | ((x & 0x00FF00FFu) << 8);
  return (x >> 16) | (x << 16);
}

// Transposes a 32 x 32 bit matrix in place, row i in a[i] with column 0 in the top bit, by
// swapping ever smaller off-diagonal blocks.
void transpose32(uint32_t* a) {
  uint32_t m = 0x0000FFFFu;
  for (int j = 16; j != 0; j >>= 1, m ^= m << j) {
    for (int k = 0; k < 32; k = ((k | j) + 1) & ~j) {
      const uint32_t t = (a[k] ^ (a[k | j] >> j)) & m;
      a[k] ^= t;
      a[k | j] ^= t << j;
    }
  }
}

// The 32 x 32 generator matrix of one dimension from its irreducible polynomial p of degree e,
// stored column by column: V[c] holds column c, row 0 in the most significant bit.
//
// The rows come in groups of e: for b = p^i (i = 0, 1, ...), the sequence v with v[k] = 0 below
// the degree u of b, v[u] = 1, v[u+1 .. u+e-1] = 1, continued by the linear recurrence whose
// characteristic polynomial is b * p, gives the rows v[j .. j+31] for j = 0 .. e - 1. The
// sequence, at most e + 31 terms, is held as the bits of one 64-bit word.
void matrix_of(uint32_t p, int e, uint32_t* V) {
  uint32_t rows[32];
  uint64_t b = 1;
  int u = 0, r = 0;
  while (r < 32) {
    const uint64_t bp = clmul(b, p);
    const int m = u + e;
    const uint64_t taps = bp & ((uint64_t{1} << m) - 1);
    uint64_t v = ((uint64_t{1} << m) - 1) & ~((uint64_t{1} << u) - 1);  // bits u .. m-1 set
    for (int k = m; k <= e + 30; ++k) v |= static_cast<uint64_t>(parity(taps & (v >> (k - m)))) << k;
    // row r holds v[j + c] for column c in bit 31 - c
    for (int j = 0; j < e && r < 32; ++j, ++r) rows[r] = reverse_bits(static_cast<uint32_t>(v >> j));
    b = bp;
    u = m;
  }
  transpose32(rows);
  for (int c = 0; c < 32; ++c) V[c] = rows[c];
}

// Matrices of every dimension the record holds (see the Sobol initialisation for why).
void __orqNiederrInit(NiederrState* st) {
  for (int d = 0; d < 318; ++d) matrix_of(uNiederrIrredPoly[d], iNiederrIrredPolyDeg[d], st->V[d]);
}

void __orqNiederrLeapfrog(NiederrState* st, int32_t k) { quasi_leapfrog(st, k); }
void __orqNiederrSkip(NiederrState* st, int32_t nskip) { quasi_skip(st, nskip); }

}  // namespace

extern "C" ZAFORQ_API int32_t __orqBRngNiederrInitStream(int32_t method, OrqStream stream, int32_t n,
                                                         const uint32_t* params) {
  NiederrState* st = StateOf<NiederrState>(stream);
  switch (method) {
    case 0:
      __orqNiederrInit(st);
      quasi_start(st, quasi_dimension(n, params, 318));
      return ORQ_STATUS_OK;
    case 1: {
      const int32_t k = *reinterpret_cast<const int32_t*>(params);
      quasi_sanitize(st);
      if (n != 0x7FFFFFFF || k < 0 || k >= st->D) return ORQ_STATUS_NO_LEAPFROG;
      __orqNiederrLeapfrog(st, k);
      return ORQ_STATUS_OK;
    }
    case 2:
      if (n < 1) return ORQ_STATUS_NO_SKIPAHEAD;
      __orqNiederrSkip(st, n);
      return ORQ_STATUS_OK;
    default:
      return ORQ_STATUS_UNKNOWN_METHOD;
  }
}
