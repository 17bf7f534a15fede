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
// The float kernels evaluate the same schemes in double precision with shorter polynomials and
// round once at the end, which also rounds subnormal float results correctly.
#pragma once
#include <stdint.h>
#include <string.h>

#include "common/bits.h"
#include "common/fpenv.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::erfk {

using namespace zaforq::simd;

#include "zaf_core/_erf/erf_tables.inc"

// ---- table rows ------------------------------------------------------------------------------

// Row numbers of four non-negative magnitudes (two registers) from their high words: interval 0
// below 1/8, then 2^Split intervals per binade, clamped to the last row.
template <int Split, int Last, int W>
inline void rows4(f64x2 a0, f64x2 a1, const double (*tab)[W], const double* p[4]) {
  const i32x4 h = _mm_castps_si128(
      _mm_shuffle_ps(_mm_castpd_ps(a0.v), _mm_castpd_ps(a1.v), _MM_SHUFFLE(3, 1, 3, 1)));
  i32x4 i = sar<20 - Split>(h - i32x4::all(0x3FC00000)) + i32x4::all(1);  // 0x3FC00000: 1/8
  i = select(i < i32x4::all(0), i32x4::all(0), i);
  i = select(i > i32x4::all(Last), i32x4::all(Last), i);
  alignas(16) int32_t k[4];
  i.store(k);
  for (int j = 0; j < 4; ++j) p[j] = tab[k[j]];
}

// Column k of two rows, one per lane.
__attribute__((always_inline)) inline f64x2 col(const double* p0, const double* p1, int k) {
  return _mm_loadh_pd(_mm_load_sd(p0 + k), p1 + k);
}

// Columns First..Last as polynomial coefficients in t (First the constant term), by Horner's
// rule, fully unrolled so that the coefficient loads run ahead of the multiply-add chain.
template <int First, int Last>
__attribute__((always_inline)) inline f64x2 poly(const double* p0, const double* p1, f64x2 t) {
  f64x2 q = col(p0, p1, Last);
#pragma GCC unroll 16
  for (int k = Last - 1; k >= First; --k) q = q * t + col(p0, p1, k);
  return q;
}

// t = a s - m, exact: s is a power of two and a s lies within a factor of two of m.
__attribute__((always_inline)) inline f64x2 reduce(f64x2 a, const double* p0, const double* p1) {
  return a * col(p0, p1, 1) - col(p0, p1, 0);
}

inline f64x2 sign_of(f64x2 x) { return x & f64x2::all(-0.0); }

// ---- erf ----------------------------------------------------------------------------------------

constexpr int kErfLast = 23;  // the row of the constant 1
inline f64x2 erf_magnitude(f64x2 x) { return min(abs(x), f64x2::all(8.0)); }  // infinities to 8

// Double _HA. Row: m, s, c0 high, c0 low, c1 high (26 bits), c1 low, c2 ... c14. The leading
// terms c0 + t c1 are kept to twice the working precision: t is split so that t_high c1_high is
// exact, and only the final addition rounds.
__attribute__((always_inline)) inline f64x2 derf_ha(f64x2 x, f64x2 a, const double* p0, const double* p1) {
  const f64x2 t = reduce(a, p0, p1);
  const f64x2 ct = t * f64x2::all(134217729.0);  // 2^27 + 1
  const f64x2 th = ct - (ct - t);
  const f64x2 tl = t - th;
  const f64x2 c0h = col(p0, p1, 2), c1h = col(p0, p1, 4);
  const f64x2 P = th * c1h;
  // |c0 high| exceeds |P| on every interval but the first, where it is 0: the ordered sum is exact.
  const f64x2 S = c0h + P;
  const f64x2 E = P - (S - c0h);
  const f64x2 Q = poly<6, 18>(p0, p1, t);
  const f64x2 low = col(p0, p1, 3) + (tl * c1h + t * (col(p0, p1, 5) + t * Q));
  return (S + (E + low)) | sign_of(x);
}

// Double _50. Row: m, s, c0 ... c13.
__attribute__((always_inline)) inline f64x2 derf_50(f64x2 x, f64x2 a, const double* p0, const double* p1) {
  const f64x2 t = reduce(a, p0, p1);
  return (col(p0, p1, 2) + t * poly<3, 15>(p0, p1, t)) | sign_of(x);
}

// Float classes, in double. Row: m, s, c0 ... cD.
template <int D>
__attribute__((always_inline)) inline f64x2 serf(f64x2 x, f64x2 a, const double* p0, const double* p1) {
  const f64x2 t = reduce(a, p0, p1);
  return poly<2, 2 + D>(p0, p1, t) | sign_of(x);
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
struct ExpSplit {
  f64x2 r, s;
};

__attribute__((always_inline)) inline ExpSplit exp_minus(f64x2 x2h, f64x2 x2l) {
  const f64x2 minus_inv_step = f64x2::all(bits<double>(0xC0571547652B82FEull));  // -92.33248261689366 = -64/ln 2
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));         // 1.5 * 2^52
  const f64x2 step_hi = f64x2::all(bits<double>(0x3F862E42FEF00000ull));         // ln 2/64, high part
  const f64x2 step_lo = f64x2::all(bits<double>(0x3D7473DE6AF278EDull));         // ln 2/64, low part
  const f64x2 s = x2h * minus_inv_step + shifter;
  const f64x2 kd = s - shifter;
  // k step_high is exact (k below 2^17, the high part 33 bits) and so is its difference to -a^2.
  return {((-x2h - kd * step_hi) - kd * step_lo) - x2l, s};
}

// 2^floor(k/64), with `octaves` added to the exponent.
inline f64x2 octave_scale(f64x2 s, int octaves) {
  return (shl<46>(s.bits() + i64x2::all(0xFFC0 + 64 * static_cast<int64_t>(octaves))) &
          i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull)))
      .as_f64();
}

__attribute__((always_inline)) inline void exp_row(f64x2 s, f64x2& th, f64x2& tl) {
  const int32_t k0 = _mm_cvtsi128_si32(s.bits().v);
  const int32_t k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(s.bits().v, s.bits().v));
  const f64x2 e0 = f64x2::load_aligned(kErfcExp64[k0 & 63]);
  const f64x2 e1 = f64x2::load_aligned(kErfcExp64[k1 & 63]);
  th = _mm_unpacklo_pd(e0.v, e1.v);
  tl = _mm_unpackhi_pd(e0.v, e1.v);
}

// e^r - 1 for |r| <= ln 2/128, the minimax quintic of the double exponential.
__attribute__((always_inline)) inline f64x2 expm1_small(f64x2 r) {
  const f64x2 c2 = f64x2::all(bits<double>(0x3FDFFFFFFFFFD97Cull));  // 0.49999999999945266
  const f64x2 c3 = f64x2::all(bits<double>(0x3FC55555555542A1ull));  // 0.16666666666653376
  const f64x2 c4 = f64x2::all(bits<double>(0x3FA555574BC3A1BEull));  // 0.04166672515731616
  const f64x2 c5 = f64x2::all(bits<double>(0x3F81111276409C2Cull));  // 0.008333343728805863
  return r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
}

// 2 - v for negative x, v for positive: two_sum(base, ±v_high) is exact, so the result rounds once.
__attribute__((always_inline)) inline f64x2 fold_sign(f64x2 x, f64x2 vh, f64x2 vl) {
  const f64x2 neg = x < f64x2::all(0.0);  // -0 counts as positive: erfc(-0) = 1
  const f64x2 sg = neg & f64x2::all(-0.0);
  const f64x2 base = neg & f64x2::all(2.0);
  const f64x2 A = vh ^ sg, B = vl ^ sg;
  const f64x2 S = base + A;
  const f64x2 bb = S - base;
  const f64x2 E = (base - (S - bb)) + (A - bb);
  return S + (E + B);
}

inline f64x2 erfc_magnitude(f64x2 x, double clamp) { return min(abs(x), f64x2::all(clamp)); }

// Double _HA. Row: m, s, g0 high (26 bits), g0 low, g1 ... g11. `octaves` lifts the scale for
// results below the normal range (undone by the caller with one more rounding multiply).
__attribute__((always_inline)) inline f64x2 derfc_ha(f64x2 x, f64x2 a, const double* p0, const double* p1,
                                                     int octaves = 0) {
  const f64x2 ca = a * f64x2::all(134217729.0);
  const f64x2 ah = ca - (ca - a);
  const f64x2 al = a - ah;
  const f64x2 x2h = a * a;
  const f64x2 x2l = ((ah * ah - x2h) + f64x2::all(2.0) * ah * al) + al * al;
  const ExpSplit e = exp_minus(x2h, x2l);
  f64x2 th, tl;
  exp_row(e.s, th, tl);
  const f64x2 p = expm1_small(e.r);
  const f64x2 c = tl + p * (th + tl);  // e^-a^2 = 2^q (th + c)
  const f64x2 t = reduce(a, p0, p1);
  const f64x2 g0h = col(p0, p1, 2);
  const f64x2 gl = col(p0, p1, 3) + t * poly<4, 14>(p0, p1, t);  // G = g0h + gl
  const f64x2 A = th * g0h;  // exact: both have 26 bits
  const f64x2 B = th * gl + c * (g0h + gl);
  const f64x2 scale = octave_scale(e.s, octaves);
  return fold_sign(x, A * scale, B * scale);
}

// Double _50. Row: m, s, g0 ... g10.
__attribute__((always_inline)) inline f64x2 derfc_50(f64x2 x, f64x2 a, const double* p0, const double* p1,
                                                     int octaves = 0) {
  const f64x2 ca = a * f64x2::all(134217729.0);
  const f64x2 ah = ca - (ca - a);
  const f64x2 al = a - ah;
  const f64x2 x2h = a * a;
  const f64x2 x2l = ((ah * ah - x2h) + f64x2::all(2.0) * ah * al) + al * al;
  const ExpSplit e = exp_minus(x2h, x2l);
  f64x2 th, tl;
  exp_row(e.s, th, tl);
  const f64x2 E = th + (tl + expm1_small(e.r) * (th + tl));
  const f64x2 v = E * poly<2, 12>(p0, p1, reduce(a, p0, p1)) * octave_scale(e.s, octaves);
  return select(x < f64x2::all(0.0), f64x2::all(2.0) - v, v);
}

// Float classes, in double: a has at most 24 bits, so a^2 is exact. Row: m, s, g0 ... gD; the
// exponential's polynomial is cubic for _HA and quadratic below.
template <int D, bool Cubic>
__attribute__((always_inline)) inline f64x2 serfc(f64x2 x, f64x2 a, const double* p0, const double* p1) {
  const ExpSplit e = exp_minus(a * a, f64x2::all(0.0));
  f64x2 th, tl;
  exp_row(e.s, th, tl);
  const f64x2 r = e.r;
  const f64x2 p = Cubic ? r + r * r * (f64x2::all(0.5) + r * f64x2::all(1.0 / 6.0)) : r + f64x2::all(0.5) * r * r;
  const f64x2 T = th + tl;
  const f64x2 v = (T + T * p) * poly<2, 2 + D>(p0, p1, reduce(a, p0, p1)) * octave_scale(e.s, 0);
  return select(x < f64x2::all(0.0), f64x2::all(2.0) - v, v);
}

// ---- groups -------------------------------------------------------------------------------------

// Four doubles through an evaluator F(x, a, p0, p1): magnitudes clamped, rows found once for the
// four lanes.
template <int Split, int Last, int W, class F>
__attribute__((always_inline)) inline void four(f64x2 x0, f64x2 x1, f64x2 a0, f64x2 a1, const double (*tab)[W],
                                                F&& f, f64x2& r0, f64x2& r1) {
  const double* p[4];
  rows4<Split, Last>(a0, a1, tab, p);
  r0 = f(x0, a0, p[0], p[1]);
  r1 = f(x1, a1, p[2], p[3]);
}

// The float kernels: eight floats as four double registers.
template <int Split, int Last, int W, class F>
__attribute__((always_inline)) inline void eight_floats(const float* a, float* r, double clamp,
                                                        const double (*tab)[W], F&& f) {
  const f32x4 xa = f32x4::load(a), xb = f32x4::load(a + 4);
  const f64x2 x[4] = {to_f64_low2(xa), to_f64_high2(xa), to_f64_low2(xb), to_f64_high2(xb)};
  f64x2 y[4];
  for (int h = 0; h < 4; h += 2) {
    const f64x2 a0 = min(abs(x[h]), f64x2::all(clamp)), a1 = min(abs(x[h + 1]), f64x2::all(clamp));
    four<Split, Last>(x[h], x[h + 1], a0, a1, tab, f, y[h], y[h + 1]);
  }
  to_f32(y[0], y[1]).store(r);
  to_f32(y[2], y[3]).store(r + 4);
}

// One float through the same computation (special routines).
template <int Split, int Last, int W, class F>
inline float one_float(float v, double clamp, const double (*tab)[W], F&& f) {
  const f64x2 x = f64x2::all(v);
  const f64x2 a = min(abs(x), f64x2::all(clamp));
  f64x2 y0, y1;
  four<Split, Last>(x, x, a, a, tab, f, y0, y1);
  return _mm_cvtss_f32(_mm_cvtsd_ss(_mm_setzero_ps(), y0.v));
}

// ---- float Erf and Erfc kernels, one policy per class ----------------------------------------

template <int D, const double (&Tab)[kErfLast + 1][3 + D]>
struct SErfEval {
  __attribute__((always_inline)) f64x2 operator()(f64x2 x, f64x2 a, const double* p0, const double* p1) const {
    return serf<D>(x, a, p0, p1);
  }
};

// Float Erf: only NaN leaves the fast path.
template <int D, const double (&Tab)[kErfLast + 1][3 + D]>
inline uint32_t serf_fast(const float* a, float* r) {
  const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
  eight_floats<2, kErfLast>(a, r, 8.0, Tab, SErfEval<D, Tab>{});
  return movemask(unordered(x0, x0)) | (movemask(unordered(x1, x1)) << 4);
}

inline void nan_special(float a, float& r) { r = a + a; }

// Float Erfc: an argument at or above this reports UNDERFLOW, erfc falling below 2^-126 there.
inline float serfc_underflow_bound() { return bits<float>(0x41131CE0u); }  // 9.19455
// From here on the float result is +0.
inline float serfc_zero_bound() { return bits<float>(0x4120DDFCu); }  // 10.054195404052734
constexpr double kSErfcClamp = 16.0;  // erfc(16) is far below every float; keeps 2^k a double

template <int D, bool Cubic, const double (&Tab)[kErfcLast + 1][3 + D]>
struct SErfcEval {
  __attribute__((always_inline)) f64x2 operator()(f64x2 x, f64x2 a, const double* p0, const double* p1) const {
    return serfc<D, Cubic>(x, a, p0, p1);
  }
};

template <int D, bool Cubic, const double (&Tab)[kErfcLast + 1][3 + D]>
inline uint32_t serfc_fast(const float* a, float* r) {
  const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
  eight_floats<3, kErfcLast>(a, r, kSErfcClamp, Tab, SErfcEval<D, Cubic, Tab>{});
  const f32x4 bound = f32x4::all(serfc_underflow_bound());
  return (~movemask(x0 < bound) & 0xFu) | ((~movemask(x1 < bound) & 0xFu) << 4);  // NaN included
}

template <int D, bool Cubic, const double (&Tab)[kErfcLast + 1][3 + D]>
inline void serfc_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  r = x >= serfc_zero_bound() ? 0.0f : one_float<3, kErfcLast>(x, kSErfcClamp, Tab, SErfcEval<D, Cubic, Tab>{});
  if (x >= serfc_underflow_bound() && x != __builtin_inff()) report(ZAF_STATUS_UNDERFLOW);
}

// ---- double Erfc special routine ----------------------------------------------------------------

// The fast path keeps |x| <= 26.4, where erfc x is above 2^-1011 and every partial product of the
// result stays normal.
inline f64x2 derfc_fast_bound() { return f64x2::all(26.4); }
inline double derfc_underflow_bound() { return bits<double>(0x403A8B12FC6E4891ull); }  // 26.543258454250978
inline double derfc_zero_bound() { return bits<double>(0x403B39DC00000000ull); }       // 27.22601318359375

// Evaluates one lane through F with the scale lifted by 600 octaves, then scales down once.
template <int W, class F>
inline void derfc_special(double x, double& r, const Report<double>& report, const double (*tab)[W], F&& f) {
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
  const double* p[4];
  rows4<3, kErfcLast>(xv, xv, tab, p);
  r = (f(xv, xv, p[0], p[1], 600) * f64x2::all(bits<double>(0x1A70000000000000ull))).lane0();  // 2^-600
  if (x > derfc_underflow_bound()) report(ZAF_STATUS_UNDERFLOW);
}

}  // namespace zaforq::vm::erfk
