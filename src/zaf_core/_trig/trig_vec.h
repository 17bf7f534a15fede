// Vector fast paths of the Sin, Cos, Tan and SinCos kernels, shared by every class and
// precision; the kernel sources only pick a path, a polynomial and a callout name.
//
// High-accuracy float kernels compute in double lanes, so a short polynomial is accurate far
// below a float ulp; the lower float classes stay in single precision, four lanes at a time,
// with pi in four parts. Double Sin, Cos and SinCos use the same pi/32 table as the scalar
// routines, two lanes at a time (the 4-ulp SinCos two polynomials without the table); double
// Tan reduces by pi/2 and works on half the reduced angle.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/_heap/trig.h"
#include "zaf_core/_heap/trig_callout.h"

namespace zaforq::vm::trigk {

using namespace zaforq::simd;
using trig::Fn;

// ---- helpers ----------------------------------------------------------------------------

template <class V>
inline void two_sum(V a, V b, V& s, V& e) {
  s = a + b;
  const V bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}

// Every vector path here is a template over its register type V (f32x4 / f64x2 or a wider
// path's, compiled by trig_avx2.cpp and trig_avx512.cpp), with the same bits on every path.
// For a float register V, D is the double register of the same width (half the lanes).

// Lanes of a float group whose magnitude exceeds 10000 (bits 0x461C4000), or is inf or NaN.
template <class V>
inline uint32_t float_outside(V x) {
  using I = typename V::i32;
  const I mag = x.bits() & I::all(0x7FFFFFFF);
  return movemask(mag > I::all(0x461C4000));
}

// ---- float: sine and cosine reduced by multiples of pi ------------------------------------

enum class Poly { ha, la, a11 };

// sin r = r P(r^2) on |r| <= pi/2, the high-accuracy polynomial (degree 9, about 2^-28).
template <class D>
inline D sin_poly(D r) {
  const D r2 = r * r;
  const D c0 = D::all(bits<double>(0x3FF000000089705Full));  // 1.000000002
  const D c1 = D::all(bits<double>(0xBFC55554AE8BA1BDull));  // -0.166666589
  const D c2 = D::all(bits<double>(0x3F8110EE64CD0933ull));  // 0.008333075
  const D c3 = D::all(bits<double>(0xBF29F75E2C166F94ull));  // -0.000198107
  const D c4 = D::all(bits<double>(0x3EC5E0A329A17541ull));  // 2.608e-06
  return r * (c0 + r2 * (c1 + r2 * (c2 + r2 * (c3 + r2 * c4))));
}

// Sine: k = nearest(x / pi) in single precision (1/pi as a float), r = x - k pi in double with
// pi in two parts whose first part times k is exact, sin x = (-1)^k sin r.
// Cosine: the same about the odd multiples of pi/2: k = nearest(x / pi - 1/2), r = x - (k + 1/2)
// pi, cos x = (-1)^(k+1) sin r.
template <bool Cosine, class V>
inline V sin_by_pi(V x) {
  using D = typename V::f64;
  using I = typename V::i32;
  const V q = x * V::all(bits<float>(0x3EA2F983u));  // 1/pi
  const I k = round_to_i32(Cosine ? q - V::all(0.5f) : q);
  const D npi1 = D::all(bits<double>(0xC00921FB54440000ull));  // -3.1415926535846666
  const D pi2 = D::all(bits<double>(0x3D968C234C4C6629ull));   // 5.126688303189038e-12
  const D half = D::all(Cosine ? 0.5 : 0.0);
  auto part = [&](D xd, D kd) {
    kd = kd + half;
    return sin_poly((xd + kd * npi1) - kd * pi2);
  };
  const V v = to_f32(part(to_f64_low(x), to_f64_low(k)), part(to_f64_high(x), to_f64_high(k)));
  return v ^ shl<31>(Cosine ? k + I::all(1) : k).as_f32();  // odd: minus
}

// ---- float: sine and cosine of the angle reduced by pi/2 ---------------------------------

// Taylor polynomials of sin (to r^9, as r times a polynomial so that -0 stays -0) and cos (to
// r^10) on |r| <= pi/4 plus the slack of a single-precision quotient: below 2^-28.
template <class D>
inline void sincos_poly(D r, D& s, D& c) {
  const D r2 = r * r;
  const D one = D::all(1.0);
  s = r * (one + r2 * (D::all(-1.0 / 6) + r2 * (D::all(1.0 / 120) +
                       r2 * (D::all(-1.0 / 5040) + r2 * D::all(1.0 / 362880)))));
  c = one + r2 * (D::all(-0.5) + r2 * (D::all(1.0 / 24) + r2 * (D::all(-1.0 / 720) +
                  r2 * (D::all(1.0 / 40320) + r2 * D::all(-1.0 / 3628800)))));
}

// x = k pi/2 + r: k = nearest(x 2/pi) in single precision, r in double with pi/2 in two parts
// (the first times k exact for k below 2^19).
template <class V>
struct Quadrant {
  using D = typename V::f64;
  typename V::i32 k;
  D s_lo, c_lo, s_hi, c_hi;  // sin r and cos r for the low and the high half of the lanes
};

template <class V>
inline Quadrant<V> quadrant(V x) {
  using D = typename V::f64;
  Quadrant<V> q;
  q.k = round_to_i32(x * V::all(bits<float>(0x3F22F983u)));  // 2/pi
  const D p1 = D::all(bits<double>(0x3FF921FB54440000ull));  // pi/2, 33 bits
  const D p2 = D::all(bits<double>(0x3D868C234C4C6629ull));  // pi/2 - p1
  const D k0 = to_f64_low(q.k), k1 = to_f64_high(q.k);
  sincos_poly((to_f64_low(x) - k0 * p1) - k0 * p2, q.s_lo, q.c_lo);
  sincos_poly((to_f64_high(x) - k1 * p1) - k1 * p2, q.s_hi, q.c_hi);
  return q;
}

template <class I>
inline I odd_mask(I k) { return (k & I::all(1)) == I::all(1); }

// sin x: quadrants 0..3 give s, c, -s, -c.
template <class V>
inline V sin_of(const Quadrant<V>& q) {
  using I = typename V::i32;
  const I odd = odd_mask(q.k);
  const V v = to_f32(select(widen_low(odd), q.c_lo, q.s_lo), select(widen_high(odd), q.c_hi, q.s_hi));
  return v ^ shl<30>(q.k & I::all(2)).as_f32();
}
// cos x: quadrants 0..3 give c, -s, -c, s.
template <class V>
inline V cos_of(const Quadrant<V>& q) {
  using I = typename V::i32;
  const I odd = odd_mask(q.k);
  const V v = to_f32(select(widen_low(odd), q.s_lo, q.c_lo), select(widen_high(odd), q.s_hi, q.c_hi));
  return v ^ shl<30>((q.k + I::all(1)) & I::all(2)).as_f32();
}
// tan x: s / c in even quadrants, -c / s in odd ones; one division in double.
template <class V>
inline V tan_of(const Quadrant<V>& q) {
  using D = typename V::f64;
  const auto odd = odd_mask(q.k);
  const D m0 = widen_low(odd), m1 = widen_high(odd);
  const D t0 = select(m0, q.c_lo, q.s_lo) / select(m0, q.s_lo, q.c_lo);
  const D t1 = select(m1, q.c_hi, q.s_hi) / select(m1, q.s_hi, q.c_hi);
  return to_f32(t0, t1) ^ shl<31>(q.k).as_f32();
}

// ---- float, 11-bit class: everything in single precision, four lanes at a time ----------

// pi and pi/2 in four float parts of 11, 11, 11 and 24 bits: k (up to 13 bits, or k + 1/2)
// times each of the first three parts is exact and the first differences cancel exactly, so
// r keeps about 23 correct bits even next to a multiple of pi/2 (|r| >= 2^-22 for floats up
// to 10000).
constexpr uint32_t kPiF[4] = {0x40490000u, 0x3A7DA000u, 0x34222000u, 0x2CB4611Au};
constexpr uint32_t kPio2F[4] = {0x3FC90000u, 0x39FDA000u, 0x33A22000u, 0x2C34611Au};

template <class V>
inline V cody_waite4(V x, V k, const uint32_t (&p)[4]) {
  return (((x - k * V::all(bits<float>(p[0]))) - k * V::all(bits<float>(p[1]))) - k * V::all(bits<float>(p[2]))) -
         k * V::all(bits<float>(p[3]));
}

// sin x (or cos x about the odd multiples of pi/2) in single precision: the degree-5
// polynomial fitted for the 11-bit class (2^-13.5, tools/trig_poly) or the high-accuracy
// degree-9 polynomial in float coefficients for the 4-ulp class.
template <Poly P, bool Cosine, class V>
inline V sin_by_pi_single(V x) {
  using I = typename V::i32;
  const V q = x * V::all(bits<float>(0x3EA2F983u));  // 1/pi
  const I k = round_to_i32(Cosine ? q - V::all(0.5f) : q);
  const V kf = Cosine ? to_f32(k) + V::all(0.5f) : to_f32(k);
  const V r = cody_waite4(x, kf, kPiF), r2 = r * r;
  V v;
  if constexpr (P == Poly::a11) {
    const V c0 = V::all(bits<float>(0x3F7FFA37u)), c1 = V::all(bits<float>(0xBE2A00C2u)),
            c2 = V::all(bits<float>(0x3BF9DCC5u));  // 0.99991173, -0.16601852, 0.0076251949
    v = r * (c0 + r2 * (c1 + r2 * c2));
  } else {
    const V c1 = V::all(-0.166666589f), c2 = V::all(0.008333075f), c3 = V::all(-0.000198107f),
            c4 = V::all(2.608e-06f);
    v = r + r * r2 * (c1 + r2 * (c2 + r2 * (c3 + r2 * c4)));
    v = select(r == V::all(0.0f), r, v);  // the sum would turn -0 into +0
  }
  return v ^ shl<31>(Cosine ? k + I::all(1) : k).as_f32();
}

template <class V>
struct QuadrantSingle {
  typename V::i32 k;
  V s, c;
};

// x = k pi/2 + r, sin r and cos r by Taylor polynomials: to r^5 and r^6 (2^-14) in the 11-bit
// class, to r^9 and r^8 (2^-25) in the 4-ulp class.
template <Poly P, class V>
inline QuadrantSingle<V> quadrant_single(V x) {
  QuadrantSingle<V> q;
  q.k = round_to_i32(x * V::all(bits<float>(0x3F22F983u)));  // 2/pi
  const V r = cody_waite4(x, to_f32(q.k), kPio2F), r2 = r * r;
  const V one = V::all(1.0f);
  if constexpr (P == Poly::a11) {
    q.s = r * (one + r2 * (V::all(-1.0f / 6) + r2 * V::all(1.0f / 120)));
    q.c = one + r2 * (V::all(-0.5f) + r2 * (V::all(1.0f / 24) + r2 * V::all(-1.0f / 720)));
  } else {
    q.s = r + r * r2 * (V::all(-1.0f / 6) + r2 * (V::all(1.0f / 120) +
                        r2 * (V::all(-1.0f / 5040) + r2 * V::all(1.0f / 362880))));
    q.s = select(r == V::all(0.0f), r, q.s);  // keep -0
    q.c = one + r2 * (V::all(-0.5f) + r2 * (V::all(1.0f / 24) +
                      r2 * (V::all(-1.0f / 720) + r2 * V::all(1.0f / 40320))));
  }
  return q;
}

template <class V>
inline V sin_of(const QuadrantSingle<V>& q) {
  using I = typename V::i32;
  const V odd = odd_mask(q.k).as_f32();
  return select(odd, q.c, q.s) ^ shl<30>(q.k & I::all(2)).as_f32();
}
template <class V>
inline V cos_of(const QuadrantSingle<V>& q) {
  using I = typename V::i32;
  const V odd = odd_mask(q.k).as_f32();
  return select(odd, q.s, q.c) ^ shl<30>((q.k + I::all(1)) & I::all(2)).as_f32();
}

// tan x in single precision for the 4-ulp class: x = k pi/2 + r, tan r = r + r^3 Q(r^2) with Q
// minimax of degree 6 (2^-29.5, tools/trig_poly), and -1 / tan r in odd quadrants.
template <class V>
inline V tan_single(V x) {
  using I = typename V::i32;
  const I k = round_to_i32(x * V::all(bits<float>(0x3F22F983u)));  // 2/pi
  const V r = cody_waite4(x, to_f32(k), kPio2F), z = r * r;
  const V q = V::all(bits<float>(0x3EAAAAB0u)) +
              z * (V::all(bits<float>(0x3E0886C0u)) +
                   z * (V::all(bits<float>(0x3D5D6F23u)) +
                        z * (V::all(bits<float>(0x3CAE4B20u)) +
                             z * (V::all(bits<float>(0x3C31CD57u)) +
                                  z * (V::all(bits<float>(0x388F0989u)) + z * V::all(bits<float>(0x3B8FC174u)))))));
  const V t = r + r * z * q;
  return select(odd_mask(k).as_f32(), V::all(-1.0f) / t, t);
}

// ---- double: the pi/32 table -------------------------------------------------------------

// The double Sin, Cos and SinCos paths below are templates over the register type V (f64x2
// or a wider path's, trig_avx2.cpp and trig_avx512.cpp), with the same bits on every path.

// x = n pi/32 + s + sl for |x| below 2^17, and n (its low bits index the table) per lane.
template <class V>
struct DTable {
  V s, sl;
  typename V::i64 n;
};

template <class V>
inline DTable<V> dreduce(V x, const double* tab) {
  const V shifter = V::all(tab[trig::kShifter]);
  const V t = x * V::all(tab[trig::kInvPio32]) + shifter;
  const V n = t - shifter;
  const V a = x - n * V::all(tab[trig::kPio32a]);  // exact, as in the scalar routine
  DTable<V> d;
  V e;
  two_sum(a, -(n * V::all(tab[trig::kPio32a + 1])), d.s, e);
  d.sl = e - n * V::all(tab[trig::kPio32a + 2]);
  d.n = t.bits();
  return d;
}

// sin(j pi/32 + s + sl) per lane from a sine-layout table, `phase` steps of pi/32 added to j
// (16 turns a sine into a cosine); the same evaluation order as the scalar routine.
template <class V>
inline V dsin_table(const double* tab, const DTable<V>& d, uint32_t phase) {
  using I = typename V::i64;
  V dj, sj, sjl, bj;
  if constexpr (V::lanes == 2) {
    // Two lanes: each row is two aligned pairs, transposed.
    const uint32_t j0 = static_cast<uint32_t>(_mm_cvtsi128_si32(d.n.v));
    const uint32_t j1 = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(d.n.v, 0xEE)));
    const double* e0 = tab + 4 * ((j0 + phase) & 63u);
    const double* e1 = tab + 4 * ((j1 + phase) & 63u);
    const __m128d a0 = _mm_load_pd(e0), a1 = _mm_load_pd(e1);
    const __m128d b0 = _mm_load_pd(e0 + 2), b1 = _mm_load_pd(e1 + 2);
    dj = _mm_unpacklo_pd(a0, a1), sj = _mm_unpackhi_pd(a0, a1);
    sjl = _mm_unpacklo_pd(b0, b1), bj = _mm_unpackhi_pd(b0, b1);
  } else {
    gather_rows4(tab, shl<2>((d.n + I::all(phase)) & I::all(63)), dj, sj, sjl, bj);
  }
  const V s = d.s, s2 = s * s;
  const double* c = tab + trig::kSinC3;
  const double* k = tab + trig::kCosC2;
  const V sp = s * s2 * (V::all(c[0]) + s2 * (V::all(c[1]) + s2 * (V::all(c[2]) + s2 * V::all(c[3]))));
  const V cp = s2 * (V::all(k[0]) + s2 * (V::all(k[1]) + s2 * (V::all(k[2]) + s2 * V::all(k[3]))));
  V hi, lo;
  two_sum(sj, bj * s, hi, lo);
  const V cj = bj + dj;
  lo = lo + sjl + dj * s + cj * (sp + d.sl) + sj * (cp - s * d.sl);
  return hi + lo;
}

// Sine and cosine together for the 4-ulp class, |x| <= 128000: x = k pi/2 + r with pi/2 in
// three parts (k below 2^17, so the first two products are exact), Taylor polynomials of sin
// to r^15 and cos to r^16 on |r| <= pi/4 (below 2^-54), the quadrant choosing and signing them.
// No table: about 1.5 ulp.
template <class V>
inline void dsincos_la(V x, V& sin_x, V& cos_x) {
  using I = typename V::i64;
  const V shifter = V::all(6755399441055744.0);  // 1.5 * 2^52
  const V t = x * V::all(0.63661977236758134) + shifter;
  const V k = t - shifter;
  V h, e;
  two_sum(x - k * V::all(bits<double>(0x3FF921FB54400000ull)), -(k * V::all(bits<double>(0x3DD0B4611A600000ull))), h, e);
  const V r = h + (e - k * V::all(bits<double>(0x3BA3198A2E037073ull)));
  const V r2 = r * r;
  auto c = [](double v) { return V::all(v); };
  const V sr = r + r * r2 * (c(-1.0 / 6) + r2 * (c(1.0 / 120) + r2 * (c(-1.0 / 5040) + r2 * (c(1.0 / 362880) +
               r2 * (c(-1.0 / 39916800) + r2 * (c(1.0 / 6227020800.0) + r2 * c(-1.0 / 1307674368000.0)))))));
  const V cr = c(1.0) + r2 * (c(-0.5) + r2 * (c(1.0 / 24) + r2 * (c(-1.0 / 720) + r2 * (c(1.0 / 40320) +
               r2 * (c(-1.0 / 3628800) + r2 * (c(1.0 / 479001600) + r2 * (c(-1.0 / 87178291200.0) +
               r2 * c(1.0 / 20922789888000.0))))))));
  // Quadrant bits from the shifted value: bit 0 swaps sine and cosine, bit 1 (of q, or of
  // q + 1 for the cosine) negates.
  const I q = t.bits();
  const V odd = sign_mask(shl<63>(q)).as_f64();
  const V sin_sign = shl<63>(shr<1>(q)).as_f64();
  const V cos_sign = shl<63>(shr<1>(q + I::all(1))).as_f64();
  sin_x = select(x == V::all(0.0), x, select(odd, cr, sr) ^ sin_sign);  // sin(-0) = -0
  cos_x = select(odd, sr, cr) ^ cos_sign;
}

// Lanes of a double register at or beyond the fast limit (and inf, NaN).
template <class V>
inline uint32_t double_outside(V x, double limit, bool inclusive) {
  const V ax = abs(x), l = V::all(limit);
  return ~movemask(inclusive ? ax <= l : ax < l) & ((1u << V::lanes) - 1u);
}

// ---- double tangent on staged arrays ----------------------------------------------------

// Stage 1: x = k pi/2 + r for |x| <= 128000 (k below 2^17, so k times the first two parts of
// pi/2 is exact); r as high and low parts with x's sign, and k's parity.
inline void dtan_reduction(int count, const double* x, double* rh, double* rl, double* odd) {
  const f64x2 p1 = f64x2::all(bits<double>(0xBFF921FB54400000ull));  // -pi/2 in three parts
  const f64x2 p2 = f64x2::all(bits<double>(0xBDD0B4611A600000ull));
  const f64x2 p3 = f64x2::all(bits<double>(0xBBA3198A2E037073ull));
  const f64x2 shifter = f64x2::all(4503599627370496.0);  // 2^52: |x| 2/pi + 2^52 keeps k in the low bits
  const f64x2 inv = f64x2::all(0.63661977236758134);     // 2/pi
  const f64x2 sign_bit = f64x2::all(-0.0);
  for (int i = 0; i < count; i += 2) {
    const f64x2 xv = f64x2::load(x + i);
    const f64x2 ax = abs(xv), sgn = xv & sign_bit;
    const f64x2 t = ax * inv + shifter;
    const f64x2 k = t - shifter;
    const f64x2 a = ax + k * p1;
    f64x2 h, e;
    two_sum(a, k * p2, h, e);
    f64x2 l = e + k * p3;
    const f64x2 hh = h + l;
    l = l - (hh - h);
    (hh ^ sgn).store(rh + i);
    (l ^ sgn).store(rl + i);
    const i64x2 parity = t.bits() & i64x2::all(1);
    to_f64_low2(i32x4(_mm_shuffle_epi32(parity.v, 0x08))).store(odd + i);  // 0.0 or 1.0
  }
}

// tan u = u + u^3 Q(u^2) on |u| <= pi/8, Q minimax (tools/trig_poly): degree 9 leaves 2^-64.7
// relatively, degree 8 (the 4-ulp class) 2^-58.7.
constexpr uint64_t kTanQ9[10] = {0x3FD5555555555555ull, 0x3FC1111111111288ull, 0x3FABA1BA1B9F3BE5ull,
                                 0x3F9664F489384A99ull, 0x3F8226E3153FC8B2ull, 0x3F6D6D504832A31Aull,
                                 0x3F57D8643F9F2A19ull, 0x3F4371953EFFE1ADull, 0x3F2D4623232069D1ull,
                                 0x3F2208DCD7B7F60Dull};
constexpr uint64_t kTanQ8[9] = {0x3FD5555555555574ull, 0x3FC111111110D2D0ull, 0x3FABA1BA1BF881A4ull,
                                0x3F9664F46A91535Bull, 0x3F8226E909092373ull, 0x3F6D6BEAF0F6B0CFull,
                                0x3F57F232A0B10D7Dull, 0x3F42522D710892ECull, 0x3F358B617CDE5EE8ull};

template <int N, class V>
inline V tan_q(V z, const uint64_t (&c)[N]) {
  V q = V::all(bits<double>(c[N - 1]));
#pragma GCC unroll 10
  for (int k = N - 2; k >= 0; --k) q = q * z + V::all(bits<double>(c[k]));
  return q;
}

// Stage 2: with u = r/2 (|u| <= pi/8), p = u^3 Q(u^2) in double.
inline void dtan_polynomial53(int count, const double* rh, double* p) {
  const f64x2 half = f64x2::all(0.5);
  for (int i = 0; i < count; i += 2) {
    const f64x2 u = f64x2::load(rh + i) * half;
    const f64x2 u2 = u * u;
    (u * u2 * tan_q(u2, kTanQ9)).store(p + i);
  }
}

// Stage 3: t = tan(r/2) = u + p and tan r = 2t / (1 - t^2), or -(1 - t^2) / 2t in odd
// quadrants, in the extended precision of the x87 unit (the kernel sets 64-bit precision).
inline void dtan_polynomial64(int count, const double* rh, const double* rl, const double* p,
                              const double* odd, double* r) {
  for (int i = 0; i < count; ++i) {
    const long double u = 0.5L * (static_cast<long double>(rh[i]) + rl[i]);
    const long double t = u + p[i];
    const long double num = t + t, den = 1.0L - t * t;
    r[i] = static_cast<double>(odd[i] != 0.0 ? -den / num : num / den);
  }
}

// The whole evaluation in double registers, for the 4-ulp class: the same reduction and
// polynomial, completed in double (about 2.5 ulp).
template <class V>
inline V dtan_la(V xv) {
  const V p1 = V::all(bits<double>(0xBFF921FB54400000ull));
  const V p2 = V::all(bits<double>(0xBDD0B4611A600000ull));
  const V p3 = V::all(bits<double>(0xBBA3198A2E037073ull));
  const V shifter = V::all(4503599627370496.0);
  const V ax = abs(xv), sgn = xv & V::all(-0.0);
  const V t = ax * V::all(0.63661977236758134) + shifter;
  const V k = t - shifter;
  V h, e;
  two_sum(ax + k * p1, k * p2, h, e);
  const V u = (h + (e + k * p3)) * V::all(0.5);
  const V u2 = u * u;
  const V tt = u + u * u2 * tan_q(u2, kTanQ8);
  const V num = tt + tt, den = V::all(1.0) - tt * tt;
  // k odd: all-ones lanes, from the lowest bit of the shifted value.
  const V odd = sign_mask(shl<63>(t.bits())).as_f64();
  return (select(odd, -den, num) / select(odd, num, den)) ^ sgn;
}

// The double 4-ulp tangent's core, fast up to 128000 inclusive.
struct DTanLaCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    return unary_group<V, group>(a, r, [](V x) { return dtan_la(x); }, [](V x) { return double_outside(x, 128000.0, true); });
  }
};

}  // namespace zaforq::vm::trigk
