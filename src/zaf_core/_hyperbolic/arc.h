// Inverse hyperbolic functions on the logarithm's machinery:
//   asinh x = sign(x) ln(|x| + sqrt(x^2 + 1)),   acosh x = ln(x + sqrt(x^2 - 1)),
//   atanh x = sign(x) ln((1 + |x|) / (1 - |x|)) / 2.
// The double _HA kernels form the logarithm's argument y as a (high, low) pair (squares by
// Dekker's product, square roots and quotients with their residuals), and the logarithm takes
// the low part as ln(y_hi + y_lo) = ln(y_hi) + y_lo / y_hi, added to its own low sum before the
// one final rounding: without it, the argument's rounding alone would cost up to 2^-53
// absolutely, which is many ulp of a result near 0. From |x| = 2^28 on, asinh and acosh are
// ln|x| + ln 2. The double _50 kernels reach the same logarithm through log1p of an argument
// without cancellation (below). The float _HA kernels work in double, where the square of a
// float is exact; the float _21 and _11 kernels take the same log1p route in float arithmetic.
#pragma once
#include <stdint.h>

#include <type_traits>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/_log/log_impl.h"

namespace zaforq::vm::arc {

using namespace zaforq::simd;
using logk::Base;

enum class Fn { asinh, acosh, atanh };

// Every core below is a template over its register type V (two, four or eight doubles, or
// four, eight or sixteen floats): SSE2 runs it on simd.h's registers and the arc_avx2.cpp and
// arc_avx512.cpp sources on wider ones, with the same operations lane by lane, so the path never
// changes a result.

// ---- double-double steps on registers -------------------------------------------------------
template <class V>
__attribute__((always_inline)) inline void split(V a, V& hi, V& lo) {
  const V c = V::all(134217729.0) * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}
// p + e = a * a exactly.
template <class V>
__attribute__((always_inline)) inline void square(V a, V& p, V& e) {
  p = a * a;
  V h, l;
  split(a, h, l);
  e = ((h * h - p) + V::all(2.0) * h * l) + l * l;
}
// p + e = a * b exactly.
template <class V>
__attribute__((always_inline)) inline void product(V a, V b, V& p, V& e) {
  p = a * b;
  V ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}
template <class V>
__attribute__((always_inline)) inline void two_sum(V a, V b, V& s, V& e) {
  s = a + b;
  const V bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}

template <class V>
__attribute__((always_inline)) inline V sign_of(V x) { return x & V::all(-0.0); }
inline constexpr double kLn2 = 0.6931471805599453;

// y_hi + y_lo = |x| + sqrt(x^2 + One) (One = 1 for asinh, -1 for acosh), for 2^-28 <= |x| < 2^28.
// Returned with the low part already as the logarithm's correction -y_lo / y_hi.
template <int One, class V>
__attribute__((always_inline)) inline void root_sum(V ax, V& y, V& corr) {
  V p, pe, a, ae;
  square(ax, p, pe);
  two_sum(p, V::all(One), a, ae);
  const V a_lo = ae + pe;
  const V s = sqrt(a);
  V ss, sse;
  square(s, ss, sse);
  const V resid = ((a - ss) - sse) + a_lo;  // a - s^2, to first order 2 s s_lo
  V ye;
  two_sum(ax, s, y, ye);
  // One division for both corrections: s_lo = resid / (2 s), corr = -y_lo / y.
  const V inv = V::all(1.0) / (V::all(2.0) * s * y);
  const V s_lo = resid * y * inv;
  corr = -((ye + s_lo) * V::all(2.0) * s * inv);
}

// 1/q to about 48 bits from the float reciprocal estimate and two Newton steps (1 <= q < 2^60):
// enough for a correction of at most 2^-52 q whose error must stay below an ulp of the result.
template <class V>
__attribute__((always_inline)) inline V approx_inverse(V q) {
  const typename V::f32 qf = to_f32(q, q);
  const V two = V::all(2.0);
  V r = to_f64_low(rcp_estimate(qf));
  r = r * (two - q * r);
  return r * (two - q * r);
}

// The logarithm's argument y and correction for one register of the double kernel of F;
// lanes outside the fast range give values the special routine overwrites.
template <Fn F, class V>
__attribute__((always_inline)) inline void d_prep(V x, V& y, V& corr) {
  const V ax = abs(x);
  if (F == Fn::atanh) {
    const V one = V::all(1.0);
    const V n = one + ax, n_lo = ax - (n - one);
    const V d = one - ax, d_lo = (one - d) - ax;
    const V inv = one / d;
    const V q = n * inv;
    V pp, pe;
    product(q, d, pp, pe);
    const V q_lo = ((((n - pp) - pe) + n_lo) - q * d_lo) * inv;
    y = q;
    corr = -(q_lo * approx_inverse(q));
    return;
  }
  const V big = ax >= V::all(0x1p28);
  root_sum<F == Fn::asinh ? 1 : -1>(ax, y, corr);
  y = select(big, ax, y);
  corr = select(big, V::all(-kLn2), corr);
}

// From the logarithm v to the result: halved for atanh, the sign of x for the odd functions,
// and x itself below 2^-28, where the result is x within 2^-56.
template <Fn F, class V>
__attribute__((always_inline)) inline V d_finish(V x, V v) {
  if (F == Fn::acosh) return v;
  if (F == Fn::atanh) v = V::all(0.5) * v;
  return select(abs(x) < V::all(0x1p-28), x, v | sign_of(x));
}

// Lanes outside the fast range: asinh NaN and ±inf; acosh x <= 1 (1 itself, to give exactly 0),
// +inf and NaN; atanh |x| >= 1 and NaN.
template <Fn F, class V>
__attribute__((always_inline)) inline uint32_t out_of_range(V x) {
  const V inf = V::all(__builtin_inf()), one = V::all(1.0);
  if (F == Fn::asinh) return movemask(abs(x) < inf) ^ all_lanes<V>();
  if (F == Fn::acosh) return movemask((x > one) & (x < inf)) ^ all_lanes<V>();
  return movemask(abs(x) < one) ^ all_lanes<V>();
}

// Special values and statuses, shared by every class (T float or double). The double _HA
// Atanh writes, for a domain error, the NaN whose bits are all ones apart from x's sign.
template <Fn F, class T, bool AllOnesNaN = false>
inline void special(T x, T& r, const Report<T>& report) {
  const T inf = static_cast<T>(__builtin_inf());
  if (x != x) {
    r = x + x;
    return;
  }
  if (F == Fn::asinh) {  // ±inf
    r = x;
    return;
  }
  if (F == Fn::acosh) {
    if (x == T(1) || x == inf) {
      r = x == inf ? inf : T(0);
      return;
    }
    r = domain_nan<T>();
    report(ZAF_STATUS_ERRDOM);
    return;
  }
  if (x == T(1) || x == T(-1)) {
    r = x * inf;
    report(ZAF_STATUS_SING);
    return;
  }
  if (AllOnesNaN) {
    const uint64_t b = (bit_cast<uint64_t>(static_cast<double>(x)) & 0x8000000000000000ull) | 0x7FFFFFFFFFFFFFFFull;
    r = static_cast<T>(bit_cast<double>(b));
  } else {
    r = domain_nan<T>();
  }
  report(ZAF_STATUS_ERRDOM);
}

// The double core: one group on registers V of any width.
template <Fn F>
struct DCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    const auto value = [](V x) {
      V y, c;
      d_prep<F>(x, y, c);
      return d_finish<F>(x, logk::dlog_ha_any(y, c));
    };
    return unary_group<V, group>(a, r, value, [](V x) { return out_of_range<F>(x); });
  }
};

// ---- double, lower accuracy ------------------------------------------------------------
// Each function as log1p(u) with u > 0 formed in plain arithmetic to about an ulp (relatively),
// with no cancellation:
//   asinh |x| = log1p(|x| + x^2 / (1 + sqrt(1 + x^2)))
//   acosh x   = log1p(t + sqrt(t (t + 2))),  t = x - 1 (exact below 2)
//   atanh |x| = log1p(2|x| / (1 - |x|)) / 2
// The relative error of u passes to the result at most once (u / ((1 + u) log1p(u)) <= 1), so
// the result stays within a few ulp without the _HA kernels' double-double argument (two exact
// squares, a residual and a division). 1 + u is y + c exactly (y rounded), and the logarithm
// of the _HA kernels takes any nearby y' with the correction ((y - y') + c) / y' (y - y' is
// exact): for asinh and acosh y' = |x| + s is ready as soon as the square root is, so the
// logarithm's long chain runs beside the rest instead of after it. The correction is at most
// a few 2^-53 (relative to y'), so 1/y' needs little accuracy: a relative error below a fifth
// of the result keeps it under 0.1 ulp. For asinh and acosh 1/y' = s - |x| (or x - s), whose
// cancellation for large |x| stays far inside that where results are large.
template <Fn F, class V>
__attribute__((always_inline)) inline void d50_prep(V x, V& y_arg, V& corr) {
  const V ax = abs(x), one = V::all(1.0);
  V u, yp, inv;
  if (F == Fn::asinh) {
    const V a2 = ax * ax;
    const V s = sqrt(one + a2);
    yp = ax + s;
    inv = s - ax;  // 1 / (s + |x|), as s^2 - x^2 = 1
    u = ax + a2 / (one + s);
  } else if (F == Fn::acosh) {
    const V t = x - one;
    const V s = sqrt(t * (t + V::all(2.0)));
    yp = x + s;
    inv = x - s;  // 1 / (x + s), as x^2 - s^2 = 1
    u = t + s;
  } else {
    const V d = one - ax;
    u = (ax + ax) / d;
    inv = d * approx_inverse(one + ax);  // 1 / y from (1 - |x|) / (1 + |x|), beside the division
  }
  V y, c;
  two_sum(one, u, y, c);
  if (F == Fn::atanh) {
    y_arg = y;
    corr = -(c * inv);
    return;
  }
  corr = -(((y - yp) + c) * inv);
  const V big = ax >= V::all(0x1p28);  // from 2^28 on, ln|x| + ln 2
  y_arg = select(big, ax, yp);
  corr = select(big, V::all(-kLn2), corr);
}

template <Fn F>
struct D50Core {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    const auto value = [](V x) {
      V y, c;
      d50_prep<F>(x, y, c);
      return d_finish<F>(x, logk::dlog_ha_any(y, c));
    };
    return unary_group<V, group>(a, r, value, [](V x) { return out_of_range<F>(x); });
  }
};

template <Fn F, bool HA>
struct D : std::conditional_t<HA, DCore<F>, D50Core<F>> {
  using Wide = std::conditional_t<HA, DCore<F>, D50Core<F>>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& report) {
    arc::special<F, double, HA && F == Fn::atanh>(a, r, report);
  }
};

// ---- float _HA, evaluated in double -----------------------------------------------------------
// ln y for a positive normal double y on the float logarithm's 65-entry table (c_j = 1 + j/64,
// 1/c_j, L_j; mantissas from 1.4921875 on counted to the next power of two), with a Taylor
// polynomial of degree 5 in r = (m - c_j)/c_j, |r| <= 1/128 (error below 2^-42). Near y = 1
// the row is 0 and r = y - 1 exactly, so the result is relatively accurate there too.
template <class V>
__attribute__((always_inline)) inline V log_f(V y) {
  using I = typename V::i32;
  const I hw = logk::high_words_of(y);
  const I e = sar<20>(hw - I::all(0x3FE7E000));  // split point 0.74609375
  V c, rcp, L, unused;
  logk::table_columns(logk::kSLnHA, shr<4>(((shr<10>(hw) & I::all(0x3F8)) + I::all(8)) & I::all(0x7F0)), c, rcp, L,
                      unused);
  const V m = ((y.bits() & V::i64::all(0x000FFFFFFFFFFFFFll)) | V::all(1.0).bits()).as_f64();
  const V r = (m - c) * rcp;
  const V q = V::all(-0.5) + r * (V::all(1.0 / 3) + r * (V::all(-0.25) + r * V::all(0.2)));
  return logk::words_to_f64<V>(e) * V::all(kLn2) + L + (r + r * r * q);
}

// One register (of doubles) of the float kernel of F. Below 2^-12 asinh and atanh are their
// two-term series, where the logarithm's argument would have lost the bits.
template <Fn F, class V>
__attribute__((always_inline)) inline V s_eval(V x) {
  const V ax = abs(x), one = V::all(1.0);
  V v, series;
  if (F == Fn::asinh) {
    v = log_f(ax + sqrt(ax * ax + one));
    series = x * (one - x * x * V::all(1.0 / 6));  // keeps the sign of -0
  } else if (F == Fn::acosh) {
    return log_f(x + sqrt(x * x - one));  // x * x - 1 is exact below 2^26
  } else {
    v = V::all(0.5) * log_f((one + ax) / (one - ax));
    series = x * (one + x * x * V::all(1.0 / 3));
  }
  return select(ax < V::all(0x1p-12), series, v | sign_of(x));
}

template <Fn F>
struct SCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) { return to_f32(s_eval<F>(to_f64_low(x)), s_eval<F>(to_f64_high(x))); };
    return unary_group<V, group>(a, r, value, [](V x) { return out_of_range<F>(x); });
  }
};

// ---- float, lower accuracy: float arithmetic throughout -------------------------------------
// The same log1p arguments as the double _50 kernels, here in float (twice the lanes of a
// register, and no conversions): u comes to within a few float ulp (relatively). Its logarithm
// reads no table: 1 + u = y + c (y the float sum, c its rounding error), y = 2^e m with m in
// [sqrt(2)/2, sqrt(2)), and log(1 + u) = e ln 2 + log(1 + f), f = (m - 1) + c / 2^e (m - 1
// exact), log(1 + f) = f + f^2 P(f) (arc_tables.inc: degree 7 for _21, relative error
// 2^-24.8; degree 3 for _11, 2^-14.0). Carrying c keeps log1p relatively accurate for small
// u, where y alone would have lost the low bits of u. From 2^12 on asinh and acosh are
// ln|x| + ln 2 within 2^-26 absolutely, taken as y = |x| (c = 0) with one more in e.
#include "zaf_core/_hyperbolic/arc_tables.inc"

template <bool Exact, class V>
__attribute__((always_inline)) inline V s_log1p(V y, V c, V big) {
  using I = typename V::i32;
  const I b = y.bits();
  const I e = sar<23>(b - I::all(0x3F3504F3));  // mantissas from sqrt(2) on count up
  const V m = (b - shl<23>(e)).as_f32();
  const V scale = (I::all(0x3F800000) - shl<23>(e)).as_f32();  // 2^-e (not a number for big lanes, where c = 0)
  const V f = (m - V::all(1.0f)) + andnot(big, c * scale);
  const V ef = to_f32(e) + (big & V::all(1.0f));
  if (Exact) {
    const float(&k)[8] = kSArcLogP21;
    V P = V::all(k[7]);
#pragma GCC unroll 8
    for (int j = 6; j >= 0; --j) P = P * f + V::all(k[j]);
    const V lg2_hi = V::all(bits<float>(0x3F317200u));  // e times it is exact
    const V lg2_lo = V::all(bits<float>(0x35BFBE8Eu));
    return ef * lg2_hi + (f + (f * f * P + ef * lg2_lo));
  }
  const float(&k)[4] = kSArcLogP11;
  const V P = V::all(k[0]) + f * (V::all(k[1]) + f * (V::all(k[2]) + f * V::all(k[3])));
  return ef * V::all(0.69314718f) + (f + f * f * P);
}

// One float register of the _21 (Exact) or _11 kernel of F.
template <Fn F, bool Exact, class V>
__attribute__((always_inline)) inline V s_low_eval(V x) {
  const V ax = abs(x), one = V::all(1.0f), zero = V::all(0.0f);
  V u, big = zero;
  if (F == Fn::asinh) {
    const V a2 = ax * ax;
    u = ax + a2 / (one + sqrt(one + a2));
    big = ax >= V::all(0x1p12f);
  } else if (F == Fn::acosh) {
    const V t = x - one;  // exact below 2^24
    const V z = t * (t + V::all(2.0f));
    u = t + sqrt(z);
    big = x >= V::all(0x1p12f);
  } else {
    const V d = one - ax;  // exact from 1/2 on
    u = (ax + ax) / d;
  }
  V y, c;
  if (Exact) {
    two_sum(one, u, y, c);
  } else {  // only u < 1 needs c, and there it is exact
    y = one + u;
    c = (one - y) + u;
  }
  V v = s_log1p<Exact>(select(big, ax, y), c, big);
  if (F == Fn::acosh) return v;
  if (F == Fn::atanh) v = V::all(0.5f) * v;
  // Below 2^-12 asinh and atanh are x within a third of an ulp.
  return select(ax < V::all(0x1p-12f), x, v | sign_of(x));
}

template <Fn F, bool Exact>
struct SLowCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    return unary_group<V, group>(a, r, [](V x) { return s_low_eval<F, Exact>(x); },
                                 [](V x) { return out_of_range<F>(x); });
  }
};

template <Fn F, bool Exact>
struct SLow : SLowCore<F, Exact> {
  using Wide = SLowCore<F, Exact>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { arc::special<F, float>(a, r, report); }
};

template <Fn F>
struct S : SCore<F> {
  using Wide = SCore<F>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { arc::special<F, float>(a, r, report); }
};

}  // namespace zaforq::vm::arc
