// The base-2 quasi-random sequences (Sobol, Niederreiter) share their state layout, the
// Gray-code generation, leapfrog to one coordinate and skip-ahead; they differ only in the
// largest dimension and in how the direction numbers V are made.
//
// Point i has the coordinates P_i[d] = XOR of V[d][j] over the bits j of gray(i) = i ^ (i >> 1);
// going from i to i + 1 flips exactly bit c(i) of gray(i), the number of trailing ones of i.
#pragma once
#include <emmintrin.h>

#include "orq_sub_kernel/_service/convert.h"
#include "orq_sub_kernel/_service/stream.h"
#include "zaforq/orq_quasi.h"

namespace zaforq::orq {

template <int Dmax>
struct QuasiState {
  uint32_t counter;  // Gray-code index of the point in X
  int32_t D;         // dimension, 1 .. Dmax
  int32_t leap;      // the only coordinate delivered, or -1 for whole points
  int32_t left;      // coordinates of X still to deliver after a call ended inside a point
  uint32_t X[Dmax];  // the current point, coordinate value X[d] * 2^-32
  uint32_t V[Dmax][33];  // 32 direction numbers per dimension and a spare word (used as zero)
};
using SobolState = QuasiState<40>;
using NiederrState = QuasiState<318>;
static_assert(sizeof(SobolState) + kHeaderBytes == 5472, "Sobol record is 5472 bytes");
static_assert(sizeof(NiederrState) + kHeaderBytes == 43280, "Niederreiter record is 43280 bytes");

// Trailing-one counts of the bytes 0..255.
struct TrailingOnes {
  uint8_t count[256];
  constexpr TrailingOnes() : count() {
    for (int b = 0; b < 256; ++b) {
      int c = 0;
      while (c < 8 && ((b >> c) & 1)) ++c;
      count[b] = static_cast<uint8_t>(c);
    }
  }
};
inline constexpr TrailingOnes kTrailingOnes{};

// c(i): the number of trailing one bits of i, looked up on its lowest byte that is not 0xFF
// (32 for 0xFFFFFFFF, which selects the spare zero word).
inline uint32_t trailing_ones(uint32_t i) {
  uint32_t shift = 0;
  while (shift < 32 && ((i >> shift) & 0xFF) == 0xFF) shift += 8;
  return shift == 32 ? 32 : shift + kTrailingOnes.count[(i >> shift) & 0xFF];
}

// Coordinate d of the point with index i, computed afresh.
template <int Dmax>
inline uint32_t point_coordinate(const QuasiState<Dmax>* st, int32_t d, uint32_t i) {
  uint32_t g = i ^ (i >> 1), x = 0;
  for (int j = 0; g; ++j, g >>= 1)
    if (g & 1) x ^= st->V[d][j];
  return x;
}

// After the direction numbers are in place: X holds point 1, whole points are delivered.
template <int Dmax>
inline void quasi_start(QuasiState<Dmax>* st, int32_t D) {
  st->counter = 1;
  st->D = D;
  st->leap = -1;
  st->left = 0;
  for (int32_t d = 0; d < Dmax; ++d) {
    st->V[d][32] = 0;
    st->X[d] = d < D ? st->V[d][0] : 0;
  }
}

// The dimension asked for at creation: params[0] when given, anything out of 1..Dmax gives 1.
inline int32_t quasi_dimension(int32_t n, const uint32_t* params, int32_t dmax) {
  if (n < 1) return 1;
  uint32_t d = params[0];
  return d >= 1 && d <= static_cast<uint32_t>(dmax) ? static_cast<int32_t>(d) : 1;
}

// One point of a fixed small dimension: deliver X, then step it to the next point.
template <int D>
inline void point_step(uint32_t* x, const uint32_t (*v)[33], uint32_t c, uint32_t* out) {
  for (int d = 0; d < D; ++d) {
    out[d] = x[d];
    x[d] ^= v[d][c];
  }
}

// Whole points of dimension D into out (np points); X and the counter move past them.
template <int D>
inline void whole_points_fixed(uint32_t* x, const uint32_t (*v)[33], uint32_t& counter, uint32_t* out, int32_t np) {
  uint32_t xs[D];
  for (int d = 0; d < D; ++d) xs[d] = x[d];
  uint32_t c = counter;
  for (int32_t p = 0; p < np; ++p, ++c, out += D) point_step<D>(xs, v, trailing_ones(c), out);
  for (int d = 0; d < D; ++d) x[d] = xs[d];
  counter = c;
}

// Larger dimensions: the 33 columns are gathered once per call into a transposed copy, so the
// per-point step is a run of contiguous XORs over whole 128-bit lanes.
template <int Dmax>
inline void whole_points_wide(QuasiState<Dmax>* st, uint32_t* out, int32_t np) {
  const int32_t D = st->D;
  const int32_t Dp = (D + 3) & ~3;
  alignas(16) uint32_t cols[33][Dmax + 3 > 0 ? ((Dmax + 3) & ~3) : 4];
  alignas(16) uint32_t x[(Dmax + 3) & ~3];
  for (int32_t d = 0; d < Dp; ++d) x[d] = d < D ? st->X[d] : 0;
  // only the columns the counters of this call can reach
  uint32_t top = 1;
  for (uint32_t c = st->counter, e = c + static_cast<uint32_t>(np); c != e; c >>= 1, e >>= 1) ++top;
  if (top > 33) top = 33;
  for (uint32_t j = 0; j < top; ++j)
    for (int32_t d = 0; d < Dp; ++d) cols[j][d] = d < D ? st->V[d][j] : 0;
  uint32_t c = st->counter;
  for (int32_t p = 0; p < np; ++p, ++c, out += D) {
    const uint32_t* col = cols[trailing_ones(c)];
    int32_t d = 0;
    for (; d + 4 <= D; d += 4) {
      __m128i xv = _mm_load_si128(reinterpret_cast<const __m128i*>(x + d));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + d), xv);
      _mm_store_si128(reinterpret_cast<__m128i*>(x + d),
                      _mm_xor_si128(xv, _mm_load_si128(reinterpret_cast<const __m128i*>(col + d))));
    }
    for (; d < D; ++d) {
      out[d] = x[d];
      x[d] ^= col[d];
    }
  }
  for (int32_t d = 0; d < D; ++d) st->X[d] = x[d];
  st->counter = c;
}

template <int Dmax>
inline void whole_points(QuasiState<Dmax>* st, uint32_t* out, int32_t np) {
  if (np <= 0) return;
  const uint32_t(*v)[33] = st->V;
  switch (st->D) {
#define ZAFORQ_QUASI_FIXED(K) \
  case K:                     \
    return whole_points_fixed<K>(st->X, v, st->counter, out, np);
    ZAFORQ_QUASI_FIXED(1)
    ZAFORQ_QUASI_FIXED(2)
    ZAFORQ_QUASI_FIXED(3)
    ZAFORQ_QUASI_FIXED(4)
    ZAFORQ_QUASI_FIXED(5)
    ZAFORQ_QUASI_FIXED(6)
    ZAFORQ_QUASI_FIXED(7)
    ZAFORQ_QUASI_FIXED(8)
    ZAFORQ_QUASI_FIXED(9)
    ZAFORQ_QUASI_FIXED(10)
    ZAFORQ_QUASI_FIXED(11)
    ZAFORQ_QUASI_FIXED(12)
    ZAFORQ_QUASI_FIXED(13)
    ZAFORQ_QUASI_FIXED(14)
    ZAFORQ_QUASI_FIXED(15)
#undef ZAFORQ_QUASI_FIXED
    default:
      return whole_points_wide(st, out, np);
  }
}

// Steps the whole point X from index counter to counter + 1.
template <int Dmax>
inline void advance_point(QuasiState<Dmax>* st) {
  const uint32_t c = trailing_ones(st->counter);
  for (int32_t d = 0; d < st->D; ++d) st->X[d] ^= st->V[d][c];
  ++st->counter;
}

// The next n raw coordinates.
template <int Dmax>
inline void quasi_fill(QuasiState<Dmax>* st, uint32_t* out, int32_t n) {
  if (st->leap >= 0) {
    const int32_t k = st->leap;
    uint32_t x = st->X[k], c = st->counter;
    const uint32_t* v = st->V[k];
    for (int32_t i = 0; i < n; ++i, ++c) {
      out[i] = x;
      x ^= v[trailing_ones(c)];
    }
    st->X[k] = x;
    st->counter = c;
    return;
  }
  const int32_t D = st->D;
  int32_t i = 0;
  if (st->left > 0) {  // finish the point a previous call stopped in
    const int32_t from = D - st->left, take = n < st->left ? n : st->left;
    for (int32_t t = 0; t < take; ++t) out[t] = st->X[from + t];
    i = take;
    st->left -= take;
    if (st->left > 0) return;
    advance_point(st);
  }
  const int32_t np = (n - i) / D;
  whole_points(st, out + i, np);
  i += np * D;
  if (i < n) {  // the call ends inside a point: X stays there
    const int32_t r = n - i;
    for (int32_t t = 0; t < r; ++t) out[i + t] = st->X[t];
    st->left = D - r;
  }
}

// Leapfrog: deliver only coordinate k of the successive points from here on.
template <int Dmax>
inline void quasi_leapfrog(QuasiState<Dmax>* st, int32_t k) {
  if (st->leap == k) return;
  if (st->leap < 0) {
    if (st->left > 0 && k < st->D - st->left) {  // coordinate k of this point is already out
      st->X[k] ^= st->V[k][trailing_ones(st->counter)];
      ++st->counter;
    }
  } else {
    ++st->counter;
    st->X[k] = point_coordinate(st, k, st->counter);
  }
  st->left = 0;
  st->leap = k;
}

// Skip-ahead by nskip >= 1 coordinates (units of D also in leapfrog mode).
template <int Dmax>
inline void quasi_skip(QuasiState<Dmax>* st, int32_t nskip) {
  const int32_t D = st->D, p = st->left;
  int32_t q, r;
  if (p > nskip) {
    st->left = p - nskip;
    return;
  }
  if (p > 0) {
    q = (nskip - p) / D + 1;
    r = (nskip - p) % D;
  } else {
    q = nskip / D;
    r = nskip % D;
    if (q == 0) {
      st->left = r > 0 ? D - r : 0;
      return;
    }
  }
  const uint32_t from = st->counter, to = from + static_cast<uint32_t>(q);
  uint32_t flip = (from ^ (from >> 1)) ^ (to ^ (to >> 1));
  for (int j = 0; flip; ++j, flip >>= 1)
    if (flip & 1)
      for (int32_t d = 0; d < D; ++d) st->X[d] ^= st->V[d][j];
  st->counter = to;
  st->left = r > 0 ? D - r : 0;
}

}  // namespace zaforq::orq
