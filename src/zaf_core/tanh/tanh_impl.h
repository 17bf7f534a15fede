// Hyperbolic tangent as a piecewise polynomial in |x|, the sign of x applied at the end.
// [0, 20) is cut into 30 intervals: [0, 1/8), the four quarters of each binade from [1/8, 1/4)
// to [8, 16), and [16, 20); from 20 on tanh |x| rounds to 1. The interval follows from the high
// word of |x| alone (exponent and two leading mantissa bits), its pair (m, s) gives the
// variable t = |x| s - m with |t| <= 1/8, and its row the coefficients, the constant term as
// (high, low); the double kernels work this way, the float ones as described at their policy.
// No status: tanh(±inf) = ±1, NaN gives NaN.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/exp/exp_impl.h"

namespace zaforq::vm::tanhk {

using namespace zaforq::simd;

#include "zaf_core/tanh/tanh_tables.inc"

// Interval numbers of four high words of |x|: 0 below 1/8 (0x3FC00000), then
// 1 + 4 (binade - 3) + quarter, and 29 from 16 (0x40300000) on.
inline i32x4 interval(i32x4 hw) {
  const i32x4 lo = i32x4::all(0x3FC00000), hi = i32x4::all(0x40300000);
  const i32x4 idx = sar<18>(hw - lo) + i32x4::all(1);
  return select(hw < lo, i32x4::all(0), select(hw < hi, idx, i32x4::all(29)));
}

// tanh |x| for one register whose interval rows are t0, t1, on a table of degree D (row
// width W). High accuracy (Split): c0 + c1 t by an exact ordered sum, the rest added to its
// error term, so the result is rounded once. Otherwise plain Horner with c0 as high + low.
template <int D, int W, bool Split>
__attribute__((always_inline)) inline f64x2 eval(f64x2 ax, int i0, int i1, const double (&tab)[30][W]) {
  const f64x2 ms0 = f64x2::load_aligned(kTanhMS[i0]), ms1 = f64x2::load_aligned(kTanhMS[i1]);
  const f64x2 m = _mm_unpacklo_pd(ms0.v, ms1.v), s = _mm_unpackhi_pd(ms0.v, ms1.v);
  const f64x2 t = ax * s - m;  // exact: s is a power of two and t is small
  const double* r0 = tab[i0];
  const double* r1 = tab[i1];
  auto coef = [&](int k) { return f64x2(_mm_unpacklo_pd(_mm_load_sd(r0 + k), _mm_load_sd(r1 + k))); };
  // row: c0 high, c0 low, c1, ..., cD  (c_k at index k + 1 for k >= 1)
  f64x2 p = coef(D + 1);
  for (int k = D - 1; k >= (Split ? 2 : 1); --k) p = p * t + coef(k + 1);
  const f64x2 c0 = coef(0), c0lo = coef(1);
  if (!Split) return c0 + (c0lo + p * t);
  const f64x2 c1t = coef(2) * t;
  const f64x2 hi = c0 + c1t;        // |c0| >= |c1 t|, or c0 = 0
  const f64x2 err = c1t - (hi - c0);  // exact
  return hi + ((err + c0lo) + p * t * t);
}

// A group of four doubles in two registers; results stored to r.
template <int D, int W, bool Split>
__attribute__((always_inline)) inline void tanh4(f64x2 x0, f64x2 x1, double* r, const double (&tab)[30][W]) {
  const f64x2 sign = f64x2::all(-0.0);
  const f64x2 a0 = abs(x0), a1 = abs(x1);
  const i32x4 hw = _mm_castps_si128(_mm_shuffle_ps(_mm_castpd_ps(a0.v), _mm_castpd_ps(a1.v), _MM_SHUFFLE(3, 1, 3, 1)));
  alignas(16) int32_t i[4];
  interval(hw).store(i);
  const f64x2 one = f64x2::all(1.0), twenty = f64x2::all(20.0);
  f64x2 y0 = eval<D, W, Split>(a0, i[0], i[1], tab), y1 = eval<D, W, Split>(a1, i[2], i[3], tab);
  // From 20 on (and at ±inf) the result is 1; NaN passes through.
  y0 = select(a0 < twenty, y0, select(unordered(x0, x0), x0 + x0, one));
  y1 = select(a1 < twenty, y1, select(unordered(x1, x1), x1 + x1, one));
  (y0 | (x0 & sign)).store(r);
  (y1 | (x1 & sign)).store(r + 2);
}

template <int D, int W, bool Split>
struct DTanh {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) {
    tanh4<D, W, Split>(f64x2::load(a), f64x2::load(a + 2), r, table());
    return 0;
  }
  static const double (&table())[30][W] {
    if constexpr (D == 15) return kTanhD15; else return kTanhD11;
  }
  static void special(double, double&, const Report<double>&) {}
};
using DTanhHA = DTanh<15, 18, true>;
using DTanh50 = DTanh<11, 14, false>;

// Float: no table rows, so every lane runs the same code. Below 9/16, tanh a = a + a^3 P(a^2),
// odd, so x carries its own sign; from 9/16 on, tanh a = 1 - 2/(e^(2a) + 1), at least 0.51
// there, so the subtraction loses nothing. Magnitudes are clamped at 20, where tanh rounds to 1
// in float; NaN passes through. _HA computes in double on the 4-ulp double exponential (its
// 2^-50 is far below a float ulp) and a degree-5 P; the lower classes stay in float, on the
// float exponential of their class, with P of degree 3 (_21) and 1 (_11).
template <class V, int N, class C>
__attribute__((always_inline)) inline V odd_poly(V x, const C (&c)[N]) {
  const V z = x * x;
  V p = V::all(c[N - 1]);
#pragma GCC unroll 8
  for (int k = N - 2; k >= 0; --k) p = p * z + V::all(c[k]);
  return x + x * z * p;
}

template <class S, class V, class Exp>
__attribute__((always_inline)) inline V stanh_eval(V x, V small, Exp exp2a) {
  const V a = min(abs(x), V::all(S(20)));  // NaN becomes 20 here; restored below
  const V one = V::all(S(1));
  const V big = one - V::all(S(2)) / (exp2a(a + a) + one);
  // The sign of x on both branches: the polynomial's own sign is right except at -0.
  const V y = select(a < V::all(S(0.5625)), small, big) | (x & V::all(S(-0.0)));
  return select(unordered(x, x), x + x, y);
}

inline f64x2 stanh_ha_pair(f64x2 x) {
  return stanh_eval<double>(x, odd_poly(x, kSTanhHA), [](f64x2 v) { return expk::dexp_50(v); });
}

template <int C>
struct STanh {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static f32x4 eval(f32x4 x) {
    if constexpr (C == 2) {
      return to_f32(stanh_ha_pair(to_f64_low2(x)), stanh_ha_pair(to_f64_high2(x)));
    } else if constexpr (C == 1) {
      return stanh_eval<float>(x, odd_poly(x, kSTanh21), [](f32x4 v) { return expk::sexp_ha(v); });
    } else {
      return stanh_eval<float>(x, odd_poly(x, kSTanh11), [](f32x4 v) { return expk::sexp_11(v); });
    }
  }
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    eval(x0).store(r);
    eval(x1).store(r + 4);
    return 0;
  }
  static void special(float, float&, const Report<float>&) {}
};
using STanhHA = STanh<2>;
using STanh21 = STanh<1>;
using STanh11 = STanh<0>;

}  // namespace zaforq::vm::tanhk
