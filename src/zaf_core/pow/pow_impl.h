// Powers: x^y = 2^(y log2 x). The special-case table settles zeros, infinities, NaNs, negative
// bases and the domain errors in a fixed order; everything else goes through the general
// computation on |x| with a sign factor for negative bases with odd integer exponents.
//
// Float kernels compute in double precision: log2 x from a 257-entry table and a short
// polynomial, the product with y, then 2^(product) from a 128-entry table, rounded once to
// float at the end. Double kernels need more: an error of d in y log2 x becomes a relative
// error of d ln 2 in the result, and y log2 x reaches 1075 in magnitude, so log2 x is carried
// as a double-double (about 2^-70 relative) and the product is formed exactly in two parts.
// The only status is ERRDOM; a result past the range is written as ±inf or ±0 silently.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/dd.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::powk {

using namespace zaforq::simd;

#include "zaf_core/pow/pow_tables.inc"

// ---- integer classification of the exponent ------------------------------------------------
enum IntClass : int { kNotInteger = 0, kOdd = 1, kEven = 2 };

// A 64-bit mask of `count` low one-bits, all ones from 64 on.
inline uint64_t low_ones(int count) { return count >= 64 ? ~0ull : (1ull << count) - 1ull; }

// Double y given by its words. Every |y| >= 2^53 is an even integer.
inline int test_int(uint32_t lo, uint32_t hi) {
  if (((hi & 0x7FFFFFFFu) | lo) == 0) return kEven;  // ±0
  const int E = static_cast<int>((hi >> 20) & 0x7FFu);
  if (E == 2047 || E < 1023) return kNotInteger;  // inf, NaN, |y| < 1
  if (E - 1023 > 52) return kEven;
  const int f = 1075 - E;  // fraction bits below the units bit
  const uint64_t sig = (static_cast<uint64_t>(hi & 0xFFFFFu) << 32) | lo;
  if (sig & low_ones(f)) return kNotInteger;
  if ((sig >> f) & 1u) return kOdd;
  // The units bit of |y| = 1 is the implicit bit, which the stored fraction does not show.
  return (lo == 0 && (hi & 0x7FFFFFFFu) == 0x3FF00000u) ? kOdd : kEven;
}
inline int test_int(double y) {
  const uint64_t b = bits_of(y);
  return test_int(static_cast<uint32_t>(b), static_cast<uint32_t>(b >> 32));
}

// Float y by its bits. Every |y| >= 2^24 is an even integer.
inline int test_int(float y) {
  const uint32_t mag = bits_of(y) & 0x7FFFFFFFu;
  if (mag < 0x3F800000u || mag >= 0x7F800000u) return kNotInteger;  // |y| < 1, ±0, inf, NaN
  if (mag >= 0x4B800000u) return kEven;
  const uint32_t shifted = mag << ((mag >> 23) - 127);  // the units bit lands on bit 23
  if (shifted & 0x7FFFFFu) return kNotInteger;
  return (shifted & 0xFFFFFFu) == 0x800000u ? kOdd : kEven;
}

// ---- the special-case table ------------------------------------------------------------------
template <class T>
inline bool is_nan(T v) { return v != v; }
template <class T>
inline T inf() { return static_cast<T>(__builtin_inf()); }
template <class T>
inline bool negative(T v) { return __builtin_signbit(v) != 0; }

// Settles (x, y) when the table decides the result: writes r, sets *domain for ERRDOM and
// returns true. Otherwise returns false with x finite, nonzero and y finite, nonzero, and
// *odd_negative telling whether the result takes a minus sign (x < 0 and y odd); the general
// computation then runs on |x|.
template <class T>
inline bool pow_table(T x, T y, T& r, bool& domain, bool& odd_negative) {
  domain = false;
  odd_negative = false;
  const T one = T(1);
  const T ax = x < 0 ? -x : x;
  const bool y_inf = y == inf<T>() || y == -inf<T>();
  if (y == 0) { r = one; return true; }                                // 1: also for NaN x
  if (x == one) { r = one; return true; }                              // 2: also for NaN y
  if (x == -one && y_inf) { r = one; return true; }                    // 3
  if (is_nan(x)) { r = x; return true; }                               // 4
  if (is_nan(y)) { r = y; return true; }                               // 5
  if (x == 0 && y == -inf<T>()) { r = inf<T>(); domain = true; return true; }  // 6
  if (y_inf) {                                                         // 7, 8 (|x| = 1 is done)
    r = (ax > one) == (y > 0) ? inf<T>() : T(0);
    return true;
  }
  if (x == inf<T>()) { r = y > 0 ? inf<T>() : T(0); return true; }    // 9
  if (x == -inf<T>()) {                                                // 10
    const bool odd = test_int(y) == kOdd;
    r = y > 0 ? (odd ? -inf<T>() : inf<T>()) : (odd ? -T(0) : T(0));
    return true;
  }
  if (x == 0 && !negative(x)) {                                        // 11
    r = y < 0 ? inf<T>() : T(0);
    domain = y < 0;
    return true;
  }
  if (x == 0) {                                                        // 12
    const bool odd = test_int(y) == kOdd;
    r = y < 0 ? (odd ? -inf<T>() : inf<T>()) : (odd ? -T(0) : T(0));
    domain = y < 0;
    return true;
  }
  if (x < 0) {
    const int c = test_int(y);
    if (c == kNotInteger) { r = domain_nan<T>(); domain = true; return true; }  // 13
    odd_negative = c == kOdd;                                          // 14
  }
  return false;                                                        // 14, 15
}

// ---- double general computation ---------------------------------------------------------------
inline i32x4 high_words(f64x2 x) { return _mm_shuffle_epi32(x.bits().v, _MM_SHUFFLE(3, 1, 3, 1)); }
inline void lanes(i32x4 v, int32_t& a, int32_t& b) {
  a = _mm_cvtsi128_si32(v.v);
  b = _mm_cvtsi128_si32(_mm_shuffle_epi32(v.v, _MM_SHUFFLE(1, 1, 1, 1)));
}
inline f64x2 pair(double a, double b) { return _mm_set_pd(b, a); }
// hi keeps the leading 26 bits (27 low bits cleared), lo = a - hi has at most 27: products of
// such parts are exact but for the last, whose rounding is below 2^-105 of the product.
inline void split27(f64x2 a, f64x2& hi, f64x2& lo) {
  hi = a & i64x2::all(static_cast<int64_t>(0xFFFFFFFFF8000000ull)).as_f64();
  lo = a - hi;
}
inline void two_sum(f64x2 a, f64x2 b, f64x2& s, f64x2& e) {
  s = a + b;
  const f64x2 bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}
inline void fast_two_sum(f64x2 a, f64x2 b, f64x2& s, f64x2& e) {
  s = a + b;
  e = b - (s - a);
}
inline void two_prod(f64x2 a, f64x2 b, f64x2& p, f64x2& e) {
  f64x2 ah, al, bh, bl;
  split27(a, ah, al);
  split27(b, bh, bl);
  p = a * b;
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}
// The same with b given already split (a constant).
inline void two_prod(f64x2 a, f64x2 b, f64x2 bh, f64x2 bl, f64x2& p, f64x2& e) {
  f64x2 ah, al;
  split27(a, ah, al);
  p = a * b;
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}
inline void two_square(f64x2 a, f64x2& p, f64x2& e) {
  f64x2 ah, al;
  split27(a, ah, al);
  p = a * a;
  e = ((ah * ah - p) + (ah + ah) * al) + al * al;
}

// Two table rows' first two doubles as lanes: (row0[k], row1[k]) for k = 0, 1.
inline void gather2(const double* row0, const double* row1, f64x2& c0, f64x2& c1) {
  const f64x2 a = f64x2::load(row0), b = f64x2::load(row1);
  c0 = _mm_unpacklo_pd(a.v, b.v);
  c1 = _mm_unpackhi_pd(a.v, b.v);
}

// The two members differ in their logarithm table (1025 entries indexed by the leading ten
// mantissa bits rounded, or 65 by six), the split point that sends mantissas near 2 to the next
// exponent, the polynomial fits, and whether the 2^(j/128) table's low part is used.
struct DHA {
  static constexpr const double (*log_tab)[4] = kPowLogHA;
  static constexpr int32_t split = 0x3FE7FE00;
  static int32_t index(int32_t hw) { return ((hw & 0xFFE00) + 512) >> 10; }
  // The same index computed as ((hw & index_mask) + index_round) >> (10 + index_shift).
  static constexpr int32_t index_mask = 0xFFE00, index_round = 512, index_shift = 0;
  static constexpr const double* ln_tail = kPowLnTailHA;
  static f64x2 exp_poly(f64x2 t) {  // 2^t - 1
    const double* a = kPowExpHA;
    return t * (f64x2::all(a[0]) + t * (f64x2::all(a[1]) + t * (f64x2::all(a[2]) + t * (f64x2::all(a[3]) +
                t * f64x2::all(a[4])))));
  }
  static constexpr bool exp_low = true;
  static constexpr bool exact_square = true;
};
struct D50 {
  static constexpr const double (*log_tab)[4] = kPowLog50;
  static constexpr int32_t split = 0x3FE7E000;
  static int32_t index(int32_t hw) { return ((hw & 0xFE000) + 8192) >> 14; }
  static constexpr int32_t index_mask = 0xFE000, index_round = 8192, index_shift = 4;
  static constexpr const double* ln_tail = kPowLnTail50;
  static f64x2 exp_poly(f64x2 t) {
    const double* a = kPowExp50;
    return t * (f64x2::all(a[0]) + t * (f64x2::all(a[1]) + t * (f64x2::all(a[2]) + t * f64x2::all(a[3]))));
  }
  static constexpr bool exp_low = false;
  static constexpr bool exact_square = false;
};

// x^y before the power of two is applied: x > 0 normal, `ecorr` added to its exponent (-52 for
// a subnormal scaled by 2^52). Returns z = z_hi + z_lo in about [0.997, 2.006), unrounded, and,
// in kd, the integer k nearest to 128 y log2 x, so that x^y = z 2^(k >> 7); ph is the high
// part of y log2 x, for the range tests.
// Always inlined: a group's two registers then interleave their long dependency chains, and
// the outputs stay in registers instead of going through memory.
// The exponent e (split point applied) and the logarithm table rows of two lanes.
template <class V>
__attribute__((always_inline)) inline f64x2 dpow_core(f64x2 x, f64x2 y, f64x2 e, const double* t0, const double* t1,
                                                      f64x2& kd, f64x2& ph_out, f64x2& z_lo) {
  const i64x2 mant_mask = i64x2::all(0x000FFFFFFFFFFFFFll);
  const i64x2 one_bits = i64x2::all(0x3FF0000000000000ll);
  const f64x2 one = f64x2::all(1.0);
  f64x2 rcp, lh, ll, unused;
  gather2(t0, t1, rcp, lh);
  gather2(t0 + 2, t1 + 2, ll, unused);
  // r = m rcp - 1 in two parts, both exact: m = m_hi + m_lo with 26 and 27 bits, rcp 26 bits.
  const f64x2 m = ((x.bits() & mant_mask) | one_bits).as_f64();
  f64x2 mh, ml;
  split27(m, mh, ml);
  f64x2 rh, rl;
  two_sum(mh * rcp - one, ml * rcp, rh, rl);
  // ln(1 + r) = r - r^2/2 + r^3 q(r), the first two terms as a double-double.
  const double* c = V::ln_tail;
  const f64x2 q = f64x2::all(c[0]) + rh * (f64x2::all(c[1]) + rh * (f64x2::all(c[2]) +
                  rh * (f64x2::all(c[3]) + rh * (f64x2::all(c[4]) + rh * f64x2::all(c[5])))));
  // r^2 exactly in _HA; in _50 its rounding (under 2^-61 |r|) fits the looser bound.
  f64x2 p, pe;
  if (V::exact_square)
    two_square(rh, p, pe);
  else
    p = rh * rh, pe = f64x2::all(0.0);
  const f64x2 half = f64x2::all(0.5);
  f64x2 sh, sl;
  fast_two_sum(rh, -(p * half), sh, sl);  // |r| > r^2/2: the ordered sum is exact
  sl = sl + (rl - (pe * half + rh * rl)) + (p * rh) * q;
  // times 1/ln 2, then plus e + L_j (e + L high is exact: L high lies on the grid 2^-42).
  const f64x2 ih = f64x2::all(kInvLn2[0]), il = f64x2::all(kInvLn2[1]);
  f64x2 ihh, ihl;
  split27(ih, ihh, ihl);  // a constant: folded by the compiler
  f64x2 mh2, me;
  two_prod(sh, ih, ihh, ihl, mh2, me);
  me = me + (sh * il + sl * ih);
  // Ordered sum: e + L high is 0 or the base-2 logarithm of a table point other than 1, at least
  // one table step from 0 and so larger in magnitude than log2(1 + r), r being under half a step.
  f64x2 b, be;
  fast_two_sum(e + lh, mh2, b, be);
  f64x2 Lh, Ll;
  fast_two_sum(b, be + (me + ll), Lh, Ll);
  // y log2 x = ph + pl.
  f64x2 ph, pl;
  two_prod(y, Lh, ph, pl);
  pl = pl + y * Ll;
  fast_two_sum(ph, pl, ph, pl);
  ph_out = ph;
  // 2^(ph + pl) = 2^(k/128) 2^t, |t| <= 1/256 (ph - k/128 is exact).
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));  // 1.5 * 2^52
  const f64x2 s = ph * f64x2::all(128.0) + shifter;
  kd = s - shifter;
  const f64x2 t = (ph - kd * f64x2::all(0.0078125)) + pl;
  const int32_t k0 = _mm_cvtsi128_si32(s.bits().v);
  const int32_t k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(s.bits().v, s.bits().v));
  f64x2 th, tl;
  gather2(kPowExp128[k0 & 0x7F], kPowExp128[k1 & 0x7F], th, tl);
  const f64x2 em1 = V::exp_poly(t);  // 2^t - 1
  z_lo = V::exp_low ? tl + th * em1 : th * em1;
  return th;
}

// One register of x: x = 2^e m, e counting mantissas past the split point to the next power
// of two; `ecorr` is added to e (-52 for a subnormal scaled by 2^52).
template <class V>
__attribute__((always_inline)) inline f64x2 dpow_core(f64x2 x, f64x2 y, f64x2 ecorr, f64x2& kd, f64x2& ph_out,
                                                      f64x2& z_lo) {
  const i32x4 hw = high_words(x);
  const f64x2 e = to_f64_low2(sar<20>(hw - i32x4::all(V::split))) + ecorr;
  int32_t h0, h1;
  lanes(hw, h0, h1);
  return dpow_core<V>(x, y, e, V::log_tab[V::index(h0)], V::log_tab[V::index(h1)], kd, ph_out, z_lo);
}

// Scale factor 2^n for a normal exponent n, from the shifted rounding value's bits.
inline f64x2 dpow_scale(f64x2 kd) {
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));
  const f64x2 s = kd + shifter;  // k in the low bits again, exactly
  return (shl<45>(s.bits() + i64x2::all(1023 * 128)) & i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull)))
      .as_f64();
}

// The range of k the one-step scaling serves; outside it the scale goes in two steps.
constexpr double kKMax = 1023 * 128;  // exclusive
constexpr double kKMin = -123391;     // inclusive

// High words of two registers, lanes 0 and 1 from a, 2 and 3 from b.
inline i32x4 high_words(f64x2 a, f64x2 b) {
  return _mm_castps_si128(_mm_shuffle_ps(_mm_castpd_ps(a.v), _mm_castpd_ps(b.v), _MM_SHUFFLE(3, 1, 3, 1)));
}

// Vector path on a group of four (two registers of x and y); returns 0xF when any lane needs
// the per-element routine, else 0. The range tests work on the high words of all four lanes at
// once, in the integer unit: x a positive normal finite number, y finite and nonzero (a
// subnormal y with a zero high word is sent on as well), and k in the one-step range (NaN fails).
template <class V>
__attribute__((always_inline)) inline uint32_t dpow_fast4(f64x2 x0, f64x2 x1, f64x2 y0, f64x2 y1, double* r) {
  const i32x4 hx = high_words(x0, x1), hy = high_words(y0, y1);
  const i32x4 e = sar<20>(hx - i32x4::all(V::split));
  alignas(16) int32_t row[4];
  (shr<10>((hx & i32x4::all(V::index_mask)) + i32x4::all(V::index_round))).store(row);
  f64x2 kd0, ph0, lo0, kd1, ph1, lo1;
  const f64x2 hi0 = dpow_core<V>(x0, y0, to_f64_low2(e), V::log_tab[row[0] >> V::index_shift],
                                 V::log_tab[row[1] >> V::index_shift], kd0, ph0, lo0);
  const f64x2 hi1 = dpow_core<V>(x1, y1, to_f64_low2(i32x4(_mm_unpackhi_epi64(e.v, e.v))),
                                 V::log_tab[row[2] >> V::index_shift], V::log_tab[row[3] >> V::index_shift], kd1,
                                 ph1, lo1);
  ((hi0 + lo0) * dpow_scale(kd0)).store(r);
  ((hi1 + lo1) * dpow_scale(kd1)).store(r + 2);
  const i32x4 x_ok = (hx - i32x4::all(static_cast<int32_t>(0x80100000u))) < i32x4::all(-0x200000);
  const i32x4 y_ok = ((hy & i32x4::all(0x7FFFFFFF)) + i32x4::all(0x7FFFFFFF)) < i32x4::all(-0x100001);
  const f64x2 k_ok0 = (kd0 >= f64x2::all(kKMin)) & (kd0 < f64x2::all(kKMax));
  const f64x2 k_ok1 = (kd1 >= f64x2::all(kKMin)) & (kd1 < f64x2::all(kKMax));
  const i32x4 k_ok = high_words(k_ok0, k_ok1);
  return movemask(x_ok & y_ok & k_ok) == 0xFu ? 0u : 0xFu;
}

// The general computation for one element: ax > 0 finite, y finite and nonzero.
template <class V>
inline double dpow_general(double ax, double y) {
  double ecorr = 0.0;
  if (ax < bits<double>(0x0010000000000000ull)) {  // subnormal: scale by 2^52
    ax *= bits<double>(0x4330000000000000ull);
    ecorr = -52.0;
  }
  f64x2 kd2, ph2, lo2;
  const double hi = dpow_core<V>(f64x2::all(ax), f64x2::all(y), f64x2::all(ecorr), kd2, ph2, lo2).lane0();
  const double lo = lo2.lane0();
  const double ph = ph2.lane0();
  if (!(ph < 1100.0)) return __builtin_inf();  // far past the range (or an infinite product)
  if (!(ph > -1100.0)) return 0.0;
  const double kd = kd2.lane0();
  if (kd >= kKMin && kd < kKMax) return (hi + lo) * dpow_scale(f64x2::all(kd)).lane0();
  const int32_t n = static_cast<int32_t>(kd) >> 7;  // floor(k / 128)
  if (n > 1025) return __builtin_inf();
  if (n < -1080) return 0.0;
  if (n >= 0) {
    // Near overflow: two normal factors; the first product is exact, so z is rounded once.
    const int32_t n1 = n >> 1, n2 = n - n1;
    const double s1 = bit_cast<double>(static_cast<uint64_t>(n1 + 1023) << 52);
    const double s2 = bit_cast<double>(static_cast<uint64_t>(n2 + 1023) << 52);
    return ((hi + lo) * s1) * s2;
  }
  // Near and below the normal range: a + b = x^y 2^1022 exactly (both scalings are exact).
  const double S = bit_cast<double>(static_cast<uint64_t>(n + 1022 + 1023) << 52);
  const double a = hi * S, b = lo * S;
  const double v = a + b;
  const double tiny = bits<double>(0x0010000000000000ull);  // 2^-1022
  if (!(v < 1.0)) return v * tiny;  // a normal result, rounded once in v
  // A subnormal result: add 1 so that the one rounding of the sum falls on the subnormal grid
  // (2^-52 here is 2^-1074 there), instead of rounding z first and the subnormal again.
  const double v_lo = (a - v) + b;
  const double w = 1.0 + v;
  const double w_lo = ((1.0 - w) + v) + v_lo;
  return ((w + w_lo) - 1.0) * tiny;
}

// One element through the table and the general computation.
template <class V>
inline void dpow_special(double x, double y, double& r, const Report<double>& report) {
  bool domain, odd_negative;
  if (pow_table(x, y, r, domain, odd_negative)) {
    if (domain) report(ZAF_STATUS_ERRDOM);
    return;
  }
  const double v = dpow_general<V>(x < 0 ? -x : x, y);
  r = odd_negative ? -v : v;
}

// ---- float general computation, in double ------------------------------------------------------
// log2 x from the 257-entry table (leading eight mantissa bits rounded) and a degree-4
// polynomial, the product clamped to ±200 (2^±200 rounds to float infinity or zero), then
// 2^(product) from the 128-entry table and a cubic. x > 0 finite as a double (float
// subnormals are normal doubles), y finite.
inline f64x2 spow_core(f64x2 x, f64x2 y) {
  const i64x2 mant_mask = i64x2::all(0x000FFFFFFFFFFFFFll);
  const i64x2 one_bits = i64x2::all(0x3FF0000000000000ll);
  const i32x4 hw = high_words(x);
  const f64x2 e = to_f64_low2(shr<20>(hw) - i32x4::all(1023));
  const i32x4 j = shr<12>((hw & i32x4::all(0xFFFFF)) + i32x4::all(0x800));
  int32_t j0, j1;
  lanes(j, j0, j1);
  f64x2 lt, rcp;
  gather2(kSPowLog[j0], kSPowLog[j1], lt, rcp);
  const f64x2 m = ((x.bits() & mant_mask) | one_bits).as_f64();
  const f64x2 r = m * rcp - f64x2::all(1.0);
  const double* c = kSPowLog2;
  const f64x2 p = r * (f64x2::all(c[0]) + r * (f64x2::all(c[1]) + r * (f64x2::all(c[2]) + r * f64x2::all(c[3]))));
  const f64x2 L = (e + lt) + p;
  const f64x2 w = min(max(y * L, f64x2::all(-200.0)), f64x2::all(200.0));
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));
  const f64x2 s = w * f64x2::all(128.0) + shifter;
  const f64x2 kd = s - shifter;
  const f64x2 t = w - kd * f64x2::all(0.0078125);
  const int32_t k0 = _mm_cvtsi128_si32(s.bits().v);
  const int32_t k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(s.bits().v, s.bits().v));
  const f64x2 tj = pair(kPowExp128[k0 & 0x7F][0], kPowExp128[k1 & 0x7F][0]);
  const double* a = kSPowExp2;
  const f64x2 em1 = t * (f64x2::all(a[0]) + t * (f64x2::all(a[1]) + t * f64x2::all(a[2])));
  const f64x2 scale =
      (shl<45>(s.bits() + i64x2::all(1023 * 128)) & i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull))).as_f64();
  return (tj + tj * em1) * scale;
}

// Lanes of four floats the vector path cannot finish: x not positive finite, y zero,
// infinite or NaN.
inline uint32_t spow_out_of_range(f32x4 x, f32x4 y) {
  const f32x4 inf4 = f32x4::all(__builtin_inff());
  const f32x4 ok = (x > f32x4::all(0.0f)) & (x < inf4) & (abs(y) < inf4) & (y != f32x4::all(0.0f));
  return ~movemask(ok) & 0xFu;
}

// Eight floats: each pair converted to double, computed, rounded once to float.
inline uint32_t spow_fast8(f32x4 xa, f32x4 xb, f32x4 ya, f32x4 yb, float* r) {
  to_f32(spow_core(to_f64_low2(xa), to_f64_low2(ya)), spow_core(to_f64_high2(xa), to_f64_high2(ya))).store(r);
  to_f32(spow_core(to_f64_low2(xb), to_f64_low2(yb)), spow_core(to_f64_high2(xb), to_f64_high2(yb))).store(r + 4);
  // A group with any lane outside the fast range is redone element by element.
  return (spow_out_of_range(xa, ya) | spow_out_of_range(xb, yb)) ? 0xFFu : 0u;
}

inline void spow_special(float x, float y, float& r, const Report<float>& report) {
  bool domain, odd_negative;
  if (pow_table(x, y, r, domain, odd_negative)) {
    if (domain) report(ZAF_STATUS_ERRDOM);
    return;
  }
  const double ax = x < 0 ? -static_cast<double>(x) : static_cast<double>(x);
  const double v = spow_core(f64x2::all(ax), f64x2::all(static_cast<double>(y))).lane0();
  r = static_cast<float>(odd_negative ? -v : v);
}

}  // namespace zaforq::vm::powk
