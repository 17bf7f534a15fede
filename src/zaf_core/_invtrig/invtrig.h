// Inverse trigonometric core shared by the Asin, Acos, Atan and Atan2 families.
//
// Arcsine and arccosine: every argument reaches one odd polynomial, asin s = s + s^3 P(s^2) on
// s in [0, 1/2]. Arguments with |x| <= 1/2 use it directly; above, y = (1 - |x|) / 2 is exact
// and asin |x| = pi/2 - 2 asin(sqrt y). Each result is one form, A + B (w + tail), with A a
// multiple of pi/2 in a high and a low part, B one of ±1, ±2 and w either |x| or sqrt(y):
//   asin, |x| <= 1/2:  0    + 1 (|x| + tail), then the sign of x
//   asin, |x| >  1/2:  pi/2 - 2 (s + tail),   then the sign of x
//   acos, |x| <= 1/2:  pi/2 - sign(x) (|x| + tail)
//   acos, x > 1/2:     0    + 2 (s + tail);   x < -1/2:  pi - 2 (s + tail)
// A + B w is summed with its rounding error kept (|A| >= |B w| whenever A is not zero), so
// the result carries one final rounding. The double _HA kernel takes sqrt y as a high and a
// low part from the reciprocal-square-root scheme of the double Sqrt kernels; the others use
// the hardware square root and no low part.
//
// Arctangent of a quotient: p = min(|a|, |b|), q = max(|a|, |b|), and c = j/16 the nearest
// table point to p/q (from a float estimate of the quotient, scaled to avoid overflow).
// atan(p/q) = atan c + atan t with t = (p - c q) / (q + c p), |t| <= 1/32 + 2^-9, and
// atan t = t + t^3 Q(t^2). The octant is restored as K + s atan(p/q) with K in {0, pi/2, pi}
// and s = ±1, then the sign of a. p - c q rounds once (c has five significant bits and q is
// split in halves of 26 and 27 bits, so c q_h is exact and p - c q_h too). The double _HA
// class corrects the quotient by its exact residual and leaves rows 1 and 2 to a longer
// polynomial around 0, so that t's remaining error stays far below the result's ulp.
// Double Atan takes a lighter path (datan1): with one argument the quotient is |x| itself, or
// 1/|x| whose reduced argument (1 - c |x|) / (|x| + c) is formed directly, so no correction
// of the quotient is needed.
//
// The float classes reduce the arctangent by pi/4 only (t = (p - q) / (p + q) above
// tan(pi/8)); _HA computes that in double and rounds once to float (float Atan _HA takes a
// division-free form of it, fatan_ha), _21 and _11 compute in float with shorter polynomials. Float Asin and Acos use the scheme above: _HA in double with
// the hardware square root and a shorter polynomial, _21 and _11 in float.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/sqrt/sqrt_core.h"

namespace zaforq::vm::invtrig {

using namespace zaforq::simd;

#include "zaf_core/_invtrig/invtrig_tables.inc"

enum class Cls { f11, f21, fHA, d50, dHA };

// pi/2 and pi as high and low parts.
inline double pio2_hi() { return bits<double>(0x3FF921FB54442D18ull); }  // 1.5707963267948966
inline double pio2_lo() { return bits<double>(0x3C91A62633145C07ull); }  // 6.123233995736766e-17
inline double pi_hi() { return bits<double>(0x400921FB54442D18ull); }    // 3.141592653589793
inline double pi_lo() { return bits<double>(0x3CA1A62633145C07ull); }    // 1.2246467991473532e-16

// A polynomial in z from its coefficient table (constant term first) by Estrin's scheme: the
// halves are evaluated independently and joined by a power of z, so the dependency chain
// grows with the logarithm of the degree rather than the degree. The kernels are bound by
// that chain, not by the operation count.
template <size_t N, class V, class S>
__attribute__((always_inline)) inline V poly(const S* c, V z) {
  if constexpr (N == 1) {
    return V::all(c[0]);
  } else if constexpr (N == 2) {
    return V::all(c[0]) + V::all(c[1]) * z;
  } else {
    constexpr size_t h = N > 8 ? 8 : N > 4 ? 4 : 2;  // the largest power of two below N
    V zh = z * z;
    if constexpr (h >= 4) zh = zh * zh;
    if constexpr (h >= 8) zh = zh * zh;
    return poly<h>(c, z) + zh * poly<N - h>(c + h, z);
  }
}
// Double polynomials in z >= 0: Estrin's scheme, z below 2^-120 taken as 0 so that its powers never
// reach the subnormal range (whose arithmetic is slow; the terms are then far below the
// result's ulp). Float polynomials are short: Horner's scheme, whose partial results stay
// near the coefficients' size. V is a register of any width.
template <size_t N, class V>
__attribute__((always_inline)) inline V poly(const double (&c)[N], V z) {
  static_assert(N <= 16, "up to 16 coefficients");
  return poly<N>(&c[0], z & (z >= V::all(0x1p-120)));
}
template <size_t N, class V>
__attribute__((always_inline)) inline V poly(const float (&c)[N], V z) {
  V p = V::all(c[N - 1]);
  for (size_t k = N - 1; k-- > 0;) p = V::all(c[k]) + z * p;
  return p;
}

// x87 partial arctangent: atan(y / x) in the quadrant of (x, y), at the precision the x87
// control word holds (the kernels that use it ask for 64 bits).
inline long double fpatan(long double y, long double x) {
  long double r;
  __asm__("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}

// ---- arcsine and arccosine, any register width -------------------------------------------

template <Cls C, class V>
__attribute__((always_inline)) inline V dasin_poly(V z) {
  if constexpr (C == Cls::dHA) return poly(kAsinHA, z);
  else if constexpr (C == Cls::d50) return poly(kAsin50, z);
  else return poly(kAsinF, z);
}

// sqrt(y) as hi + lo for positive normal y: the double Sqrt _HA estimate and five-term
// binomial series, its last sum split into a high and a low part.
template <class V>
__attribute__((always_inline)) inline void dsqrt_hi_lo(V y, V& hi, V& lo) {
  const auto [y0, u, v, e] = sqrt_core::dsqrt_start(y);
  // The five binomial coefficients of (1 + e)^(-1/2), the same as double Sqrt _HA.
  static constexpr double kSeries[5] = {-0.5, 0.375, -0.3125, 0.2734375, -0.24609375};
  const V corr = v + (u + v) * (e * poly<5>(&kSeries[0], e));  // e may be negative: no flush
  hi = u + corr;
  lo = corr - (hi - u);
}

// asin x (or acos x) for |x| < 1 in double arithmetic; other lanes give unspecified values.
template <Cls C, bool kAcos, class V>
__attribute__((always_inline)) inline V dasin(V x) {
  const V sign = x & V::all(-0.0);
  const V a = x ^ sign;
  const V big = a > V::all(0.5);
  const V y = (V::all(1.0) - a) * V::all(0.5);  // exact for |x| >= 1/2
  V s, s_lo;
  if constexpr (C == Cls::dHA) {
    dsqrt_hi_lo(y, s, s_lo);
    s_lo = big & s_lo;
  } else {
    s = sqrt(y);
    s_lo = V::all(0.0);
  }
  const V z = select(big, y, x * x);
  const V w = select(big, s, a);
  const V tail = s_lo + w * z * dasin_poly<C>(z);
  V A_hi, A_lo, B;
  if constexpr (!kAcos) {
    A_hi = big & V::all(pio2_hi());
    A_lo = big & V::all(pio2_lo());
    B = select(big, V::all(-2.0), V::all(1.0));
  } else {
    const V neg = x < V::all(0.0);
    A_hi = select(big, neg & V::all(pi_hi()), V::all(pio2_hi()));
    A_lo = select(big, neg & V::all(pi_lo()), V::all(pio2_lo()));
    B = select(big, V::all(2.0), V::all(-1.0)) ^ sign;
  }
  const V bw = B * w;  // exact: B is a power of two
  const V h = A_hi + bw;
  const V e = bw - (h - A_hi);
  const V r = h + ((e + A_lo) + B * tail);
  if constexpr (kAcos) return r;
  return r ^ sign;
}

// Lanes that are not strictly inside (-1, 1): ±1, beyond, infinities and NaN.
template <class V>
inline uint32_t asin_out(V x) {
  return movemask(abs(x) < V::all(1.0)) ^ all_lanes<V>();
}

// The same in float arithmetic.
template <Cls C, bool kAcos, class V>
__attribute__((always_inline)) inline V fasin(V x) {
  const V sign = x & V::all(-0.0f);
  const V a = x ^ sign;
  const V big = a > V::all(0.5f);
  const V y = (V::all(1.0f) - a) * V::all(0.5f);
  const V s = sqrt(y);
  const V z = select(big, y, x * x);
  const V w = select(big, s, a);
  const V tail = w * z * (C == Cls::f21 ? poly(kAsinF21, z) : poly(kAsinF11, z));
  const V pio2h = V::all(bits<float>(0x3FC90FDBu));  // 1.57079637
  const V pio2l = V::all(bits<float>(0xB33BBD2Eu));  // -4.37113883e-08
  V A_hi, A_lo, B;
  if constexpr (!kAcos) {
    A_hi = big & pio2h;
    A_lo = big & pio2l;
    B = select(big, V::all(-2.0f), V::all(1.0f));
  } else {
    const V neg = x < V::all(0.0f);
    A_hi = select(big, neg & V::all(bits<float>(0x40490FDBu)), pio2h);  // 3.14159274
    A_lo = select(big, neg & V::all(bits<float>(0xB3BBBD2Eu)), pio2l);  // -8.74227766e-08
    B = select(big, V::all(2.0f), V::all(-1.0f)) ^ sign;
  }
  const V bw = B * w;
  const V h = A_hi + bw;
  const V e = bw - (h - A_hi);
  const V r = h + ((e + A_lo) + B * tail);
  if constexpr (kAcos) return r;
  return r ^ sign;
}

// One element outside (-1, 1): ±1 exactly, NaN through, everything else a domain error.
template <class T, bool kAcos>
inline void asin_special(T x, T& r, const Report<T>& report) {
  if (x != x) {
    r = x + x;
  } else if (x == T(1) || x == T(-1)) {
    if constexpr (kAcos) r = x > 0 ? T(0) : static_cast<T>(pi_hi());
    else r = static_cast<T>(x > 0 ? pio2_hi() : -pio2_hi());
  } else {
    r = domain_nan<T>();
    report(ZAF_STATUS_ERRDOM);
  }
}

// ---- arctangent of a quotient, double arithmetic, any register width -----------------------

// High 26 significant bits of a finite double (the low 27 stored bits cleared).
template <class V>
__attribute__((always_inline)) inline V hi26(V x) {
  return (x.bits() & V::i64::all(static_cast<int64_t>(0xFFFFFFFFF8000000ull))).as_f64();
}

// p + e == a * b exactly, for finite products away from the underflow range.
template <class V>
__attribute__((always_inline)) inline void two_prod(V a, V b, V& p, V& e) {
  p = a * b;
  const V ah = hi26(a), al = a - ah;
  const V bh = hi26(b), bl = b - bh;
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// The table columns c = j/16, atan c high and low for row j of every lane. The rows come as
// the 32-bit lanes of an integer register as wide as the doubles (its low lanes), one
// overload per register width; the wider paths' overloads take their own register types, so
// each is its path's own function. On SSE2, one load gives a row's c and atan c high.
__attribute__((always_inline)) inline void atan_rows(i32x4 j, f64x2& c, f64x2& b_hi, f64x2& b_lo) {
  const double* t0 = kAtanTab[_mm_cvtsi128_si32(j.v)];
  const double* t1 = kAtanTab[_mm_cvtsi128_si32(_mm_srli_si128(j.v, 4))];
  const f64x2 r0 = f64x2::load(t0), r1 = f64x2::load(t1);
  c = _mm_unpacklo_pd(r0.v, r1.v);
  b_hi = _mm_unpackhi_pd(r0.v, r1.v);
  b_lo = _mm_loadh_pd(_mm_load_sd(t0 + 2), t1 + 2);
}
#if defined(ZAFORQ_ISA_NS) && defined(__AVX2__)
// AVX2: four rows loaded as on SSE2 and paired by 128-bit halves (hardware gathers are slower).
__attribute__((always_inline)) inline void atan_rows(simd::ZAFORQ_ISA_NS::i32x8 j, simd::ZAFORQ_ISA_NS::f64x4& c,
                                                     simd::ZAFORQ_ISA_NS::f64x4& b_hi,
                                                     simd::ZAFORQ_ISA_NS::f64x4& b_lo) {
  const __m128i j4 = _mm256_castsi256_si128(j.v);
  const double* t0 = kAtanTab[_mm_cvtsi128_si32(j4)];
  const double* t1 = kAtanTab[_mm_extract_epi32(j4, 1)];
  const double* t2 = kAtanTab[_mm_extract_epi32(j4, 2)];
  const double* t3 = kAtanTab[_mm_extract_epi32(j4, 3)];
  const __m256d r02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t0)), _mm_loadu_pd(t2), 1);
  const __m256d r13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t1)), _mm_loadu_pd(t3), 1);
  c = _mm256_unpacklo_pd(r02, r13);
  b_hi = _mm256_unpackhi_pd(r02, r13);
  const __m256d l02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_sd(t0 + 2)), _mm_load_sd(t2 + 2), 1);
  const __m256d l13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_sd(t1 + 2)), _mm_load_sd(t3 + 2), 1);
  b_lo = _mm256_unpacklo_pd(l02, l13);
}
#endif
#if defined(ZAFORQ_ISA_NS) && defined(__AVX512F__)
// On AVX-512 rows 0 to 15 of a column fit two registers and one two-source permutation picks
// them (the index's low four bits); row 16 is blended in. Cheaper than gathering from memory.
struct AtanColumns {
  alignas(64) double v[3][16];
};
constexpr AtanColumns atan_columns() {
  AtanColumns t{};
  for (int j = 0; j < 16; ++j)
    for (int k = 0; k < 3; ++k) t.v[k][j] = kAtanTab[j][k];
  return t;
}
__attribute__((always_inline)) inline void atan_rows(simd::ZAFORQ_ISA_NS::i32x16 j, simd::ZAFORQ_ISA_NS::f64x8& c,
                                                     simd::ZAFORQ_ISA_NS::f64x8& b_hi,
                                                     simd::ZAFORQ_ISA_NS::f64x8& b_lo) {
  static constexpr AtanColumns kCols = atan_columns();
  const __m512i j64 = _mm512_cvtepi32_epi64(_mm512_castsi512_si256(j.v));
  const __mmask8 last = _mm512_cmpeq_epi64_mask(j64, _mm512_set1_epi64(16));
  const auto column = [&](int k) {
    const __m512d v = _mm512_permutex2var_pd(_mm512_load_pd(kCols.v[k]), j64, _mm512_load_pd(kCols.v[k] + 8));
    return _mm512_mask_blend_pd(last, v, _mm512_set1_pd(kAtanTab[16][k]));
  };
  c = column(0);
  b_hi = column(1);
  b_lo = column(2);
}
#endif

// atan2(ya, xb) for lanes whose magnitudes keep every step finite and normal enough (the
// caller flags the others); xb may be the constant 1 (Atan).
template <Cls C, class V>
__attribute__((always_inline)) inline V datan2(V ya, V xb) {
  using F = typename V::f32;  // twice the lanes: the low half carries this register's lanes
  using I = typename V::i32;
  const V ay = abs(ya), ax = abs(xb);
  const V swap = ay > ax;
  // The smaller and the larger magnitude (min and max agree with selecting by swap on every
  // lane the caller keeps: only NaN, which is flagged, tells them apart).
  const V p = min(ay, ax), q = max(ay, ax);
  // Table row from a float estimate of p/q, both scaled by 2^-E(q) into float range. The
  // estimate is the same 12-bit reciprocal on every register width, so the row is too.
  const V scale = shl<52>(V::i64::all(2046) - shr<52>(q.bits())).as_f64();
  const V zero = V::all(0.0);
  const F pf = to_f32(p * scale, zero), qf = to_f32(q * scale, zero);
  F wf = pf * rcp_estimate(qf) * F::all(16.0f);
  wf = min(max(wf, F::all(0.0f)), F::all(16.0f));  // NaN of flagged lanes to 0
  I j = round_to_i32(wf);
  // In the _HA class rows 1 and 2 give way to row 0 (a longer polynomial on [0, 5/32]), so
  // that in every other row the result exceeds |t| five times over.
  if constexpr (C == Cls::dHA) j = j & (j > I::all(2));
  V c, b_hi, b_lo;
  atan_rows(j, c, b_hi, b_lo);
  const V qh = hi26(q), ql = q - qh;
  // p - c q_h is exact (row 0, or p/q within a sixth of c), so the numerator rounds once.
  const V num = (p - c * qh) - c * ql, den = q + c * p;
  V t, tail;
  if constexpr (C == Cls::dHA) {
    // In row 0 numerator and denominator are p and q, and t + t_lo is their quotient to
    // about 2^-100; elsewhere their single roundings cost at most 2^-52 |t|, a quarter of
    // the result's ulp.
    const V rd = V::all(1.0) / den;
    t = num * rd;
    V tp, te;
    two_prod(t, den, tp, te);
    const V z = t * t;
    tail = ((num - tp) - te) * rd + t * z * poly(kAtanD0, z);
  } else {
    t = num / den;
    const V z = t * t;
    tail = t * z * poly(kAtanD, z);
  }
  const V h1 = b_hi + t;
  const V lo1 = (t - (h1 - b_hi)) + (b_lo + tail);
  // Octant: K + s (h1 + lo1), K = pi/2 when swapped, else pi when b < 0; s = -1 when exactly
  // one of the two holds.
  const V bneg = xb & V::all(-0.0);
  const V s = (swap & V::all(-0.0)) ^ bneg;
  const V bneg_m = xb < V::all(0.0);  // b is not zero on this path
  const V K_hi = select(swap, V::all(pio2_hi()), bneg_m & V::all(pi_hi()));
  const V K_lo = select(swap, V::all(pio2_lo()), bneg_m & V::all(pi_lo()));
  const V sh1 = h1 ^ s;
  const V h2 = K_hi + sh1;
  const V e2 = sh1 - (h2 - K_hi);
  const V r = h2 + (e2 + (K_lo + (lo1 ^ s)));
  return r ^ (ya & V::all(-0.0));
}

// atan x for |x| < 2^64, the double _HA Atan kernel. With one argument the quotient needs no
// rounding: for |x| <= 1 it is |x| itself, so p - c q = |x| - c is exact, and rows 1 and 2 of
// the table (where |t| would be comparable to the result) are not used: below 5/32 the
// polynomial takes |x| directly. Above 1, t = (1 - c |x|) / (|x| + c) with the numerator
// formed exactly, and pi/2 - atan(1/|x|) keeps t's rounding far below the result's ulp. The
// denominator rounds once (q + c p_h is exact), so t is within 2^-52 of its value and the
// result within 0.3 ulp before the final rounding.
// The double _50 class takes every row, forms numerator and denominator with one rounding
// each and uses the short polynomial.
template <Cls C, class V>
__attribute__((always_inline)) inline V datan1(V x) {
  using I = typename V::i32;
  const V a = abs(x), one = V::all(1.0);
  const V big = a > one;
  const V p = min(a, one), q = max(a, one);  // as selecting by big, but for the flagged NaN
  // Row from |x| or from the reciprocal estimate of |x| (12 bits, plenty for the row, and
  // the same on every register width).
  const V zero = V::all(0.0);
  const V w = select(big, to_f64_low(rcp_estimate(to_f32(a, zero))), a);
  I j = trunc_to_i32(w * V::all(16.0) + V::all(0.5), zero);
  // Row 0 for the NaN of flagged lanes (and, in the _HA class, for rows 1 and 2).
  j = j & (j > I::all(C == Cls::dHA ? 2 : -1));
  V c, b_hi, b_lo;
  atan_rows(j, c, b_hi, b_lo);
  V t;
  if constexpr (C == Cls::dHA) {
    const V qh = hi26(q), ph = hi26(p);
    t = ((p - c * qh) - c * (q - qh)) / ((q + c * ph) + c * (p - ph));
  } else {
    t = (p - c * q) / (q + c * p);
  }
  const V z = t * t;
  const V tail = t * z * (C == Cls::dHA ? poly(kAtanD0, z) : poly(kAtanD, z));
  const V h1 = b_hi + t;
  const V lo1 = (t - (h1 - b_hi)) + (b_lo + tail);
  // Above 1: pi/2 - (h1 + lo1).
  const V s = big & V::all(-0.0);
  const V K_hi = big & V::all(pio2_hi()), K_lo = big & V::all(pio2_lo());
  const V sh1 = h1 ^ s;
  const V h2 = K_hi + sh1;
  const V e2 = sh1 - (h2 - K_hi);
  return (h2 + (e2 + (K_lo + (lo1 ^ s)))) ^ (x & V::all(-0.0));
}

// Lane bits of a 32-bit lane mask's odd lanes (the high words of doubles), packed: bit k of
// the result is bit 2k + 1 of m, for up to sixteen 32-bit lanes.
__attribute__((always_inline)) constexpr uint32_t odd_lanes(uint32_t m) {
  m = (m >> 1) & 0x5555u;
  m = (m | (m >> 1)) & 0x3333u;
  m = (m | (m >> 2)) & 0x0F0Fu;
  return (m | (m >> 4)) & 0x00FFu;
}

// Atan2 routing: a lane takes the table method when both magnitudes are in [2^-1020, 2^993),
// that is ((high word & 0x7FFFFFFF) + 0x7FD00000), as a signed number, below -0x2300000;
// zeros, denormals, infinities, NaN and extreme magnitudes go to the x87 partial arctangent.
template <class V>
inline uint32_t datan2_out(V a, V b) {
  using I = typename V::i32;
  const I k = I::all(0x7FFFFFFF), bias = I::all(0x7FD00000), lim = I::all(-0x2300000);
  const I ok = (((a.bits().as_i32() & k) + bias) < lim) & (((b.bits().as_i32() & k) + bias) < lim);
  return odd_lanes(movemask(ok) ^ all_lanes<I>());  // the high words are the odd lanes
}

// Atan lanes outside the vector path: NaN and magnitudes of at least 2^64 (whose arctangent
// rounds to ±pi/2 in either precision).
template <class V>
inline uint32_t datan_out(V x) { return movemask(abs(x) < V::all(0x1p64)) ^ all_lanes<V>(); }

// One element by the x87 partial arctangent, rounded to T.
template <class T>
inline T atan2_x87(T a, T b) {
  return static_cast<T>(fpatan(static_cast<long double>(a), static_cast<long double>(b)));
}

// ---- arctangent of a quotient for the float _HA class, double arithmetic ------------------

// atan2 of two floats (converted exactly) for lanes without a zero, an infinity or a NaN. The
// quotient is reduced by pi/4 only: above tan(pi/8), t = (p - q) / (p + q), whose numerator
// and denominator are exact in double (floats within a factor of 2.5); one division rounds t
// to 2^-53, the polynomial adds 2^-30.5 (a hundredth of a float ulp), and the single rounding
// to float dominates.
template <class V>
__attribute__((always_inline)) inline V fatan2_in_double(V ya, V xb) {
  const V ay = abs(ya), ax = abs(xb);
  const V swap = ay > ax;
  const V p = min(ay, ax), q = max(ay, ax);  // as selecting by swap, but for the flagged NaN
  const V red = p > q * V::all(0.41421356237309503);
  const V t = (p - (red & q)) / (q + (red & p));  // p - 0 and q + 0 are exact: blends cost more
  const V z = t * t;
  const V at = t + t * z * poly(kAtanFH, z);
  // n pi/4 + s atan t, as in the float classes below.
  const V bneg = xb & V::all(-0.0);
  const V s = (swap & V::all(-0.0)) ^ bneg;
  const V n = select(swap, V::all(2.0), (xb < V::all(0.0)) & V::all(4.0)) + (red & (V::all(1.0) ^ s));
  const V r = n * V::all(0.78539816339744828) + (at ^ s);
  return r ^ (ya & V::all(-0.0));
}

// Horner's scheme on a double table; the variable never nears the subnormal range where the
// callers use it, so no flush is needed.
template <size_t N, class V>
__attribute__((always_inline)) inline V horner(const double (&c)[N], V z) {
  V p = V::all(c[N - 1]);
  for (size_t k = N - 1; k-- > 0;) p = V::all(c[k]) + z * p;
  return p;
}

// atan of one register of finite floats, in double on its two halves. The reduction needs no
// swap: a = |x| above tan(3pi/8) takes t = -1/a and adds pi/2, between tan(pi/8) and tan(3pi/8)
// t = (a - 1)/(a + 1) and pi/4, below it t = a. With m1 = (a > tan(pi/8)), m2 = (a > tan(3pi/8))
// as all-ones lanes the quotient is num/den = ((a & ~m2) - (m1 & 1)) / ((a & m1) + (~m2 & 1)),
// both exact in double, so the masks are used by bitwise operations only (no blends, which
// cost a mask conversion each on AVX-512) and every lane takes one division, rounded once.
// A reciprocal estimate refined by Newton steps was tried in its place and was slower: the
// divider runs beside the multipliers, the extra conversions and products do not.
template <class F>
__attribute__((always_inline)) inline F fatan_ha(F x) {
  using V = typename F::f64;
  const V one = V::all(1.0), pio4 = V::all(0.78539816339744828);
  const V xs[2] = {to_f64_low(x), to_f64_high(x)};
  V num[2], den[2], base[2];
#pragma GCC unroll 2
  for (int h = 0; h < 2; ++h) {
    const V a = abs(xs[h]);
    const V m1 = a > V::all(0.41421356237309503), m2 = a > V::all(2.4142135623730949);
    num[h] = andnot(m2, a) - (m1 & one);
    den[h] = (m1 & a) + andnot(m2, one);
    base[h] = (m1 & pio4) + (m2 & pio4);  // 0, pi/4 or pi/2
  }
  V res[2];
#pragma GCC unroll 2
  for (int h = 0; h < 2; ++h) {
    const V t = num[h] / den[h];
    const V z = t * t;
    const V at = t + t * (z * horner(kAtanFH, z));
    res[h] = (base[h] + at) ^ (xs[h] & V::all(-0.0));
  }
  return to_f32(res[0], res[1]);
}

// ---- arctangent of a quotient, float arithmetic, any register width -----------------------

template <Cls C, class V>
__attribute__((always_inline)) inline V fatan2(V ya, V xb) {
  const V ay = abs(ya), ax = abs(xb);
  const V swap = ay > ax;
  // Tiny pairs are scaled up by 2^64 (exactly) so that the range test below sees their ratio.
  // (min and max: as selecting by swap, but for the flagged NaN)
  const V mx = max(ay, ax);
  const V up = select(mx < V::all(0x1p-60f), V::all(0x1p64f), V::all(1.0f));
  const V p = min(ay, ax) * up, q = mx * up;
  // Above tan(pi/8) the quotient is reduced by pi/4: t = (p - q) / (p + q).
  const V red = p > q * V::all(bits<float>(0x3ED413CDu));  // 0.414213568
  const V t = select(red, p - q, p) / select(red, p + q, q);
  const V z = t * t;
  const V at = t + t * z * (C == Cls::f21 ? poly(kAtanF21, z) : poly(kAtanF11, z));
  // n pi/4 + s atan t with n = 2 swap + 4 (b < 0 and not swap) + s red, s = ±1.
  const V bneg = xb & V::all(-0.0f);
  const V s = (swap & V::all(-0.0f)) ^ bneg;
  const V bneg_m = xb < V::all(0.0f);
  const V n = select(swap, V::all(2.0f), bneg_m & V::all(4.0f)) + (red & (V::all(1.0f) ^ s));
  const V C_hi = n * V::all(bits<float>(0x3F490FDBu));  // pi/4 = 0.785398185
  const V C_lo = n * V::all(bits<float>(0xB2BBBD2Eu));  // -2.18556941e-08
  const V r = C_hi + (C_lo + (at ^ s));
  return r ^ (ya & V::all(-0.0f));
}

// Float Atan2 lanes with a zero, an infinity or a NaN in either argument.
template <class V>
inline uint32_t fatan2_out(V a, V b) {
  using I = typename V::i32;
  const I k = I::all(0x7FFFFFFF), one = I::all(1), lim = I::all(0x7F7FFFFE);  // (v - 1) above it: v infinite or NaN
  const I bad = (((a.bits() & k) - one) > lim) | (((a.bits() & k) - one) < I::all(0)) |
                (((b.bits() & k) - one) > lim) | (((b.bits() & k) - one) < I::all(0));
  return movemask(bad);
}
// Float Atan lanes that are infinite or NaN.
template <class V>
inline uint32_t fatan_out(V x) {
  using I = typename V::i32;
  return movemask((x.bits() & I::all(0x7FFFFFFF)) > I::all(0x7F7FFFFF));
}

// ---- policies ------------------------------------------------------------------------------

// The arcsine cores: one group on registers V of any width (the policies below run them on
// SSE2, the *_avx2.cpp / *_avx512.cpp sources on wider registers).
template <Cls C, bool kAcos>
struct DAsinCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    return unary_group<V, group>(a, r, [](V x) { return dasin<C, kAcos>(x); }, [](V x) { return asin_out(x); });
  }
};

template <Cls C, bool kAcos>
struct FAsinCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) {
      if constexpr (C == Cls::fHA) return to_f32(dasin<C, kAcos>(to_f64_low(x)), dasin<C, kAcos>(to_f64_high(x)));
      else return fasin<C, kAcos>(x);
    };
    return unary_group<V, group>(a, r, value, [](V x) { return asin_out(x); });
  }
};

template <Cls C, bool kAcos, const char* Name>
struct DAsin : DAsinCore<C, kAcos> {
  using Wide = DAsinCore<C, kAcos>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& rep) { asin_special<double, kAcos>(a, r, rep); }
};

template <Cls C, bool kAcos, const char* Name>
struct FAsin : FAsinCore<C, kAcos> {
  using Wide = FAsinCore<C, kAcos>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& rep) { asin_special<float, kAcos>(a, r, rep); }
};

// The arctangent cores, one group on registers V of any width, as the arcsine's.
template <Cls C>
struct DAtanCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    return unary_group<V, group>(a, r, [](V x) { return datan1<C>(x); }, [](V x) { return datan_out(x); });
  }
};

template <Cls C>
struct FAtanCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) __attribute__((always_inline)) {
      if constexpr (C == Cls::fHA) {
        return fatan_ha(x);
      } else {
        return fatan2<C>(x, V::all(1.0f));
      }
    };
    return unary_group<V, group>(a, r, value, [](V x) { return fatan_out(x); });
  }
};

template <Cls C>
struct DAtan2Core {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, const double* b, double* r) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k), y = V::load(b + k);
      datan2<C>(x, y).store(r + k);
      m |= datan2_out(x, y) << k;
    }
    return m;
  }
};

template <Cls C>
struct FAtan2Core {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, const float* b, float* r) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k), y = V::load(b + k);
      if constexpr (C == Cls::fHA)
        to_f32(fatan2_in_double(to_f64_low(x), to_f64_low(y)), fatan2_in_double(to_f64_high(x), to_f64_high(y)))
            .store(r + k);
      else
        fatan2<C>(x, y).store(r + k);
      m |= fatan2_out(x, y) << k;
    }
    return m;
  }
};

template <Cls C, const char* Name>
struct DAtan : DAtanCore<C> {
  using Wide = DAtanCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>&) {
    r = a != a ? a + a : (a > 0 ? pio2_hi() : -pio2_hi());
  }
};

template <Cls C, const char* Name>
struct FAtan : FAtanCore<C> {
  using Wide = FAtanCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>&) { r = _zafsatan_scalar(a); }
};

template <Cls C, const char* Name>
struct DAtan2 : DAtan2Core<C> {
  using Wide = DAtan2Core<C>;
  static constexpr X87 x87 = X87::pc64;  // the x87 path rounds once from 64 bits to double
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, const double* b, double* r) { return Wide::template fast<f64x2>(a, b, r); }
  static void special(double a, double b, double& r, const Report<double>&) { r = atan2_x87(a, b); }
};

template <Cls C, const char* Name>
struct FAtan2 : FAtan2Core<C> {
  using Wide = FAtan2Core<C>;
  static constexpr X87 x87 = X87::pc64;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, const float* b, float* r) { return Wide::template fast<f32x4>(a, b, r); }
  static void special(float a, float b, float& r, const Report<float>&) { r = _zafsatan2_scalar(a, b); }
};

}  // namespace zaforq::vm::invtrig
