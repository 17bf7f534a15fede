// Hyperbolic cosine and sine on the exponential's machinery. With |x| = k ln2/N + r,
// e^|x| / 2 and e^-|x| / 2 share the reduction: the second uses -k (table row -k mod N, its own
// power of two) and -r, so p(-r) is the polynomial's even part minus its odd part. The
// exponent bias is one octave below the exponential's, which puts the factor 1/2 into the
// scale. Sums are kept as (high, low) pairs and rounded once.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/exp/exp_impl.h"

namespace zaforq::vm::hyp {

using namespace zaforq::simd;

enum class Fn { cosh, sinh };

// Lanes 0 and 1 of the low 32 bits of two 64-bit lanes.
inline void low_words(i64x2 v, int32_t& k0, int32_t& k1) {
  k0 = _mm_cvtsi128_si32(v.v);
  k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(v.v, v.v));
}

// 2^(floor(k/64) - 1) from the bit pattern of shifter + k; `octaves` lowers it further for
// the two-step scaling near overflow.
inline f64x2 half_scale64(f64x2 s, int64_t octaves = 0) {
  return (shl<46>(s.bits() + i64x2::all(0xFF80 - octaves * 64)) &
          i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull))).as_f64();
}

// e^ax / 2 = a_hi + a_lo and e^-ax / 2 = b_hi + b_lo for 0 <= ax < 708.41, on the double
// exponential's 64-step table and degree-5 polynomial. From |x| = 20 on the second term is
// below 2^-57 of the first and is left at zero (further on its power of two would leave the
// range); a group whose lanes are all that large skips it (WithB false).
struct HalfExps {
  f64x2 a_hi, a_lo, b_hi, b_lo;
};
template <bool WithB = true>
__attribute__((always_inline)) inline HalfExps half_exps_ha(f64x2 ax) {
  using expk::kExp64;
  const f64x2 inv_step = f64x2::all(bits<double>(0x40571547652B82FEull));  // 92.33248261689366 = 64/ln 2
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const f64x2 step_hi = f64x2::all(bits<double>(0x3F862E42FEF00000ull));   // 0.010830424695086549
  const f64x2 step_lo = f64x2::all(bits<double>(0x3D7473DE6AF278EDull));   // 1.162596423439437e-12
  const f64x2 c2 = f64x2::all(bits<double>(0x3FDFFFFFFFFFD97Cull));        // 0.49999999999945266
  const f64x2 c3 = f64x2::all(bits<double>(0x3FC55555555542A1ull));        // 0.16666666666653376
  const f64x2 c4 = f64x2::all(bits<double>(0x3FA555574BC3A1BEull));        // 0.04166672515731616
  const f64x2 c5 = f64x2::all(bits<double>(0x3F81111276409C2Cull));        // 0.008333343728805863
  const f64x2 s = ax * inv_step + shifter;
  const f64x2 kd = s - shifter;
  const f64x2 sn = shifter - kd;  // shifter - k: the same reduction for -ax
  const f64x2 r = (ax - kd * step_hi) - kd * step_lo;
  int32_t k0, k1;
  low_words(s.bits(), k0, k1);
  const f64x2 e0 = f64x2::load_aligned(kExp64[k0 & 0x3F]), e1 = f64x2::load_aligned(kExp64[k1 & 0x3F]);
  const f64x2 th = _mm_unpacklo_pd(e0.v, e1.v), tl = _mm_unpackhi_pd(e0.v, e1.v);
  const f64x2 sa = half_scale64(s);
  if (!WithB) {
    const f64x2 p = r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
    const f64x2 zero = f64x2::all(0.0);
    return {sa * th, sa * (tl + p * (th + tl)), zero, zero};
  }
  const f64x2 f0 = f64x2::load_aligned(kExp64[-k0 & 0x3F]), f1 = f64x2::load_aligned(kExp64[-k1 & 0x3F]);
  const f64x2 uh = _mm_unpacklo_pd(f0.v, f1.v), ul = _mm_unpackhi_pd(f0.v, f1.v);
  const f64x2 r2 = r * r;
  const f64x2 even = r2 * (c2 + r2 * c4);
  const f64x2 odd = r + r * r2 * (c3 + r2 * c5);
  const f64x2 sb = half_scale64(sn) & (ax < f64x2::all(20.0));
  return {sa * th, sa * (tl + (even + odd) * (th + tl)), sb * uh, sb * (ul + (even - odd) * (uh + ul))};
}

// e^ax / 2 alone, for the special routine (708.40 <= ax < 710.48): one step, or, from
// 710.4704448615958 on, the scale lowered by 2^1024 and then multiplied by 2^1023 and 2.
inline double half_exp_large(double ax) {
  const bool two_step = ax >= bits<double>(0x408633C378987900ull);  // 710.4704448615958
  const f64x2 x = f64x2::all(ax);
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));
  const f64x2 s = x * f64x2::all(bits<double>(0x40571547652B82FEull)) + shifter;
  const f64x2 kd = s - shifter;
  const f64x2 r = (x - kd * f64x2::all(bits<double>(0x3F862E42FEF00000ull))) -
                  kd * f64x2::all(bits<double>(0x3D7473DE6AF278EDull));
  int32_t k0, k1;
  low_words(s.bits(), k0, k1);
  const double th = expk::kExp64[k0 & 0x3F][0], tl = expk::kExp64[k0 & 0x3F][1];
  const double rr = r.lane0();
  const double p = rr + rr * rr *
                            (bits<double>(0x3FDFFFFFFFFFD97Cull) +
                             rr * (bits<double>(0x3FC55555555542A1ull) +
                                   rr * (bits<double>(0x3FA555574BC3A1BEull) + rr * bits<double>(0x3F81111276409C2Cull))));
  const double y = th + (tl + p * (th + tl));
  if (!two_step) return y * half_scale64(s).lane0();
  return (y * half_scale64(s, 1024).lane0()) * bits<double>(0x7FE0000000000000ull) * 2.0;  // 2^1023, 2
}

// Overflow: |x| at or above 710.4758600739439 (double), 89.4159927368164 (float).
inline constexpr uint64_t kDOverflow = 0x408633CE8FB9F87Dull;
inline constexpr uint32_t kSOverflow = 0x42B2D4FDu;

// The special routine of the double kernels for |x| from 708.4018337446123 on, infinities
// and NaN. ±inf give +inf (Cosh) or ±inf (Sinh) without a report.
template <Fn F>
inline void d_large(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  const double ax = __builtin_fabs(x);
  const double sign = F == Fn::sinh ? __builtin_copysign(1.0, x) : 1.0;
  if (ax >= bits<double>(kDOverflow)) {
    r = sign * __builtin_inf();
    if (ax != __builtin_inf()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  r = sign * half_exp_large(ax);
}

// Fast-path bound of the double kernels: 708.4018337446123 (bits 0x40862336F49C3C50).
inline f64x2 d_fast_bound() { return f64x2::all(bits<double>(0x40862336F49C3C50ull)); }

// sinh x = x + x^3 (1/3! + x^2 (1/5! + ... + x^2/13!)) for |x| below 0.2475: the terms left
// out are below 2^-56 of the sum there.
inline f64x2 sinh_small(f64x2 x) {
  const f64x2 x2 = x * x;
  const f64x2 p = f64x2::all(1.0 / 6) +
                  x2 * (f64x2::all(1.0 / 120) +
                        x2 * (f64x2::all(1.0 / 5040) +
                              x2 * (f64x2::all(1.0 / 362880) +
                                    x2 * (f64x2::all(1.0 / 39916800) + x2 * f64x2::all(1.0 / 6227020800.0)))));
  return x + x * x2 * p;
}

// ---- double, high accuracy --------------------------------------------------------------
// WithB: some lane is below 20; Small (Sinh): some lane is below 0.2475 (high word
// 0x3FCFACFC) and takes the series, free of the subtraction's cancellation.
inline f64x2 small_bound() { return f64x2::all(bits<double>(0x3FCFACFC00000000ull)); }
template <Fn F, bool WithB, bool Small>
__attribute__((always_inline)) inline f64x2 d_ha(f64x2 x) {
  const f64x2 ax = abs(x);
  const HalfExps h = half_exps_ha<WithB>(ax);
  if (!WithB) {
    const f64x2 y = h.a_hi + h.a_lo;
    return F == Fn::cosh ? y : (y | (x & f64x2::all(-0.0)));  // the series is not needed from 20 on
  }
  f64x2 hi, e;
  if (F == Fn::cosh) {
    // a_hi >= b_hi, so the ordered two-sum is exact
    hi = h.a_hi + h.b_hi;
    e = h.b_hi - (hi - h.a_hi);
    return hi + (e + (h.a_lo + h.b_lo));
  }
  hi = h.a_hi - h.b_hi;
  e = (h.a_hi - hi) - h.b_hi;
  const f64x2 big = (hi + (e + (h.a_lo - h.b_lo))) | (x & f64x2::all(-0.0));
  return Small ? select(ax < small_bound(), sinh_small(x), big) : big;
}

// Which variant a group of two registers needs: bit 0 WithB, bit 1 Small.
template <Fn F>
inline int variant(f64x2 a0, f64x2 a1) {
  const f64x2 twenty = f64x2::all(20.0);
  int v = movemask((a0 < twenty) | (a1 < twenty)) ? 1 : 0;
  if (F == Fn::sinh && movemask((a0 < small_bound()) | (a1 < small_bound()))) v |= 2;
  return v;
}

// Runs Eval<WithB, Small> on both registers of a group, the variant chosen once per group.
template <Fn F, template <bool, bool> class Eval>
__attribute__((always_inline)) inline void group4(f64x2 x0, f64x2 x1, double* r) {
  switch (variant<F>(abs(x0), abs(x1))) {
    case 0: Eval<false, false>::run(x0, x1, r); break;
    case 1: Eval<true, false>::run(x0, x1, r); break;
    case 2: Eval<false, true>::run(x0, x1, r); break;
    default: Eval<true, true>::run(x0, x1, r); break;
  }
}

// sinh x for |x| below 0.035 (high word under 0x3FA1EB85) on the x87 unit at 64-bit
// precision: x + x^3 (1/6 + x^2 (1/120 + x^2/5040)), rounded once to double.
inline double sinh_near_zero(double x) {
  const long double v = x, v2 = v * v;
  const long double c3 = bits<double>(0x3FC5555555555555ull);  // 1/6
  const long double c5 = bits<double>(0x3F81111111111111ull);  // 1/120
  const long double c7 = bits<double>(0x3F2A01A01A01A01Aull);  // 1/5040
  return static_cast<double>(v + v * v2 * (c3 + v2 * (c5 + v2 * c7)));
}
inline f64x2 near_zero_bound() { return f64x2::all(bits<double>(0x3FA1EB8500000000ull)); }

template <Fn F>
struct DHA {
  template <bool WithB, bool Small>
  struct Run {
    static void run(f64x2 x0, f64x2 x1, double* r) {
      d_ha<F, WithB, Small>(x0).store(r);
      d_ha<F, WithB, Small>(x1).store(r + 2);
    }
  };
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = F == Fn::sinh ? X87::pc64 : X87::untouched;
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    group4<F, Run>(x0, x1, r);
    const f64x2 b = d_fast_bound();
    uint32_t m = (~movemask(abs(x0) < b) & 3u) | ((~movemask(abs(x1) < b) & 3u) << 2);
    if (F == Fn::sinh) m |= movemask(abs(x0) < near_zero_bound()) | (movemask(abs(x1) < near_zero_bound()) << 2);
    return m;
  }
  static void special(double a, double& r, const Report<double>& report) {
    if (F == Fn::sinh && __builtin_fabs(a) < near_zero_bound().lane0()) {
      r = sinh_near_zero(a);
      return;
    }
    d_large<F>(a, r, report);
  }
};

// ---- double, lower accuracy -------------------------------------------------------------
// The two half exponentials of the high-accuracy kernel summed plainly, and for Sinh below
// 0.2475 the series without the x87 step. (The exponential's 128-step table of rounded
// mantissas gives up to 3.5 ulp here, and E - 1/E loses up to 1.4 bits to cancellation.)
template <Fn F, bool WithB, bool Small>
__attribute__((always_inline)) inline f64x2 d_50(f64x2 x) {
  const f64x2 ax = abs(x);
  const HalfExps h = half_exps_ha<WithB>(ax);
  if (!WithB) {
    const f64x2 y = h.a_hi + h.a_lo;
    return F == Fn::cosh ? y : (y | (x & f64x2::all(-0.0)));
  }
  if (F == Fn::cosh) return (h.a_hi + h.b_hi) + (h.a_lo + h.b_lo);
  const f64x2 big = ((h.a_hi - h.b_hi) + (h.a_lo - h.b_lo)) | (x & f64x2::all(-0.0));
  return Small ? select(ax < small_bound(), sinh_small(x), big) : big;
}

template <Fn F>
struct D50 {
  template <bool WithB, bool Small>
  struct Run {
    static void run(f64x2 x0, f64x2 x1, double* r) {
      d_50<F, WithB, Small>(x0).store(r);
      d_50<F, WithB, Small>(x1).store(r + 2);
    }
  };
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    group4<F, Run>(x0, x1, r);
    const f64x2 b = d_fast_bound();
    return (~movemask(abs(x0) < b) & 3u) | ((~movemask(abs(x1) < b) & 3u) << 2);
  }
  static void special(double a, double& r, const Report<double>& report) { d_large<F>(a, r, report); }
};

// ---- float ------------------------------------------------------------------------------
// The float kernels take |x| up to 88.0242691040039 (bits 0x42B00C6D) on the fast path; beyond
// it, and for NaN, the special routine evaluates e^|x| / 2 in double and reports each lane
// that overflows, lowest lane first.
inline f32x4 s_fast_bound() { return f32x4::all(bits<float>(0x42B00C6Du)); }

template <Fn F>
inline void s_large(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  const float ax = __builtin_fabsf(x);
  const float sign = F == Fn::sinh ? __builtin_copysignf(1.0f, x) : 1.0f;
  if (ax >= bits<float>(kSOverflow)) {
    r = sign * __builtin_inff();
    if (ax != __builtin_inff()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  r = sign * static_cast<float>(half_exp_large(ax));
}

// High accuracy: e^|x| in double (128-step table), (E ± 1/E) / 2, rounded once; sinh below
// 2^-10 as x + x^3/6, where E - 1/E would cancel.
template <Fn F>
inline f64x2 s_ha_pair(f64x2 x) {
  const f64x2 ax = abs(x);
  const f64x2 e = expk::dexp_50(ax);
  const f64x2 ie = f64x2::all(1.0) / e;
  if (F == Fn::cosh) return f64x2::all(0.5) * (e + ie);
  const f64x2 big = (f64x2::all(0.5) * (e - ie)) | (x & f64x2::all(-0.0));
  return select(ax < f64x2::all(0x1p-10), x + x * x * x * f64x2::all(1.0 / 6), big);
}
template <Fn F>
inline f32x4 s_ha(f32x4 x) {
  return to_f32(s_ha_pair<F>(to_f64_low2(x)), s_ha_pair<F>(to_f64_high2(x)));
}

// Float arithmetic: E = e^|x| from the float exponential of the class, (E ± 1/E) / 2; sinh
// below 0.75 by its series (through x^9 for the 21-bit class, x^5 for the 11-bit one).
template <Fn F, bool Fine>
inline f32x4 s_low(f32x4 x) {
  const f32x4 ax = abs(x);
  const f32x4 e = Fine ? expk::sexp_ha(ax) : expk::sexp_11(ax);
  const f32x4 ie = f32x4::all(1.0f) / e;
  if (F == Fn::cosh) return f32x4::all(0.5f) * (e + ie);
  const f32x4 big = (f32x4::all(0.5f) * (e - ie)) | (x & f32x4::all(-0.0f));
  const f32x4 x2 = x * x;
  const f32x4 p = Fine ? f32x4::all(1.0f / 6) +
                             x2 * (f32x4::all(1.0f / 120) + x2 * (f32x4::all(1.0f / 5040) + x2 * f32x4::all(1.0f / 362880)))
                       : f32x4::all(1.0f / 6) + x2 * f32x4::all(1.0f / 120);
  return select(ax < f32x4::all(0.75f), x + x * x2 * p, big);
}

// Float policies; C is 0 for _11, 1 for _21, 2 for _HA.
template <Fn F, int C>
struct S {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static f32x4 eval(f32x4 x) { return C == 2 ? s_ha<F>(x) : s_low<F, C == 1>(x); }
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    eval(x0).store(r);
    eval(x1).store(r + 4);
    const f32x4 b = s_fast_bound();
    return (~movemask(abs(x0) <= b) & 0xFu) | ((~movemask(abs(x1) <= b) & 0xFu) << 4);
  }
  static void special(float a, float& r, const Report<float>& report) { s_large<F>(a, r, report); }
};

}  // namespace zaforq::vm::hyp
