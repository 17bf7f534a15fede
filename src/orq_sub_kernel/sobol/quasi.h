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

// A state read from a file may hold anything: a dimension out of range becomes 1, a selected
// coordinate or a count of coordinates left that does not fit the dimension is dropped, so no
// index leaves the record. States the library wrote pass unchanged.
template <int Dmax>
inline void quasi_sanitize(QuasiState<Dmax>* st) {
  if (st->D < 1 || st->D > Dmax) st->D = 1;
  if (st->leap < -1 || st->leap >= st->D) st->leap = -1;
  if (st->left < 0 || st->left >= st->D) st->left = 0;
}

// ---- output sinks: raw words, or doubles / floats v * s + a with v converted exactly ----------

struct WordSink {
  uint32_t* out;
  void put(int32_t i, uint32_t x) const { out[i] = x; }
  void put4(int32_t i, __m128i x) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), x); }
};

// Four unsigned words as doubles: with the top bit flipped they are signed, and adding 2^31
// back is exact.
inline void u32x4_to_f64(__m128i x, __m128d* lo, __m128d* hi) {
  const __m128i flipped = _mm_xor_si128(x, _mm_set1_epi32(static_cast<int32_t>(0x80000000u)));
  const __m128d two31 = _mm_set1_pd(2147483648.0);
  *lo = _mm_add_pd(_mm_cvtepi32_pd(flipped), two31);
  *hi = _mm_add_pd(_mm_cvtepi32_pd(_mm_shuffle_epi32(flipped, 0xEE)), two31);
}

struct DoubleSink {
  double* out;
  double s, a;
  void put(int32_t i, uint32_t x) const { out[i] = u32_to_double(x) * s + a; }
  void put4(int32_t i, __m128i x) const {
    __m128d lo, hi;
    u32x4_to_f64(x, &lo, &hi);
    const __m128d vs = _mm_set1_pd(s), va = _mm_set1_pd(a);
    _mm_storeu_pd(out + i, _mm_add_pd(_mm_mul_pd(lo, vs), va));
    _mm_storeu_pd(out + i + 2, _mm_add_pd(_mm_mul_pd(hi, vs), va));
  }
};

// Computed in double precision, rounded to float once.
struct FloatSink {
  float* out;
  double s, a;
  void put(int32_t i, uint32_t x) const { out[i] = static_cast<float>(u32_to_double(x) * s + a); }
  void put4(int32_t i, __m128i x) const {
    __m128d lo, hi;
    u32x4_to_f64(x, &lo, &hi);
    const __m128d vs = _mm_set1_pd(s), va = _mm_set1_pd(a);
    const __m128 flo = _mm_cvtpd_ps(_mm_add_pd(_mm_mul_pd(lo, vs), va));
    const __m128 fhi = _mm_cvtpd_ps(_mm_add_pd(_mm_mul_pd(hi, vs), va));
    _mm_storeu_ps(out + i, _mm_movelh_ps(flo, fhi));
  }
};

// ---- whole points ---------------------------------------------------------------------------------
//
// Within four points whose first index c is a multiple of 4, gray(c + j) = gray(c) ^ gray(j), so
// the points are P_c ^ {0, V0, V0 ^ V1, V1}; the next group starts at
// P_(c+4) = P_(c+3) ^ V[c(c + 3)] with c(c + 3) = 2 + c(c / 4).

inline __m128i group_offsets(const uint32_t* v) {
  return _mm_setr_epi32(0, static_cast<int32_t>(v[0]), static_cast<int32_t>(v[0] ^ v[1]), static_cast<int32_t>(v[1]));
}
inline __m128i splat(uint32_t x) { return _mm_set1_epi32(static_cast<int32_t>(x)); }

// np points of one coordinate whose direction numbers are v (dimension 1, or the coordinate a
// leapfrogged stream delivers), written from index at.
template <class Sink>
inline void single_coordinate(uint32_t& x, const uint32_t* v, uint32_t& counter, int32_t np, const Sink& out,
                              int32_t at) {
  uint32_t c = counter;
  for (; np > 0 && (c & 3); --np, ++c, ++at) {
    out.put(at, x);
    x ^= v[trailing_ones(c)];
  }
  const __m128i offs = group_offsets(v);
  for (; np >= 4; np -= 4, c += 4, at += 4) {
    out.put4(at, _mm_xor_si128(splat(x), offs));
    x ^= v[1] ^ v[2 + trailing_ones(c >> 2)];
  }
  for (; np > 0; --np, ++c, ++at) {
    out.put(at, x);
    x ^= v[trailing_ones(c)];
  }
  counter = c;
}

// np two-dimensional points from index at: the two coordinates' groups of four interleaved.
template <class Sink>
inline void two_coordinates(uint32_t* x, const uint32_t (*v)[33], uint32_t& counter, int32_t np, const Sink& out,
                            int32_t at) {
  uint32_t c = counter, x0 = x[0], x1 = x[1];
  for (; np > 0 && (c & 3); --np, ++c, at += 2) {
    const uint32_t t = trailing_ones(c);
    out.put(at, x0);
    out.put(at + 1, x1);
    x0 ^= v[0][t];
    x1 ^= v[1][t];
  }
  const __m128i o0 = group_offsets(v[0]), o1 = group_offsets(v[1]);
  for (; np >= 4; np -= 4, c += 4, at += 8) {
    const __m128i p0 = _mm_xor_si128(splat(x0), o0), p1 = _mm_xor_si128(splat(x1), o1);
    out.put4(at, _mm_unpacklo_epi32(p0, p1));
    out.put4(at + 4, _mm_unpackhi_epi32(p0, p1));
    const uint32_t t = 2 + trailing_ones(c >> 2);
    x0 ^= v[0][1] ^ v[0][t];
    x1 ^= v[1][1] ^ v[1][t];
  }
  for (; np > 0; --np, ++c, at += 2) {
    const uint32_t t = trailing_ones(c);
    out.put(at, x0);
    out.put(at + 1, x1);
    x0 ^= v[0][t];
    x1 ^= v[1][t];
  }
  x[0] = x0;
  x[1] = x1;
  counter = c;
}

// Three or more dimensions: the direction numbers are gathered once per call into columns, so a
// point is a few 128-bit XORs; a group of four coordinates is written whole even where it runs
// past the point (the next point overwrites those slots), except where it would pass index end.
// G > 0 fixes the number of groups (dimensions up to 15 keep the point in registers).
template <int G, int Dmax, class Sink>
inline void many_coordinates(QuasiState<Dmax>* st, int32_t np, const Sink& out, int32_t at, int32_t end) {
  constexpr int32_t kPad = (Dmax + 3) & ~3;
  const int32_t D = st->D, groups = G > 0 ? G : (D + 3) / 4, Dp = 4 * groups;
  alignas(16) uint32_t cols[33][kPad];
  alignas(16) uint32_t x[kPad];
  for (int32_t d = 0; d < Dp; ++d) x[d] = d < D ? st->X[d] : 0;
  // only the columns the counters of this call can reach
  uint32_t top = 1;
  for (uint32_t c = st->counter, e = c + static_cast<uint32_t>(np); c != e; c >>= 1, e >>= 1) ++top;
  if (top > 33) top = 33;
  for (uint32_t j = 0; j < top; ++j)
    for (int32_t d = 0; d < Dp; ++d) cols[j][d] = d < D ? st->V[d][j] : 0;
  uint32_t c = st->counter;
  auto point = [&](__m128i* xs, int32_t p_at) {
    const uint32_t* col = cols[trailing_ones(c)];
    for (int32_t g = 0; g < groups; ++g) {
      if (p_at + 4 * g + 4 <= end) {
        out.put4(p_at + 4 * g, xs[g]);
      } else {
        alignas(16) uint32_t lane[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lane), xs[g]);
        for (int32_t l = 0; l < 4 && 4 * g + l < D; ++l) out.put(p_at + 4 * g + l, lane[l]);
      }
      xs[g] = _mm_xor_si128(xs[g], _mm_load_si128(reinterpret_cast<const __m128i*>(col + 4 * g)));
    }
    ++c;
  };
  if (G > 0) {
    __m128i xs[G > 0 ? G : 1];
    for (int g = 0; g < G; ++g) xs[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(x + 4 * g));
    for (int32_t p = 0; p < np; ++p, at += D) point(xs, at);
    for (int g = 0; g < G; ++g) _mm_store_si128(reinterpret_cast<__m128i*>(x + 4 * g), xs[g]);
  } else {
    __m128i* xs = reinterpret_cast<__m128i*>(x);
    for (int32_t p = 0; p < np; ++p, at += D) point(xs, at);
  }
  for (int32_t d = 0; d < D; ++d) st->X[d] = x[d];
  st->counter = c;
}

// Steps the whole point X from index counter to counter + 1.
template <int Dmax>
inline void advance_point(QuasiState<Dmax>* st) {
  const uint32_t c = trailing_ones(st->counter);
  for (int32_t d = 0; d < st->D; ++d) st->X[d] ^= st->V[d][c];
  ++st->counter;
}

// The next n coordinates into the sink.
template <int Dmax, class Sink>
inline void quasi_generate(QuasiState<Dmax>* st, int32_t n, const Sink& out) {
  quasi_sanitize(st);
  if (st->leap >= 0) {
    single_coordinate(st->X[st->leap], st->V[st->leap], st->counter, n, out, 0);
    return;
  }
  const int32_t D = st->D;
  int32_t i = 0;
  if (st->left > 0) {  // finish the point a previous call stopped in
    const int32_t from = D - st->left, take = n < st->left ? n : st->left;
    for (int32_t t = 0; t < take; ++t) out.put(t, st->X[from + t]);
    i = take;
    st->left -= take;
    if (st->left > 0) return;
    advance_point(st);
  }
  const int32_t np = (n - i) / D;
  if (np > 0) {
    switch (D) {
      case 1: single_coordinate(st->X[0], st->V[0], st->counter, np, out, i); break;
      case 2: two_coordinates(st->X, st->V, st->counter, np, out, i); break;
      case 3: case 4: many_coordinates<1>(st, np, out, i, n); break;
      case 5: case 6: case 7: case 8: many_coordinates<2>(st, np, out, i, n); break;
      case 9: case 10: case 11: case 12: many_coordinates<3>(st, np, out, i, n); break;
      case 13: case 14: case 15: many_coordinates<4>(st, np, out, i, n); break;
      default: many_coordinates<0>(st, np, out, i, n); break;
    }
  }
  i += np * D;
  if (i < n) {  // the call ends inside a point: X stays there
    const int32_t r = n - i;
    for (int32_t t = 0; t < r; ++t) out.put(i + t, st->X[t]);
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
  quasi_sanitize(st);
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
