// Square root and reciprocal square root, shared by the Sqrt and InvSqrt families.
//
// Float Sqrt (groups of eight): the reciprocal-square-root estimate y0 (about 12 bits) and, in
// the upper classes, a refinement in single precision. With t = x y0^2 - 1 the series step
// y1 = y0 (1 - t/2 + 3t^2/8) leaves an error of order t^3; the _HA class then corrects
// s = x y1 by one Newton step on the exactly computed residual x - s^2 (Dekker's product, as
// SSE has no fused multiply-add), which brings it below one ulp. Denormal arguments, those of
// at least 2^126, zeros, negatives, infinities and NaN go to the scalar routine.
//
// Float InvSqrt: _11 is the estimate itself, _21 the estimate with the series step; denormal
// arguments are scaled by 2^24 first and the estimate by 2^12 after. _HA takes the double
// square root and divides in double, which rounds to the correctly rounded float.
//
// Double Sqrt and InvSqrt (groups of four) use no square-root instruction: a float carrying
// the mantissa and the exponent's parity gets the hardware estimate, which placed into a
// double's high word is y0 (21 significant bits). The residual e = x y0^2 - 1 is formed
// exactly with x split into its high 21 and low 32 bits, y0 is refined by the binomial series
// of (1 + e)^(-1/2), and sqrt(x) = x y0 (1 + S(e)) is summed from the exact products of the
// split so that it is correctly rounded in nearly all cases. Denormals are scaled by 2^54.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaforq/zaf_algebraic.h"

namespace zaforq::vm::sqrt_core {

using namespace zaforq::simd;

enum class FClass { a11, a21, ha };

// ---- float --------------------------------------------------------------------------------

// The computations are templates over the register type V (f32x4, f64x2 or a wider path's),
// so the same lanes give the same bits on every path.

// y0 (1 - t/2 + 3t^2/8) with t = x y0^2 - 1: one refinement of the estimate y0 of 1/sqrt(x).
template <class V>
inline V frefine(V x, V y0) {
  const V t = (x * y0) * y0 - V::all(1.0f);
  const V s = t * (V::all(-0.5f) + t * V::all(0.375f));
  return y0 + y0 * s;
}

// hi + lo == a * a exactly (Dekker; 4097 = 2^12 + 1 splits a float into two 12-bit halves).
template <class V>
inline void fsquare_exact(V a, V& hi, V& lo) {
  const V c = V::all(4097.0f) * a;
  const V ah = c - (c - a), al = a - ah;
  hi = a * a;
  lo = ((ah * ah - hi) + V::all(2.0f) * ah * al) + al * al;
}

template <FClass C, class V>
inline V fsqrt_fast(V x) {
  if constexpr (C == FClass::ha) {
    // The correction forms terms down to about 2^-48 x; below 2^-60 they would be denormal,
    // which is exact but costs the processor a slow assist per operation. Such arguments are
    // scaled by 2^64 and their root by 2^-32, both exact.
    const V small = x < V::all(0x1p-60f);
    const V xs = select(small, x * V::all(0x1p64f), x);
    const V y1 = frefine(xs, rsqrt_estimate(xs));
    const V s = xs * y1;
    V hi, lo;
    fsquare_exact(s, hi, lo);
    const V residual = (xs - hi) - lo;  // xs - hi is exact: hi is within 2^-20 of xs
    const V root = s + (V::all(0.5f) * y1) * residual;
    return select(small, root * V::all(0x1p-32f), root);
  } else {
    const V y0 = rsqrt_estimate(x);
    if constexpr (C == FClass::a11) return x * y0;
    return x * frefine(x, y0);
  }
}

// Lanes outside [2^-126, 2^126) (bits 0x00800000 to 0x7E7FFFFF): negative, zero, denormal,
// huge, infinite or NaN.
template <class V>
inline uint32_t fsqrt_out_of_range(V x) {
  using I = typename V::i32;
  const I t = x.bits() - I::all(0x00800000);
  return movemask((t < I::all(0)) | (t > I::all(0x7E7FFFFF - 0x00800000)));
}

// Denormals are scaled into the estimate's range.
template <FClass C, class V>
inline V finvsqrt_fast(V x) {
  const V tiny = x < V::all(0x1p-126f);
  const V xs = select(tiny, x * V::all(0x1p24f), x);
  V y = rsqrt_estimate(xs);
  if constexpr (C == FClass::a21) y = frefine(xs, y);
  return select(tiny, y * V::all(0x1p12f), y);
}

// Lanes not positive and finite.
template <class V>
inline uint32_t fpositive_finite_not(V x) {
  using I = typename V::i32;
  const I t = x.bits() - I::all(1);
  return movemask((t < I::all(0)) | (t > I::all(0x7F7FFFFF - 1)));
}

// ---- double -------------------------------------------------------------------------------

// The double square-root start is written for any register width (V: f64x2 or wider), as
// the inverse trigonometric kernels run it on every path.
template <class V>
inline V high_part(V x) {  // low 32 bits of the representation cleared
  using I = typename V::i64;
  return (x.bits() & I::all(static_cast<int64_t>(0xFFFFFFFF00000000ull))).as_f64();
}

// The estimate y0 of 1/sqrt(x) for positive normal x, 21 significant bits, low word zero.
template <class V>
inline V destimate(V x) {
  using I = typename V::i64;
  const I b = x.bits();
  // The mantissa's top 23 bits and the exponent's parity flipped: a float in [1, 4).
  const I f = ((shr<29>(b) & I::all(0xFFFFFF)) ^ I::all(0x800000)) + I::all(0x3F800000);
  const I y = rsqrt_estimate(f.as_i32().as_f32()).bits().as_i64() & I::all(0xFFFFFFFF);
  // The float's exponent and 20 mantissa bits moved into a double's high word, the exponent
  // halved: 0x57F00000 holds the rebias, (E - 1) / 2 the halving for either parity of E.
  const I e = shr<52>(b);
  const I hi = shr<3>(y) + I::all(0x57F00000) - shl<20>(shr<1>(e - I::all(1)));
  return shl<32>(hi).as_f64();
}

// Taylor coefficients of (1 + e)^(-1/2) after the constant term.
template <int Terms, class V>
inline V dseries(V e) {
  static_assert(Terms == 4 || Terms == 5, "four or five terms");
  V p = Terms == 5 ? V::all(-0.24609375) : V::all(0.2734375);
  if constexpr (Terms == 5) p = V::all(0.2734375) + e * p;
  p = V::all(-0.3125) + e * p;
  p = V::all(0.375) + e * p;
  p = V::all(-0.5) + e * p;
  return e * p;
}

// The start of every double square root here, for positive normal finite x: the estimate
// y0, x y0 = u + v exactly (21 x 21 and 32 x 21 bits), and e = x y0^2 - 1, whose series in
// (1 + e)^(-1/2) corrects the estimate.
template <class V>
struct DSqrtStart {
  V y0, u, v, e;
};
template <class V>
inline DSqrtStart<V> dsqrt_start(V x) {
  const V y0 = destimate(x);
  const V xh = high_part(x), xl = x - xh;
  const V u = xh * y0, v = xl * y0;
  const V uh = high_part(u), ul = u - uh;
  return {y0, u, v, ((uh * y0 - V::all(1.0)) + ul * y0) + v * y0};
}

// sqrt(x) (or 1/sqrt(x) when kInverse) for positive normal finite x.
template <int Terms, bool kInverse, class V>
inline V dsqrt_fast(V x) {
  const auto [y0, u, v, e] = dsqrt_start(x);
  const V s = dseries<Terms>(e);
  if constexpr (kInverse) return y0 + y0 * s;
  return u + (v + (u + v) * s);
}

// Lanes outside 2^-1022 <= x < inf: zeros, denormals, negatives, infinities and NaN (both
// comparisons are false for NaN).
template <class V>
inline uint32_t dsqrt_out_of_range(V x) {
  return movemask((x >= V::all(0x1p-1022)) & (x < V::all(__builtin_inf()))) ^ all_lanes<V>();
}

// One element outside the fast range.
template <int Terms, bool kInverse>
inline double dsqrt_special(double x, const Report<double>& report, double& r) {
  if (x != x) return r = x + x;
  if (x == 0.0) {
    if (!kInverse) return r = x;
    r = 1.0 / x;
    report(ZAF_STATUS_SING);
    return r;
  }
  if (x < 0.0) {
    r = domain_nan<double>();
    report(ZAF_STATUS_ERRDOM);
    return r;
  }
  if (x == __builtin_inf()) return r = kInverse ? 0.0 : x;
  // Positive denormal: 2^54 x is normal; sqrt scales back by 2^-27, 1/sqrt by 2^27.
  const f64x2 y = dsqrt_fast<Terms, kInverse>(f64x2::all(x * bits<double>(0x4350000000000000ull)));
  return r = y.lane0() * (kInverse ? 0x1p27 : 0x1p-27);
}

// ---- cores and policies ----------------------------------------------------------------------

// The cores: one group on registers V of any width (the policies run them on SSE2,
// sqrt_avx2.cpp and sqrt_avx512.cpp on wider registers).
template <FClass C>
struct FSqrtCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    return unary_group<V, group>(a, r, [](V x) { return fsqrt_fast<C>(x); }, [](V x) { return fsqrt_out_of_range(x); });
  }
};

template <FClass C>
struct FInvSqrtCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static V value(V x) {
    if constexpr (C == FClass::ha) {
      using D = typename V::f64;
      const D one = D::all(1.0);
      return to_f32(one / sqrt(to_f64_low(x)), one / sqrt(to_f64_high(x)));
    } else {
      return finvsqrt_fast<C>(x);
    }
  }
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    return unary_group<V, group>(a, r, [](V x) { return value(x); }, [](V x) { return fpositive_finite_not(x); });
  }
};

template <int Terms, bool kInverse>
struct DSqrtCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    return unary_group<V, group>(a, r, [](V x) { return dsqrt_fast<Terms, kInverse>(x); },
                                 [](V x) { return dsqrt_out_of_range(x); });
  }
};

template <FClass C, const char* Name>
struct FSqrt : FSqrtCore<C> {
  using Wide = FSqrtCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) {
    r = _zafssqrt_scalar(a);
    if (a < 0.0f) report(ZAF_STATUS_ERRDOM);
  }
};

// One InvSqrt element that is not positive and finite.
inline void finvsqrt_special(float a, float& r, const Report<float>& report) {
  if (a != a) {
    r = a + a;
  } else if (a == 0.0f) {
    r = 1.0f / a;
    report(ZAF_STATUS_SING);
  } else if (a < 0.0f) {
    r = domain_nan<float>();
    report(ZAF_STATUS_ERRDOM);
  } else {
    r = 0.0f;  // +inf
  }
}

// The float _11 and _21 kernels run with the x87 unit at 53-bit precision, like the other
// float kernels whose scalar paths may use it.
template <FClass C, const char* Name>
struct FInvSqrt : FInvSqrtCore<C> {
  using Wide = FInvSqrtCore<C>;
  static constexpr X87 x87 = C == FClass::ha ? X87::untouched : X87::pc53;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { finvsqrt_special(a, r, report); }
};

template <int Terms, bool kInverse, const char* Name>
struct DPolicy : DSqrtCore<Terms, kInverse> {
  using Wide = DSqrtCore<Terms, kInverse>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& report) {
    dsqrt_special<Terms, kInverse>(a, report, r);
  }
};

}  // namespace zaforq::vm::sqrt_core
