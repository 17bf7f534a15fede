// Inverse hyperbolic functions on the logarithm's machinery:
//   asinh x = sign(x) ln(|x| + sqrt(x^2 + 1)),   acosh x = ln(x + sqrt(x^2 - 1)),
//   atanh x = sign(x) ln((1 + |x|) / (1 - |x|)) / 2.
// The double kernels of both classes form the logarithm's argument y as a (high, low) pair (squares by
// Dekker's product, square roots and quotients with their residuals), and the logarithm takes
// the low part as ln(y_hi + y_lo) = ln(y_hi) + y_lo / y_hi, added to its own low sum before the
// one final rounding: without it, the argument's rounding alone would cost up to 2^-53
// absolutely, which is many ulp of a result near 0. From |x| = 2^28 on, asinh and acosh are
// ln|x| + ln 2. The float kernels work in double, where the square of a float is exact.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/_log/log_impl.h"

namespace zaforq::vm::arc {

using namespace zaforq::simd;
using logk::Base;

enum class Fn { asinh, acosh, atanh };

// ---- double-double steps on registers -------------------------------------------------------
inline void split(f64x2 a, f64x2& hi, f64x2& lo) {
  const f64x2 c = f64x2::all(134217729.0) * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}
// p + e = a * a exactly.
inline void square(f64x2 a, f64x2& p, f64x2& e) {
  p = a * a;
  f64x2 h, l;
  split(a, h, l);
  e = ((h * h - p) + f64x2::all(2.0) * h * l) + l * l;
}
// p + e = a * b exactly.
inline void product(f64x2 a, f64x2 b, f64x2& p, f64x2& e) {
  p = a * b;
  f64x2 ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}
inline void two_sum(f64x2 a, f64x2 b, f64x2& s, f64x2& e) {
  s = a + b;
  const f64x2 bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}

inline f64x2 sign_of(f64x2 x) { return x & f64x2::all(-0.0); }
inline constexpr double kLn2 = 0.6931471805599453;

// y_hi + y_lo = |x| + sqrt(x^2 + One) (One = 1 for asinh, -1 for acosh), for 2^-28 <= |x| < 2^28.
// Returned with the low part already as the logarithm's correction -y_lo / y_hi.
template <int One>
__attribute__((always_inline)) inline void root_sum(f64x2 ax, f64x2& y, f64x2& corr) {
  f64x2 p, pe, a, ae;
  square(ax, p, pe);
  two_sum(p, f64x2::all(One), a, ae);
  const f64x2 a_lo = ae + pe;
  const f64x2 s = sqrt(a);
  f64x2 ss, sse;
  square(s, ss, sse);
  const f64x2 resid = ((a - ss) - sse) + a_lo;  // a - s^2, to first order 2 s s_lo
  f64x2 ye;
  two_sum(ax, s, y, ye);
  // One division for both corrections: s_lo = resid / (2 s), corr = -y_lo / y.
  const f64x2 inv = f64x2::all(1.0) / (f64x2::all(2.0) * s * y);
  const f64x2 s_lo = resid * y * inv;
  corr = -((ye + s_lo) * f64x2::all(2.0) * s * inv);
}

// 1/q to about 48 bits from the float reciprocal estimate and two Newton steps (1 <= q < 2^60):
// enough for a correction of at most 2^-52 q whose error must stay below an ulp of the result.
inline f64x2 approx_inverse(f64x2 q) {
  const f32x4 qf = to_f32(q, q);
  const f64x2 two = f64x2::all(2.0);
  f64x2 r = to_f64_low2(rcp_estimate(qf));
  r = r * (two - q * r);
  return r * (two - q * r);
}

// The logarithm's argument y and correction for one register of the double kernel of F;
// lanes outside the fast range give values the special routine overwrites.
template <Fn F>
__attribute__((always_inline)) inline void d_prep(f64x2 x, f64x2& y, f64x2& corr) {
  const f64x2 ax = abs(x);
  if (F == Fn::atanh) {
    const f64x2 one = f64x2::all(1.0);
    const f64x2 n = one + ax, n_lo = ax - (n - one);
    const f64x2 d = one - ax, d_lo = (one - d) - ax;
    const f64x2 inv = one / d;
    const f64x2 q = n * inv;
    f64x2 pp, pe;
    product(q, d, pp, pe);
    const f64x2 q_lo = ((((n - pp) - pe) + n_lo) - q * d_lo) * inv;
    y = q;
    corr = -(q_lo * approx_inverse(q));
    return;
  }
  const f64x2 big = ax >= f64x2::all(0x1p28);
  root_sum<F == Fn::asinh ? 1 : -1>(ax, y, corr);
  y = select(big, ax, y);
  corr = select(big, f64x2::all(-kLn2), corr);
}

// From the logarithm v to the result: halved for atanh, the sign of x for the odd functions,
// and x itself below 2^-28, where the result is x within 2^-56.
template <Fn F>
__attribute__((always_inline)) inline f64x2 d_finish(f64x2 x, f64x2 v) {
  if (F == Fn::acosh) return v;
  if (F == Fn::atanh) v = f64x2::all(0.5) * v;
  return select(abs(x) < f64x2::all(0x1p-28), x, v | sign_of(x));
}

// ln(y0 - c0) and ln(y1 - c1) (y positive normal), the logarithm's integer steps once for
// the four high words of a group.
__attribute__((always_inline)) inline void log4(f64x2 y0, f64x2 y1, f64x2 c0, f64x2 c1, f64x2& v0, f64x2& v1) {
  const i32x4 hw = _mm_castps_si128(_mm_shuffle_ps(_mm_castpd_ps(y0.v), _mm_castpd_ps(y1.v), _MM_SHUFFLE(3, 1, 3, 1)));
  const i32x4 e = logk::dlog_ha_exponent(hw);
  alignas(16) int32_t j[4];
  logk::dlog_ha_row(hw).store(j);
  const double(&tab)[513][4] = logk::kLnHA;
  v0 = logk::dlog_ha<Base::e>(y0, c0, logk::dlog_ha_exponent_f64(e), tab[j[0]], tab[j[1]]);
  v1 = logk::dlog_ha<Base::e>(y1, c1, logk::dlog_ha_exponent_f64(i32x4(_mm_unpackhi_epi64(e.v, e.v))), tab[j[2]],
                              tab[j[3]]);
}

// Lanes outside the fast range: asinh NaN and ±inf; acosh x <= 1 (1 itself, to give exactly 0),
// +inf and NaN; atanh |x| >= 1 and NaN.
template <Fn F>
inline uint32_t d_out(f64x2 x) {
  const f64x2 inf = f64x2::all(__builtin_inf()), one = f64x2::all(1.0);
  if (F == Fn::asinh) return ~movemask(abs(x) < inf) & 3u;
  if (F == Fn::acosh) return ~movemask((x > one) & (x < inf)) & 3u;
  return ~movemask(abs(x) < one) & 3u;
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

template <Fn F, bool HA>
struct D {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    f64x2 y0, y1, c0, c1, v0, v1;
    d_prep<F>(x0, y0, c0);
    d_prep<F>(x1, y1, c1);
    log4(y0, y1, c0, c1, v0, v1);
    d_finish<F>(x0, v0).store(r);
    d_finish<F>(x1, v1).store(r + 2);
    return d_out<F>(x0) | (d_out<F>(x1) << 2);
  }
  static void special(double a, double& r, const Report<double>& report) {
    arc::special<F, double, HA && F == Fn::atanh>(a, r, report);
  }
};

// ---- float, evaluated in double -----------------------------------------------------------
// ln y for a positive normal double y on the float logarithm's 65-entry table (c_j = 1 + j/64,
// 1/c_j, L_j; mantissas from 1.4921875 on counted to the next power of two), with a Taylor
// polynomial of degree Deg in r = (m - c_j)/c_j, |r| <= 1/128: degree 5 for _HA (error below
// 2^-42), 4 for _21, 2 for _11. Near y = 1 the row is 0 and r = y - 1 exactly, so the result
// is relatively accurate there too.
template <int Deg>
inline f64x2 log_f(f64x2 y) {
  const i32x4 hw = logk::high_words(y);
  const i32x4 e = sar<20>(hw - i32x4::all(0x3FE7E000));  // split point 0.74609375
  alignas(16) int32_t off[4];
  ((shr<10>(hw) & i32x4::all(0x3F8)) + i32x4::all(8) & i32x4::all(0x7F0)).store(off);
  const double* t0 = logk::kSLnHA[off[0] >> 4];
  const double* t1 = logk::kSLnHA[off[1] >> 4];
  const f64x2 a0 = f64x2::load_aligned(t0), a1 = f64x2::load_aligned(t1);
  const f64x2 c = _mm_unpacklo_pd(a0.v, a1.v), rcp = _mm_unpackhi_pd(a0.v, a1.v);
  const f64x2 L = _mm_unpacklo_pd(f64x2::load_aligned(t0 + 2).v, f64x2::load_aligned(t1 + 2).v);
  const f64x2 m = ((y.bits() & i64x2::all(0x000FFFFFFFFFFFFFll)) | f64x2::all(1.0).bits()).as_f64();
  const f64x2 r = (m - c) * rcp;
  f64x2 q;
  if (Deg == 5)
    q = f64x2::all(-0.5) + r * (f64x2::all(1.0 / 3) + r * (f64x2::all(-0.25) + r * f64x2::all(0.2)));
  else if (Deg == 4)
    q = f64x2::all(-0.5) + r * (f64x2::all(1.0 / 3) + r * f64x2::all(-0.25));
  else
    q = f64x2::all(-0.5);
  return to_f64_low2(e) * f64x2::all(kLn2) + L + (r + r * r * q);
}

// One register (two floats widened) of the float kernel of F. Below 2^-12 asinh and atanh are
// their two-term series, where the logarithm's argument would have lost the bits.
template <Fn F, int Deg>
inline f64x2 s_eval(f64x2 x) {
  const f64x2 ax = abs(x), one = f64x2::all(1.0);
  f64x2 v, series;
  if (F == Fn::asinh) {
    v = log_f<Deg>(ax + sqrt(ax * ax + one));
    series = x * (one - x * x * f64x2::all(1.0 / 6));  // keeps the sign of -0
  } else if (F == Fn::acosh) {
    return log_f<Deg>(x + sqrt(x * x - one));  // x * x - 1 is exact below 2^26
  } else {
    v = f64x2::all(0.5) * log_f<Deg>((one + ax) / (one - ax));
    series = x * (one + x * x * f64x2::all(1.0 / 3));
  }
  return select(ax < f64x2::all(0x1p-12), series, v | sign_of(x));
}

template <Fn F>
inline uint32_t s_out(f32x4 x) {
  const f32x4 inf = f32x4::all(__builtin_inff()), one = f32x4::all(1.0f);
  if (F == Fn::asinh) return ~movemask(abs(x) < inf) & 0xFu;
  if (F == Fn::acosh) return ~movemask((x > one) & (x < inf)) & 0xFu;
  return ~movemask(abs(x) < one) & 0xFu;
}

template <Fn F, int Deg>
struct S {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static void four(f32x4 x, float* r) {
    to_f32(s_eval<F, Deg>(to_f64_low2(x)), s_eval<F, Deg>(to_f64_high2(x))).store(r);
  }
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    four(x0, r);
    four(x1, r + 4);
    return s_out<F>(x0) | (s_out<F>(x1) << 4);
  }
  static void special(float a, float& r, const Report<float>& report) { arc::special<F, float>(a, r, report); }
};

}  // namespace zaforq::vm::arc
