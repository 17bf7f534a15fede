// Error function and its complement, shared by the Erf and Erfc kernels of every class.
//
// Erf: |x| is cut into intervals (quarters of binades, see tools/erf_tables/gen.py) and erf
// is a polynomial in t = |x| s - m on each, the sign of x put back at the end. Above 6 erf is
// 1 to double precision; the clamped magnitude lands on a last row that holds the constant 1.
//
// Erfc: erfc(a) = e^(-a^2) G(a) for a = |x|, with G = e^(a^2) erfc a a slowly varying
// polynomial on eighths of binades; a^2 is formed exactly so that the exponential loses
// nothing to the rounding of the square (which near the underflow end would cost a thousand
// ulps), and negative arguments use erfc(x) = 2 - erfc(|x|), which cannot cancel since the
// result is at least 1.
//
// The float _HA kernels take a short Taylor step from the nearest point of a grid of 1/128 on
// which erfc and its derivative are tabulated, the sums in double and one rounding at the end,
// which also rounds subnormal float results correctly (Erfc _21 uses it beyond its fast path).
// The float _21 and _11 kernels take the same step in float from float rows, _11 with the
// first-order term of P only.
#pragma once
#include <stdint.h>
#include <string.h>

#include <type_traits>

#include "common/bits.h"
#include "common/fpenv.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::erfk {

using namespace zaforq::simd;

#include "zaf_core/_erf/erf_tables.inc"

// ---- table rows ------------------------------------------------------------------------------

// Row numbers of non-negative magnitudes from their high words h: interval 0 below 1/8, then
// 2^Split intervals per binade, clamped to the last row.
template <int Split, int Last, class I>
__attribute__((always_inline)) inline I rows_from_high_words(I h) {
  I i = sar<20 - Split>(h - I::all(0x3FC00000)) + I::all(1);  // 0x3FC00000: 1/8
  i = select(i < I::all(0), I::all(0), i);
  return select(i > I::all(Last), I::all(Last), i);
}

// The row numbers of a double register's lanes. The arithmetic runs on every 32-bit half; the
// high words are the odd ones.
template <int Split, int Last, class V>
__attribute__((always_inline)) inline void row_numbers(V a, int32_t* k) {
  const typename V::i32 i = rows_from_high_words<Split, Last>(a.bits().as_i32());
  alignas(64) int32_t w[2 * V::lanes];
  i.store(w);
  for (int j = 0; j < V::lanes; ++j) k[j] = w[2 * j + 1];
}

// The table rows of a double register's lanes, read column by column (col(k), k from 0). Two
// lanes read a column with two scalar loads. Wider registers read each row's columns in pairs
// and interleave the pairs of two rows, two columns per unpack: a load per lane and column
// would make the loads, not the arithmetic, the limit.
template <class V, int W>
struct Rows;

template <int W>
struct Rows<f64x2, W> {
  const double* p0;
  const double* p1;
  __attribute__((always_inline)) Rows(const double (*tab)[W], const int32_t* k) : p0(tab[k[0]]), p1(tab[k[1]]) {}
  __attribute__((always_inline)) f64x2 col(int k) const { return _mm_loadh_pd(_mm_load_sd(p0 + k), p1 + k); }
};

#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
// Columns j and j + 1 of rows p[0], p[2], ... in the halves of a and of rows p[1], p[3], ...
// in b come out of the unpacks. An odd last column is read with the one before it, so no
// load passes the end of a row.
template <int W>
constexpr int pair_at(int j) {
  return j + 1 < W ? j : W - 2;
}

template <int W>
struct Rows<simd::ZAFORQ_ISA_NS::f64x4, W> {
  simd::ZAFORQ_ISA_NS::f64x4 c[W];
  __attribute__((always_inline)) Rows(const double (*tab)[W], const int32_t* k) {
    const double *p0 = tab[k[0]], *p1 = tab[k[1]], *p2 = tab[k[2]], *p3 = tab[k[3]];
#pragma GCC unroll 16
    for (int j = 0; j < W; j += 2) {
      const int at = pair_at<W>(j);
      const __m256d a = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p0 + at)), _mm_loadu_pd(p2 + at), 1);
      const __m256d b = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p1 + at)), _mm_loadu_pd(p3 + at), 1);
      if (at == j) c[j] = _mm256_unpacklo_pd(a, b);
      c[at + 1] = _mm256_unpackhi_pd(a, b);
    }
  }
  __attribute__((always_inline)) simd::ZAFORQ_ISA_NS::f64x4 col(int k) const { return c[k]; }
};
#endif

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// Eight rows are read four columns at a time (a narrow table, two columns, by pairs as on
// AVX2): rows 0 and 2, 1 and 3, 4 and 6, 5 and 7 share a register; unpacking the pairs gives
// columns j and j + 2 (or j + 1 and j + 3) of two rows per 128-bit quarter, and one quarter
// shuffle puts them in lane order. A last, partial block is read from W - 4 on, inside the row.
template <int W>
struct Rows<simd::ZAFORQ_ISA_NS::f64x8, W> {
  simd::ZAFORQ_ISA_NS::f64x8 c[W];
  __attribute__((always_inline)) static __m512d halves(const double* lo, const double* hi, int at) {
    return _mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_loadu_pd(lo + at)), _mm256_loadu_pd(hi + at), 1);
  }
  __attribute__((always_inline)) static __m512d quarters(const double* q0, const double* q1, const double* q2,
                                                        const double* q3, int at) {
    const __m256d lo = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(q0 + at)), _mm_loadu_pd(q1 + at), 1);
    const __m256d hi = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(q2 + at)), _mm_loadu_pd(q3 + at), 1);
    return _mm512_insertf64x4(_mm512_castpd256_pd512(lo), hi, 1);
  }
  // Columns at .. at + 3 of the eight rows p0 .. p7, each in lane order.
  __attribute__((always_inline)) static void block4(const double* p0, const double* p1, const double* p2,
                                                    const double* p3, const double* p4, const double* p5,
                                                    const double* p6, const double* p7, int at, __m512d (&cols)[4]) {
    const __m512d a0 = halves(p0, p2, at), a1 = halves(p1, p3, at);
    const __m512d a2 = halves(p4, p6, at), a3 = halves(p5, p7, at);
    const __m512d t0 = _mm512_unpacklo_pd(a0, a1), t1 = _mm512_unpackhi_pd(a0, a1);
    const __m512d t2 = _mm512_unpacklo_pd(a2, a3), t3 = _mm512_unpackhi_pd(a2, a3);
    cols[0] = _mm512_shuffle_f64x2(t0, t2, _MM_SHUFFLE(2, 0, 2, 0));
    cols[1] = _mm512_shuffle_f64x2(t1, t3, _MM_SHUFFLE(2, 0, 2, 0));
    cols[2] = _mm512_shuffle_f64x2(t0, t2, _MM_SHUFFLE(3, 1, 3, 1));
    cols[3] = _mm512_shuffle_f64x2(t1, t3, _MM_SHUFFLE(3, 1, 3, 1));
  }
  __attribute__((always_inline)) Rows(const double (*tab)[W], const int32_t* k) {
    const double *p0 = tab[k[0]], *p1 = tab[k[1]], *p2 = tab[k[2]], *p3 = tab[k[3]];
    const double *p4 = tab[k[4]], *p5 = tab[k[5]], *p6 = tab[k[6]], *p7 = tab[k[7]];
    if constexpr (W < 4) {
#pragma GCC unroll 16
      for (int j = 0; j < W; j += 2) {
        const int at = pair_at<W>(j);
        const __m512d a = quarters(p0, p2, p4, p6, at);
        const __m512d b = quarters(p1, p3, p5, p7, at);
        if (at == j) c[j] = _mm512_unpacklo_pd(a, b);
        c[at + 1] = _mm512_unpackhi_pd(a, b);
      }
    } else {
#pragma GCC unroll 16
      for (int j = 0; j < W; j += 4) {
        const int at = j + 4 <= W ? j : W - 4;
        __m512d cols[4];
        block4(p0, p1, p2, p3, p4, p5, p6, p7, at, cols);
        for (int i = j - at; i < 4; ++i) c[at + i] = cols[i];
      }
    }
  }
  __attribute__((always_inline)) simd::ZAFORQ_ISA_NS::f64x8 col(int k) const { return c[k]; }
};
#endif

// Row numbers as above, in a register of integers of the lanes' width: the high words moved
// down to the low halves of their 64-bit lanes.
template <int Split, int Last, class V>
__attribute__((always_inline)) inline typename V::i64 row_numbers_in_lanes(V a) {
  return shr<32>(rows_from_high_words<Split, Last>(a.bits().as_i32()).as_i64());
}

// A table of at most 24 rows stored column by column, each column padded to 24 entries: three
// registers of eight doubles hold a whole column, and a lane's coefficient is a permutation
// of them by its row number.
template <int N, int W>
struct ByColumn {
  static_assert(N <= 24, "three registers of eight rows");
  alignas(64) double v[W][24];
};
template <int N, int W>
constexpr ByColumn<N, W> by_column(const double (&t)[N][W]) {
  ByColumn<N, W> r{};
  for (int k = 0; k < W; ++k)
    for (int i = 0; i < N; ++i) r.v[k][i] = t[i][k];
  return r;
}
template <const auto& Tab>
inline constexpr auto kByColumn = by_column(Tab);

// Whether a table of N rows is read through its column copy on registers V: on AVX-512, two
// permutations per column against the three shuffles per column of reading eight rows.
template <class V, int N>
struct read_by_column {
  static constexpr bool value = false;
};

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
template <int N>
struct read_by_column<simd::ZAFORQ_ISA_NS::f64x8, N> {
  static constexpr bool value = N <= 24;
};

template <int N, int W>
struct ColumnRows {
  const ByColumn<N, W>& t;
  __m512i row;      // row number per lane
  __mmask8 high;    // lanes whose row is 16 or more
  __attribute__((always_inline)) ColumnRows(const ByColumn<N, W>& tab, simd::ZAFORQ_ISA_NS::i64x8 r)
      : t(tab), row(r.v), high(_mm512_cmpge_epi64_mask(r.v, _mm512_set1_epi64(16))) {}
  // Rows 0 to 15 from the first two registers (bit 3 of the number picks the register), rows
  // 16 to 23 from the third (bits 0 to 2).
  __attribute__((always_inline)) simd::ZAFORQ_ISA_NS::f64x8 col(int k) const {
    const __m512d lo = _mm512_permutex2var_pd(_mm512_load_pd(&t.v[k][0]), row, _mm512_load_pd(&t.v[k][8]));
    return _mm512_mask_permutexvar_pd(lo, high, row, _mm512_load_pd(&t.v[k][16]));
  }
};
#endif

// Row numbers of two registers of two doubles at once: their high words gathered into one
// register of four, for the SSE2 path of the double kernels.
template <int Split, int Last>
__attribute__((always_inline)) inline void row_numbers(f64x2 a0, f64x2 a1, int32_t* k) {
  const i32x4 h = _mm_castps_si128(
      _mm_shuffle_ps(_mm_castpd_ps(a0.v), _mm_castpd_ps(a1.v), _MM_SHUFFLE(3, 1, 3, 1)));
  rows_from_high_words<Split, Last>(h).store(k);
}

// The rows of the lanes' magnitudes a in the table Tab.
template <int Split, const auto& Tab, class V>
__attribute__((always_inline)) inline auto rows_of(V a) {
  using A = std::remove_reference_t<decltype(Tab)>;
  constexpr int N = std::extent_v<A, 0>, W = std::extent_v<A, 1>;
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
  if constexpr (read_by_column<V, N>::value) {
    return ColumnRows<N, W>(kByColumn<Tab>, row_numbers_in_lanes<Split, N - 1>(a));
  } else
#endif
  {
    int32_t k[V::lanes];
    row_numbers<Split, N - 1>(a, k);
    return Rows<V, W>(Tab, k);
  }
}

// Columns First..Last as polynomial coefficients in t (First the constant term), by Horner's
// rule, fully unrolled so that the coefficient loads run ahead of the multiply-add chain.
template <int First, int Last, class V, class R>
__attribute__((always_inline)) inline V poly(const R& p, V t) {
  V q = p.col(Last);
#pragma GCC unroll 16
  for (int k = Last - 1; k >= First; --k) q = q * t + p.col(k);
  return q;
}

// t = a s - m, exact: s is a power of two and a s lies within a factor of two of m.
template <class V, class R>
__attribute__((always_inline)) inline V reduce(V a, const R& p) {
  return a * p.col(1) - p.col(0);
}

template <class V>
__attribute__((always_inline)) inline V sign_of(V x) {
  return x & V::all(-0.0);
}

// ---- erf ----------------------------------------------------------------------------------------

constexpr int kErfLast = 23;  // the row of the constant 1
template <class V>
__attribute__((always_inline)) inline V erf_magnitude(V x) {
  return min(abs(x), V::all(8.0));  // infinities to 8
}

// Double _HA. Row: m, s, c0 high, c0 low, c1 high (26 bits), c1 low, c2 ... c14. The leading
// terms c0 + t c1 are kept to twice the working precision: t is split so that t_high c1_high is
// exact, and only the final addition rounds.
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// t = a s - m on AVX-512 without reading the m and s columns (two permutations each), for rows
// that split each binade into 2^Bits parts: m / s is the midpoint of a's part (a's leading Bits
// mantissa bits, then a one) and s = 2^-max(E, 0) for a in [2^E, 2^(E + 1)), so
// t = (a - m / s) s, the same exact value; t = a below 1/8.
template <int Bits>
__attribute__((always_inline)) inline simd::ZAFORQ_ISA_NS::f64x8 reduce_in_binade(simd::ZAFORQ_ISA_NS::f64x8 a) {
  constexpr uint64_t kKeep = ~((uint64_t{1} << (52 - Bits)) - 1), kHalf = uint64_t{1} << (51 - Bits);
  const __m512i b = _mm512_castpd_si512(a.v);
  const __m512d mid = _mm512_castsi512_pd(_mm512_ternarylogic_epi64(b, _mm512_set1_epi64(static_cast<int64_t>(kKeep)),
                                                                    _mm512_set1_epi64(static_cast<int64_t>(kHalf)), 0xEA));
  const __m512d p2 = _mm512_max_pd(_mm512_and_pd(a.v, _mm512_castsi512_pd(_mm512_set1_epi64(0x7FF0000000000000ll))),
                                    _mm512_set1_pd(1.0));
  const __m512d s = _mm512_castsi512_pd(_mm512_sub_epi64(_mm512_set1_epi64(0x7FE0000000000000ll), _mm512_castpd_si512(p2)));
  const __m512d t = _mm512_mul_pd(_mm512_sub_pd(a.v, mid), s);
  return _mm512_mask_blend_pd(_mm512_cmp_pd_mask(a.v, _mm512_set1_pd(0.125), _CMP_LT_OQ), t, a.v);
}

// Double Erf: quarter binades. Above 6 the row is the constant 1, whatever t.
__attribute__((always_inline)) inline simd::ZAFORQ_ISA_NS::f64x8 derf_reduce(simd::ZAFORQ_ISA_NS::f64x8 a) {
  return reduce_in_binade<2>(a);
}
#endif

template <class V, class R>
__attribute__((always_inline)) inline V derf_ha(V x, V a, const R& p) {
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
  V t;
  if constexpr (std::is_same_v<V, simd::ZAFORQ_ISA_NS::f64x8>) t = derf_reduce(a);
  else t = reduce(a, p);
#else
  const V t = reduce(a, p);
#endif
  const V ct = t * V::all(134217729.0);  // 2^27 + 1
  const V th = ct - (ct - t);
  const V tl = t - th;
  const V c0h = p.col(2), c1h = p.col(4);
  const V P = th * c1h;
  // |c0 high| exceeds |P| on every interval but the first, where it is 0: the ordered sum is exact.
  const V S = c0h + P;
  const V E = P - (S - c0h);
  const V Q = poly<6, 18>(p, t);
  const V low = p.col(3) + (tl * c1h + t * (p.col(5) + t * Q));
  return (S + (E + low)) | sign_of(x);
}

// Double _50. Row: m, s, c0 ... c13.
template <class V, class R>
__attribute__((always_inline)) inline V derf_50(V x, V a, const R& p) {
  const V t = reduce(a, p);
  return (p.col(2) + t * poly<3, 15>(p, t)) | sign_of(x);
}

// erf x = x 2/sqrt(pi) for |x| below 2^-1000, where the result is near or below the normal
// range: the product is formed on the x87 unit with the 64-bit constant and rounded to double
// once (into the subnormal range where it lands there), with the x87 set to 64-bit precision
// and rounding to nearest for the duration.
inline double erf_tiny(double x) {
  // 1.1283791670955126: significand 0x906EBA8214DB688D, exponent 0x3FFF, little-endian.
  static const uint16_t kTwoOverSqrtPi[5] = {0x688D, 0x14DB, 0xBA82, 0x906E, 0x3FFF};
  const uint16_t cw = fnstcw();
  const uint16_t want = static_cast<uint16_t>((cw & ~0xF00u) | 0x300u);
  double r;
  // One asm block, so the compiler cannot move the product across the control-word loads.
  if (cw == want) {
    __asm__ __volatile__("fldt %[c]\n\tfmull %[x]\n\tfstpl %[r]"
                         : [r] "=m"(r)
                         : [c] "m"(kTwoOverSqrtPi), [x] "m"(x)
                         : "st");
  } else {
    __asm__ __volatile__("fldcw %[want]\n\tfldt %[c]\n\tfmull %[x]\n\tfstpl %[r]\n\tfldcw %[cw]"
                         : [r] "=m"(r)
                         : [want] "m"(want), [c] "m"(kTwoOverSqrtPi), [x] "m"(x), [cw] "m"(cw)
                         : "st");
  }
  return r;
}

// ---- erfc ---------------------------------------------------------------------------------------

constexpr int kErfcLast = 64;

// e^(-a^2) = 2^(k/64) e^r with k = round(-a^2 64/ln 2). Returns r, and k's octave scale and
// table row through the shifted sum s.
template <class V>
struct ExpSplit {
  V r, s;
};

template <class V>
__attribute__((always_inline)) inline ExpSplit<V> exp_minus(V x2h, V x2l) {
  const V minus_inv_step = V::all(bits<double>(0xC0571547652B82FEull));  // -92.33248261689366 = -64/ln 2
  const V shifter = V::all(bits<double>(0x4338000000000000ull));         // 1.5 * 2^52
  const V step_hi = V::all(bits<double>(0x3F862E42FEF00000ull));         // ln 2/64, high part
  const V step_lo = V::all(bits<double>(0x3D7473DE6AF278EDull));         // ln 2/64, low part
  const V s = x2h * minus_inv_step + shifter;
  const V kd = s - shifter;
  // k step_high is exact (k below 2^17, the high part 33 bits) and so is its difference to -a^2.
  return {((-x2h - kd * step_hi) - kd * step_lo) - x2l, s};
}

// 2^floor(k/64), with `octaves` added to the exponent.
template <class V>
__attribute__((always_inline)) inline V octave_scale(V s, int octaves) {
  using I = typename V::i64;
  return (shl<46>(s.bits() + I::all(0xFFC0 + 64 * static_cast<int64_t>(octaves))) &
          I::all(static_cast<int64_t>(0x7FF0000000000000ull)))
      .as_f64();
}

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// kErfcExp64 column by column, for reading it with permutations on AVX-512.
struct ErfcExpByColumn {
  alignas(64) double v[2][64];
};
constexpr ErfcExpByColumn erfc_exp_by_column() {
  ErfcExpByColumn r{};
  for (int i = 0; i < 64; ++i) {
    r.v[0][i] = kErfcExp64[i][0];
    r.v[1][i] = kErfcExp64[i][1];
  }
  return r;
}
inline constexpr ErfcExpByColumn kErfcExpByColumn = erfc_exp_by_column();
#endif

// 2^(j/64) as a high and a low part for j = k mod 64, the low bits of the shifted sum.
template <class V>
__attribute__((always_inline)) inline void exp_row(V s, V& th, V& tl) {
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
  if constexpr (std::is_same_v<V, simd::ZAFORQ_ISA_NS::f64x8>) {
    // Four permutations of two registers each cover the 64 entries of a column; bits 4 and 5
    // of j pick among them.
    const __m512i j = _mm512_castpd_si512(s.v);
    const __mmask8 b4 = _mm512_test_epi64_mask(j, _mm512_set1_epi64(16));
    const __mmask8 b5 = _mm512_test_epi64_mask(j, _mm512_set1_epi64(32));
    const auto column = [&](const double* c) __attribute__((always_inline)) {
      const __m512d q0 = _mm512_permutex2var_pd(_mm512_load_pd(c), j, _mm512_load_pd(c + 8));
      const __m512d q1 = _mm512_permutex2var_pd(_mm512_load_pd(c + 16), j, _mm512_load_pd(c + 24));
      const __m512d q2 = _mm512_permutex2var_pd(_mm512_load_pd(c + 32), j, _mm512_load_pd(c + 40));
      const __m512d q3 = _mm512_permutex2var_pd(_mm512_load_pd(c + 48), j, _mm512_load_pd(c + 56));
      return _mm512_mask_blend_pd(b5, _mm512_mask_blend_pd(b4, q0, q1), _mm512_mask_blend_pd(b4, q2, q3));
    };
    th = column(kErfcExpByColumn.v[0]);
    tl = column(kErfcExpByColumn.v[1]);
    return;
  }
#endif
  alignas(64) int32_t w[2 * V::lanes];
  s.bits().as_i32().store(w);
  int32_t k[V::lanes];
  for (int j = 0; j < V::lanes; ++j) k[j] = w[2 * j] & 63;
  const Rows<V, 2> e(kErfcExp64, k);
  th = e.col(0);
  tl = e.col(1);
}

// e^r - 1 for |r| <= ln 2/128, the minimax quintic of the double exponential.
template <class V>
__attribute__((always_inline)) inline V expm1_small(V r) {
  const V c2 = V::all(bits<double>(0x3FDFFFFFFFFFD97Cull));  // 0.49999999999945266
  const V c3 = V::all(bits<double>(0x3FC55555555542A1ull));  // 0.16666666666653376
  const V c4 = V::all(bits<double>(0x3FA555574BC3A1BEull));  // 0.04166672515731616
  const V c5 = V::all(bits<double>(0x3F81111276409C2Cull));  // 0.008333343728805863
  return r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
}

// 2 - v for negative x, v for positive: two_sum(base, ±v_high) is exact, so the result rounds once.
template <class V>
__attribute__((always_inline)) inline V fold_sign(V x, V vh, V vl) {
  const V neg = x < V::all(0.0);  // -0 counts as positive: erfc(-0) = 1
  const V sg = neg & V::all(-0.0);
  const V base = neg & V::all(2.0);
  const V A = vh ^ sg, B = vl ^ sg;
  const V S = base + A;
  const V bb = S - base;
  const V E = (base - (S - bb)) + (A - bb);
  return S + (E + B);
}

// a^2 as x2h + x2l exactly (Dekker's product of a with itself).
template <class V>
__attribute__((always_inline)) inline void square(V a, V& x2h, V& x2l) {
  const V ca = a * V::all(134217729.0);
  const V ah = ca - (ca - a);
  const V al = a - ah;
  x2h = a * a;
  x2l = ((ah * ah - x2h) + V::all(2.0) * ah * al) + al * al;
}

// Double _HA. Row: m, s, g0 high (26 bits), g0 low, g1 ... g11. `octaves` lifts the scale for
// results below the normal range (undone by the caller with one more rounding multiply).
template <class V, class R>
__attribute__((always_inline)) inline V derfc_ha(V x, V a, V t, const R& p, int octaves) {
  V x2h, x2l;
  square(a, x2h, x2l);
  const ExpSplit<V> e = exp_minus(x2h, x2l);
  V th, tl;
  exp_row(e.s, th, tl);
  const V q = expm1_small(e.r);
  const V c = tl + q * (th + tl);  // e^-a^2 = 2^q (th + c)
  const V g0h = p.col(2);
  const V gl = p.col(3) + t * poly<4, 14>(p, t);  // G = g0h + gl
  const V A = th * g0h;  // exact: both have 26 bits
  const V B = th * gl + c * (g0h + gl);
  const V scale = octave_scale(e.s, octaves);
  return fold_sign(x, A * scale, B * scale);
}

// Double _50. Row: m, s, g0 ... g10.
template <class V, class R>
__attribute__((always_inline)) inline V derfc_50(V x, V a, V t, const R& p, int octaves) {
  V x2h, x2l;
  square(a, x2h, x2l);
  const ExpSplit<V> e = exp_minus(x2h, x2l);
  V th, tl;
  exp_row(e.s, th, tl);
  const V E = th + (tl + expm1_small(e.r) * (th + tl));
  const V v = E * poly<2, 12>(p, t) * octave_scale(e.s, octaves);
  return select(x < V::all(0.0), V::all(2.0) - v, v);
}

// ---- one register of every kernel -----------------------------------------------------------------

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// The double Erf rows on AVX-512, the same numbers as rows_from_high_words: worked out in the
// 64-bit lanes themselves and clamped by min and max, so no compare result has to travel
// between mask and vector registers (the column reads spend the shuffle unit already).
template <const auto& Tab>
__attribute__((always_inline)) inline auto derf_rows(simd::ZAFORQ_ISA_NS::f64x8 a) {
  using A = std::remove_reference_t<decltype(Tab)>;
  constexpr int N = std::extent_v<A, 0>, W = std::extent_v<A, 1>;
  static_assert(N == kErfLast + 1, "interval 0 below 1/8, four per binade, the constant row last");
  const __m512i h = _mm512_srli_epi64(_mm512_castpd_si512(a.v), 32);
  __m512i i = _mm512_srai_epi64(_mm512_sub_epi64(h, _mm512_set1_epi64(0x3FC00000)), 18);
  i = _mm512_add_epi64(i, _mm512_set1_epi64(1));
  i = _mm512_min_epi64(_mm512_max_epi64(i, _mm512_setzero_si512()), _mm512_set1_epi64(N - 1));
  return ColumnRows<N, W>(kByColumn<Tab>, simd::ZAFORQ_ISA_NS::i64x8(i));
}
#endif

// Double Erf: magnitudes clamped, rows found, the class's evaluation.
template <bool HA, class V>
__attribute__((always_inline)) inline V derf(V x) {
  const V a = erf_magnitude(x);
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
  if constexpr (std::is_same_v<V, simd::ZAFORQ_ISA_NS::f64x8>) {
    if constexpr (HA) return derf_ha(x, a, derf_rows<kErfHA>(a));
    else return derf_50(x, a, derf_rows<kErf50>(a));
  } else
#endif
  {
    if constexpr (HA) return derf_ha(x, a, rows_of<2, kErfHA>(a));
    else return derf_50(x, a, rows_of<2, kErf50>(a));
  }
}

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// Double Erfc: eighths of binades. (a = 32, clamped NaN or beyond the fast path, gets another t;
// its lane is recomputed by the special routine.)
__attribute__((always_inline)) inline simd::ZAFORQ_ISA_NS::f64x8 derfc_reduce(simd::ZAFORQ_ISA_NS::f64x8 a) {
  return reduce_in_binade<3>(a);
}

// The G columns First .. W - 1 of eight rows (the m and s columns are not needed, see above),
// four at a time as in Rows; col(k) keeps the table's column numbers.
template <int W, int First>
struct ErfcRows8 {
  using D = simd::ZAFORQ_ISA_NS::f64x8;
  D c[W];
  // Row numbers in the lanes' low halves; they come out through register extracts, which
  // measured faster here than a store of the register and eight narrow reloads.
  __attribute__((always_inline)) ErfcRows8(const double (*tab)[W], __m512i k) {
    const __m256i k03 = _mm512_castsi512_si256(k), k47 = _mm512_extracti64x4_epi64(k, 1);
    const __m128i k01 = _mm256_castsi256_si128(k03), k23 = _mm256_extracti128_si256(k03, 1);
    const __m128i k45 = _mm256_castsi256_si128(k47), k67 = _mm256_extracti128_si256(k47, 1);
    const double *p0 = tab[_mm_cvtsi128_si64(k01)], *p1 = tab[_mm_extract_epi64(k01, 1)];
    const double *p2 = tab[_mm_cvtsi128_si64(k23)], *p3 = tab[_mm_extract_epi64(k23, 1)];
    const double *p4 = tab[_mm_cvtsi128_si64(k45)], *p5 = tab[_mm_extract_epi64(k45, 1)];
    const double *p6 = tab[_mm_cvtsi128_si64(k67)], *p7 = tab[_mm_extract_epi64(k67, 1)];
    using R = Rows<D, W>;
#pragma GCC unroll 16
    for (int j = First; j < W; j += 4) {
      const int at = j + 4 <= W ? j : W - 4;
      __m512d cols[4];
      R::block4(p0, p1, p2, p3, p4, p5, p6, p7, at, cols);
      for (int i = j - at; i < 4; ++i) c[at + i] = D(cols[i]);
    }
  }
  __attribute__((always_inline)) D col(int k) const { return c[k]; }
};
#endif

// Double Erfc of x for |x| = a (clamped by the caller).
template <bool HA, class V>
__attribute__((always_inline)) inline V derfc(V x, V a, int octaves) {
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
  if constexpr (std::is_same_v<V, simd::ZAFORQ_ISA_NS::f64x8>) {
    // The row numbers of rows_from_high_words, in the 64-bit lanes, clamped by min and max:
    // the 32-bit form's selects moved compare results between mask and vector registers on
    // the way to every row load, which cost a quarter of the kernel's time.
    const __m512i h = _mm512_srli_epi64(_mm512_castpd_si512(a.v), 32);
    __m512i k = _mm512_add_epi64(_mm512_srai_epi64(_mm512_sub_epi64(h, _mm512_set1_epi64(0x3FC00000)), 17),
                                 _mm512_set1_epi64(1));
    k = _mm512_min_epi64(_mm512_max_epi64(k, _mm512_setzero_si512()), _mm512_set1_epi64(kErfcLast));
    const V t = derfc_reduce(a);
    if constexpr (HA) return derfc_ha(x, a, t, ErfcRows8<15, 2>(kErfcHA, k), octaves);
    else return derfc_50(x, a, t, ErfcRows8<13, 2>(kErfc50, k), octaves);
  } else
#endif
  {
    if constexpr (HA) {
      const auto p = rows_of<3, kErfcHA>(a);
      return derfc_ha(x, a, reduce(a, p), p, octaves);
    } else {
      const auto p = rows_of<3, kErfc50>(a);
      return derfc_50(x, a, reduce(a, p), p, octaves);
    }
  }
}

// ---- float _HA: a Taylor step from a fine grid -------------------------------------

// a = r + d with r = j/128 the nearest grid point, |d| <= 1/256. About r,
//   erfc(r + d) = erfc(r) - s d P,  s = 2/sqrt(pi) e^(-r^2),  P = sum_n H_n(r) (-d)^n / (n + 1)!
// (H_n the Hermite polynomials). In v = r d and q = d^2,
//   P = 1 - v + 2/3 v^2 - 1/3 v^3 + 2/15 v^4 - q/3 + v q/2 + (v^5, v^2 q, q^2 terms),
// and the terms kept leave P with a relative error below 2^-26 up to r = 10.06, where s d is
// 0.08 of erfc: erfc within 2^-29.7. Erf takes the same step from 1 - erfc(r), which is
// exactly 0 at r = 0, so tiny arguments keep their relative accuracy.
//
// The row read per lane, two doubles, is the only table access. r, d and P - 1 are formed in
// float, sixteen lanes to a register on AVX-512: r and d exactly, and P - 1, at most 0.04, with
// a relative error of a few 2^-24, which is 2^-31 of the result. The sums that need the width,
// erfc(r) - s d P and 1 - erfc(r), run in double; the result is rounded to float once.
constexpr float kGridTopArg = 10.0625f;  // the last row; past the float Erfc's zero bound
constexpr float kSErfGridClamp = 4.0f;   // erfc(4) is below half an ulp of 1 in float
constexpr float kGridShifter = 0x1.8p16f;  // ulp 1/128: a + shifter rounds a to the grid
constexpr int32_t kGridShifterBits = 0x47C00000;

// The rows j[0 .. lanes - 1] of the grid: erfc(r) in e, s in the other column.
template <class D>
struct GridRows;

template <>
struct GridRows<f64x2> {
  __attribute__((always_inline)) static void read(const int32_t* j, f64x2& e, f64x2& s) {
    const __m128d r0 = _mm_load_pd(kErfcGrid[j[0]]), r1 = _mm_load_pd(kErfcGrid[j[1]]);
    e = _mm_unpacklo_pd(r0, r1);
    s = _mm_unpackhi_pd(r0, r1);
  }
};

#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
// Two rows to a register, a row per 128-bit half, and one unpack per column: on this processor
// family whole-row loads beat two hardware gathers.
template <>
struct GridRows<simd::ZAFORQ_ISA_NS::f64x4> {
  using D = simd::ZAFORQ_ISA_NS::f64x4;
  __attribute__((always_inline)) static __m256d pair(const int32_t* j, int l0, int l1) {
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(kErfcGrid[j[l0]])), _mm_load_pd(kErfcGrid[j[l1]]), 1);
  }
  __attribute__((always_inline)) static void read(const int32_t* j, D& e, D& s) {
    const __m256d a = pair(j, 0, 2), b = pair(j, 1, 3);
    e = _mm256_unpacklo_pd(a, b);
    s = _mm256_unpackhi_pd(a, b);
  }
};
#endif

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
template <>
struct GridRows<simd::ZAFORQ_ISA_NS::f64x8> {
  using D = simd::ZAFORQ_ISA_NS::f64x8;
  __attribute__((always_inline)) static __m512d quarters(const int32_t* j, int l0, int l1, int l2, int l3) {
    const __m256d lo = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(kErfcGrid[j[l0]])), _mm_load_pd(kErfcGrid[j[l1]]), 1);
    const __m256d hi = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(kErfcGrid[j[l2]])), _mm_load_pd(kErfcGrid[j[l3]]), 1);
    return _mm512_insertf64x4(_mm512_castpd256_pd512(lo), hi, 1);
  }
  __attribute__((always_inline)) static void read(const int32_t* j, D& e, D& s) {
    const __m512d a = quarters(j, 0, 2, 4, 6), b = quarters(j, 1, 3, 5, 7);
    e = _mm512_unpacklo_pd(a, b);
    s = _mm512_unpackhi_pd(a, b);
  }
};
#endif

// One half of a float register's lanes in double: erfc(r) and s d P, with d's sign flipped
// where the caller asks.
template <class D>
struct GridHalf {
  D e, c;
};

template <class F>
struct GridStep {
  GridHalf<typename F::f64> lo, hi;
};

// The step for float magnitudes a in [0, 10.0625]; `sign` (0 or -0 per lane) flips d.
template <class F>
__attribute__((always_inline)) inline GridStep<F> grid_step(F a, F sign) {
  using D = typename F::f64;
  const F t = a + F::all(kGridShifter);
  const F r = t - F::all(kGridShifter);
  const F d = a - r;  // exact
  const F v = r * d, q = d * d;
  const F pm1 = v * (F::all(-1.0f) + v * (F::all(2.0f / 3) + v * (F::all(-1.0f / 3) + v * F::all(2.0f / 15)))) +
                q * (v * F::all(0.5f) - F::all(1.0f / 3));  // P - 1
  alignas(64) int32_t j[F::lanes];
  (t.bits() - F::i32::all(kGridShifterBits)).store(j);
  const F ds = d ^ sign;
  const auto half = [&](const int32_t* jj, D dd, D p) __attribute__((always_inline)) {
    GridHalf<D> h;
    D s;
    GridRows<D>::read(jj, h.e, s);
    const D sd = s * dd;
    h.c = sd + sd * p;
    return h;
  };
  return {half(j, to_f64_low(ds), to_f64_low(pm1)), half(j + F::lanes / 2, to_f64_high(ds), to_f64_high(pm1))};
}

// erf, the sign put back on the rounded result (which also gives erf(-0) = -0).
template <class F>
__attribute__((always_inline)) inline F serf_grid(F x) {
  const GridStep<F> g = grid_step(min(abs(x), F::all(kSErfGridClamp)), F::all(0.0f));
  using D = typename F::f64;
  const auto value = [](GridHalf<D> h) __attribute__((always_inline)) { return (D::all(1.0) - h.e) + h.c; };
  return to_f32(value(g.lo), value(g.hi)) | sign_of(x);
}

// erfc(-a) = 2 - erfc(a) = (2 - erfc(r)) + s d P: no cancellation, the result is at least 1.
// d is flipped on negative lanes, so only erfc(r) needs the choice.
// NaN lanes clamp to the top row (min returns its second operand), so their read stays inside
// the table.
template <class F>
__attribute__((always_inline)) inline F serfc_grid(F x) {
  const GridStep<F> g = grid_step(min(abs(x), F::all(kGridTopArg)), sign_of(x));
  using D = typename F::f64;
  const auto value = [](GridHalf<D> h, D neg) __attribute__((always_inline)) { return select(neg, D::all(2.0) - h.e, h.e) - h.c; };
  const typename F::i32 neg = (x < F::all(0.0f)).bits();  // -0 counts as positive: erfc(-0) = 1
  return to_f32(value(g.lo, widen_low(neg)), value(g.hi, widen_high(neg)));
}

// ---- float Erf and Erfc _21: the grid step in float ---------------------------------------------

// The same step with float rows and float sums: the row values' rounding and three roundings of
// the sums stay below 2 ulps, and the terms of P beyond (r d)^3 below 2^-24. Erf reads erf(r)
// (1 - erfc(r) would cancel near 0 in float); Erfc's rows carry 2^40, undone by an exact
// multiplication since the fast path's results are normal.
template <class F>
struct GridRowsF;

template <>
struct GridRowsF<f32x4> {
  __attribute__((always_inline)) static __m128 pair(const float (*tab)[2], const int32_t* j, int l) {
    return _mm_loadh_pi(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(tab[j[l]]))),
                        reinterpret_cast<const __m64*>(tab[j[l + 1]]));
  }
  // Two rows per 64-bit half; the even floats are column 0.
  __attribute__((always_inline)) static void read(const float (*tab)[2], const int32_t* j, f32x4& e, f32x4& s) {
    const __m128 a = pair(tab, j, 0), b = pair(tab, j, 2);
    e = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    s = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
};

#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
template <>
struct GridRowsF<simd::ZAFORQ_ISA_NS::f32x8> {
  using F = simd::ZAFORQ_ISA_NS::f32x8;
  // Lanes l .. l + 3 as [row l, row l + 1 | row l + 4, row l + 5] and the next pairs in b: one
  // shuffle per column puts them in lane order within each 128-bit half.
  __attribute__((always_inline)) static void read(const float (*tab)[2], const int32_t* j, F& e, F& s) {
    const __m256 a = _mm256_insertf128_ps(_mm256_castps128_ps256(GridRowsF<f32x4>::pair(tab, j, 0)), GridRowsF<f32x4>::pair(tab, j, 4), 1);
    const __m256 b = _mm256_insertf128_ps(_mm256_castps128_ps256(GridRowsF<f32x4>::pair(tab, j, 2)), GridRowsF<f32x4>::pair(tab, j, 6), 1);
    e = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    s = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
};
#endif

#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
template <>
struct GridRowsF<simd::ZAFORQ_ISA_NS::f32x16> {
  using F = simd::ZAFORQ_ISA_NS::f32x16;
  __attribute__((always_inline)) static __m512 quarters(const float (*tab)[2], const int32_t* j, int l) {
    const __m256 lo = _mm256_insertf128_ps(_mm256_castps128_ps256(GridRowsF<f32x4>::pair(tab, j, l)), GridRowsF<f32x4>::pair(tab, j, l + 4), 1);
    const __m256 hi = _mm256_insertf128_ps(_mm256_castps128_ps256(GridRowsF<f32x4>::pair(tab, j, l + 8)), GridRowsF<f32x4>::pair(tab, j, l + 12), 1);
    return _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
  }
  __attribute__((always_inline)) static void read(const float (*tab)[2], const int32_t* j, F& e, F& s) {
    const __m512 a = quarters(tab, j, 0), b = quarters(tab, j, 2);
    e = _mm512_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    s = _mm512_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
};
#endif

// f(r) + s d P in float from the rows of tab, for magnitudes a on the table's grid; `sign`
// flips d. Short (the 2^-11 class): P = 1 - r d, the terms left out below 2^-10 of P, whose
// step is at most 0.08 of the result.
template <bool Short, class F, int N>
__attribute__((always_inline)) inline F grid_step_f(const float (&tab)[N][2], F a, F sign) {
  const F t = a + F::all(kGridShifter);
  const F r = t - F::all(kGridShifter);
  const F d = a - r;  // exact
  const F v = r * d;
  F pm1;  // P - 1
  if constexpr (Short) pm1 = F::all(0.0f) - v;
  else pm1 = v * (F::all(-1.0f) + v * (F::all(2.0f / 3) - v * F::all(1.0f / 3))) - d * d * F::all(1.0f / 3);
  alignas(64) int32_t j[F::lanes];
  (t.bits() - F::i32::all(kGridShifterBits)).store(j);
  F e, s;
  GridRowsF<F>::read(tab, j, e, s);
  const F sd = s * (d ^ sign);
  return e + (sd + sd * pm1);
}

constexpr float kSErfcGrid21Top = 9.2f;  // the last row; past the underflow bound

template <bool Short, class F>
__attribute__((always_inline)) inline F serf21_grid(F x) {
  return grid_step_f<Short>(kSErfGrid21, min(abs(x), F::all(kSErfGridClamp)), F::all(0.0f)) | sign_of(x);
}

// erfc a = 2^-40 (E - s d P): d flipped so that the step subtracts. NaN lanes read the top row.
template <bool Short, class F>
__attribute__((always_inline)) inline F serfc21_grid(F x) {
  static_assert(kSErfcGrid21Scale == 40, "the rows' scale");
  const F y = grid_step_f<Short>(kSErfcGrid21, min(abs(x), F::all(kSErfcGrid21Top)), F::all(-0.0f)) *
              F::all(0x1p-40f);
  return select(x < F::all(0.0f), F::all(2.0f) - y, y);
}

// Float Erfc: an argument at or above this reports UNDERFLOW, erfc falling below 2^-126 there.
constexpr float kSErfcUnderflow = 0x1.2639Cp+3f;  // 9.19455, bits 0x41131CE0
// From here on the float result is +0.
constexpr float kSErfcZero = 0x1.41BBF8p+3f;  // 10.054195404052734, bits 0x4120DDFC

// The double fast paths keep |x| <= 26.4, where erfc x is above 2^-1011 and every partial
// product of the result stays normal.
constexpr double kDErfcFastBound = 26.4;
// Erf below 2^-1000 goes to the x87 special routine.
constexpr double kDErfTiny = 0x1p-1000;

// ---- cores: one group on registers of any width -------------------------------------------------

// The cores below compute a group on registers V of any width: the kernels' policies run them
// on SSE2 registers, erf_avx2.cpp and erf_avx512.cpp on wider ones; every lane gives the same
// bits on every width.

// Double Erf. _HA sends |x| below 2^-1000 (and NaN) to the special routine, _50 only NaN.
template <bool HA>
struct DErfCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  __attribute__((always_inline)) static uint32_t out(V x) {
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
    // The lanes' mask straight from the compare (not-greater-or-equal, signalling like >=).
    if constexpr (std::is_same_v<V, simd::ZAFORQ_ISA_NS::f64x8>) {
      if constexpr (HA) return _mm512_cmp_pd_mask(abs(x).v, _mm512_set1_pd(kDErfTiny), _CMP_NGE_US);
      else return _mm512_cmp_pd_mask(x.v, x.v, _CMP_UNORD_Q);
    }
#endif
    if constexpr (HA) return movemask(abs(x) >= V::all(kDErfTiny)) ^ all_lanes<V>();  // NaN included
    else return movemask(unordered(x, x));
  }
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    uint32_t m = 0;
    if constexpr (V::lanes == 2) {
      // Two registers share one row-number computation.
#pragma GCC unroll 4
      for (int k = 0; k < group; k += 4) {
        const V x0 = V::load(a + k), x1 = V::load(a + k + 2);
        const V a0 = erf_magnitude(x0), a1 = erf_magnitude(x1);
        alignas(16) int32_t n[4];
        row_numbers<2, kErfLast>(a0, a1, n);
        if constexpr (HA) {
          derf_ha(x0, a0, Rows<V, 19>(kErfHA, n)).store(r + k);
          derf_ha(x1, a1, Rows<V, 19>(kErfHA, n + 2)).store(r + k + 2);
        } else {
          derf_50(x0, a0, Rows<V, 16>(kErf50, n)).store(r + k);
          derf_50(x1, a1, Rows<V, 16>(kErf50, n + 2)).store(r + k + 2);
        }
        m |= (out(x0) | (out(x1) << 2)) << k;
      }
    } else {
#pragma GCC unroll 8
      for (int k = 0; k < group; k += V::lanes) {
        const V x = V::load(a + k);
        derf<HA>(x).store(r + k);
        m |= out(x) << k;
      }
    }
    return m;
  }
};

// Double Erfc: |x| above 26.4 and NaN to the special routine.
template <bool HA>
struct DErfcCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  __attribute__((always_inline)) static uint32_t out(V x) {
    return movemask(abs(x) <= V::all(kDErfcFastBound)) ^ all_lanes<V>();  // NaN included
  }
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    uint32_t m = 0;
    if constexpr (V::lanes == 2) {
      // Two registers share one row-number computation.
#pragma GCC unroll 4
      for (int k = 0; k < group; k += 4) {
        const V x0 = V::load(a + k), x1 = V::load(a + k + 2);
        const V a0 = min(abs(x0), V::all(32.0)), a1 = min(abs(x1), V::all(32.0));
        alignas(16) int32_t n[4];
        row_numbers<3, kErfcLast>(a0, a1, n);
        if constexpr (HA) {
          const Rows<V, 15> p0(kErfcHA, n), p1(kErfcHA, n + 2);
          derfc_ha(x0, a0, reduce(a0, p0), p0, 0).store(r + k);
          derfc_ha(x1, a1, reduce(a1, p1), p1, 0).store(r + k + 2);
        } else {
          const Rows<V, 13> p0(kErfc50, n), p1(kErfc50, n + 2);
          derfc_50(x0, a0, reduce(a0, p0), p0, 0).store(r + k);
          derfc_50(x1, a1, reduce(a1, p1), p1, 0).store(r + k + 2);
        }
        m |= (out(x0) | (out(x1) << 2)) << k;
      }
    } else {
#pragma GCC unroll 8
      for (int k = 0; k < group; k += V::lanes) {
        const V x = V::load(a + k);
        derfc<HA>(x, min(abs(x), V::all(32.0)), 0).store(r + k);
        m |= out(x) << k;
      }
    }
    return m;
  }
};

// Float Erf _HA: only NaN leaves the fast path.
struct SErfGridCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    return unary_group<V, group>(a, r, [](V x) __attribute__((always_inline)) { return serf_grid(x); }, [](V x) { return movemask(unordered(x, x)); });
  }
};

// Float Erfc _HA: from 9.19455 on (and NaN) through the special routine, which reports
// UNDERFLOW.
struct SErfcGridCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) __attribute__((always_inline)) { return serfc_grid(x); };
    const auto out = [](V x) { return movemask(x < V::all(kSErfcUnderflow)) ^ all_lanes<V>(); };  // NaN included
    return unary_group<V, group>(a, r, value, out);
  }
};

// Float Erf and Erfc _21 and _11 (Short) on the float grid; Erfc from 9.19455 on (and NaN)
// through the special routine.
template <bool Short>
struct SErfFloatGridCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    return unary_group<V, group>(a, r, [](V x) __attribute__((always_inline)) { return serf21_grid<Short>(x); },
                                 [](V x) { return movemask(unordered(x, x)); });
  }
};

template <bool Short>
struct SErfcFloatGridCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto out = [](V x) { return movemask(x < V::all(kSErfcUnderflow)) ^ all_lanes<V>(); };  // NaN included
    return unary_group<V, group>(a, r, [](V x) __attribute__((always_inline)) { return serfc21_grid<Short>(x); }, out);
  }
};

// ---- special routines (SSE2) --------------------------------------------------------------------

inline void nan_special(float a, float& r) { r = a + a; }

// Float Erfc from 9.19455 on, every class: the _HA step, rounded once into the subnormal range.
inline void serfc_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x >= kSErfcZero) {
    r = 0.0f;
  } else {
    r = _mm_cvtss_f32(serfc_grid(f32x4::all(x)).v);
  }
  if (x >= kSErfcUnderflow && x != __builtin_inff()) report(ZAF_STATUS_UNDERFLOW);
}

// Double Erfc beyond the fast path: 2 for x <= -26.4, 0 from 27.226 on; in between one lane
// with the scale lifted by 600 octaves, then scaled down once. UNDERFLOW from
// 26.543258454250978 on.
inline double derfc_underflow_bound() { return bits<double>(0x403A8B12FC6E4891ull); }  // 26.543258454250978
inline double derfc_zero_bound() { return bits<double>(0x403B39DC00000000ull); }       // 27.22601318359375

template <bool HA>
inline void derfc_special(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x < 0) {  // here x <= -26.4: erfc is 2 to double precision
    r = 2.0;
    return;
  }
  if (x >= derfc_zero_bound()) {
    r = 0.0;
    if (x != __builtin_inf()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  const f64x2 xv = f64x2::all(x);
  r = (derfc<HA>(xv, xv, 600) * f64x2::all(bits<double>(0x1A70000000000000ull))).lane0();  // 2^-600
  if (x > derfc_underflow_bound()) report(ZAF_STATUS_UNDERFLOW);
}

}  // namespace zaforq::vm::erfk
