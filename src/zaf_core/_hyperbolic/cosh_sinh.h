// Hyperbolic cosine and sine on the exponential's machinery. With |x| = k ln2/N + r,
// e^|x| / 2 and e^-|x| / 2 share the reduction: the second uses -k (table row -k mod N, its own
// power of two) and -r, so p(-r) is the polynomial's even part minus its odd part. The
// exponent bias is one octave below the exponential's, which puts the factor 1/2 into the
// scale. Sums are kept as (high, low) pairs and rounded once.
//
// The fast computations are templates over the register type V, run on SSE2 registers by the
// policies and on wider ones by hyperbolic_avx2.cpp and hyperbolic_avx512.cpp (the cores
// DCore and SCore); each lane gets the same operations on every width.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"
#include "zaf_core/exp/exp_impl.h"

namespace zaforq::vm::hyp {

using namespace zaforq::simd;

enum class Fn { cosh, sinh };

using expk::low_words;

// 2^(floor(k/64) - 1) from the bit pattern of shifter + k; `octaves` lowers it further for
// the two-step scaling near overflow.
template <class V>
__attribute__((always_inline)) inline V half_scale64(V s, int64_t octaves = 0) {
  using I = typename V::i64;
  return (shl<46>(s.bits() + I::all(0xFF80 - octaves * 64)) & I::all(static_cast<int64_t>(0x7FF0000000000000ull)))
      .as_f64();
}

// e^ax / 2 = a_hi + a_lo and e^-ax / 2 = b_hi + b_lo for 0 <= ax < 708.41, on the double
// exponential's 64-step table and degree-5 polynomial. From |x| = 20 on the second term is
// below 2^-57 of the first and is left at zero (further on its power of two would leave the
// range); a block of four elements whose lanes are all that large skips it (WithB false).
template <class V>
struct HalfExps {
  V a_hi, a_lo, b_hi, b_lo;
};
template <bool WithB = true, class V>
__attribute__((always_inline)) inline HalfExps<V> half_exps_ha(V ax) {
  using expk::kExp64;
  const V inv_step = V::all(bits<double>(0x40571547652B82FEull));  // 92.33248261689366 = 64/ln 2
  const V shifter = V::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const V step_hi = V::all(bits<double>(0x3F862E42FEF00000ull));   // 0.010830424695086549
  const V step_lo = V::all(bits<double>(0x3D7473DE6AF278EDull));   // 1.162596423439437e-12
  const V c2 = V::all(bits<double>(0x3FDFFFFFFFFFD97Cull));        // 0.49999999999945266
  const V c3 = V::all(bits<double>(0x3FC55555555542A1ull));        // 0.16666666666653376
  const V c4 = V::all(bits<double>(0x3FA555574BC3A1BEull));        // 0.04166672515731616
  const V c5 = V::all(bits<double>(0x3F81111276409C2Cull));        // 0.008333343728805863
  const V s = ax * inv_step + shifter;
  const V kd = s - shifter;
  const V sn = shifter - kd;  // shifter - k: the same reduction for -ax
  const V r = (ax - kd * step_hi) - kd * step_lo;
  using I = typename V::i64;
  const I mask = I::all(0x3F);
  const I row = shl<1>(s.bits() & mask);  // offset of the row (high, low) of k mod 64
  const V th = expk::take<V>(&kExp64[0][0], row), tl = expk::take<V>(&kExp64[0][1], row);
  const V sa = half_scale64(s);
  if (!WithB) {
    const V p = r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
    const V zero = V::all(0.0);
    return {sa * th, sa * (tl + p * (th + tl)), zero, zero};
  }
  const I row_n = shl<1>((I::all(0) - s.bits()) & mask);  // and of -k mod 64
  const V uh = expk::take<V>(&kExp64[0][0], row_n), ul = expk::take<V>(&kExp64[0][1], row_n);
  const V r2 = r * r;
  const V even = r2 * (c2 + r2 * c4);
  const V odd = r + r * r2 * (c3 + r2 * c5);
  const V sb = half_scale64(sn) & (ax < V::all(20.0));
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
  int32_t k[2];
  low_words(s.bits(), k);
  const double th = expk::kExp64[k[0] & 0x3F][0], tl = expk::kExp64[k[0] & 0x3F][1];
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
inline constexpr uint64_t kDFastBound = 0x40862336F49C3C50ull;

// sinh x = x + x^3 (1/3! + x^2 (1/5! + ... + x^2/13!)) for |x| below 0.2475: the terms left
// out are below 2^-56 of the sum there.
template <class V>
__attribute__((always_inline)) inline V sinh_small(V x) {
  const V x2 = x * x;
  const V p = V::all(1.0 / 6) +
              x2 * (V::all(1.0 / 120) +
                    x2 * (V::all(1.0 / 5040) +
                          x2 * (V::all(1.0 / 362880) + x2 * (V::all(1.0 / 39916800) + x2 * V::all(1.0 / 6227020800.0)))));
  return x + x * x2 * p;
}

// ---- double, high accuracy --------------------------------------------------------------
// WithB: some lane of the block is below 20; Small (Sinh): some lane is below 0.2475 (high
// word 0x3FCFACFC) and takes the series, free of the subtraction's cancellation.
inline constexpr uint64_t kSmallBound = 0x3FCFACFC00000000ull;
template <Fn F, bool WithB, bool Small, class V>
__attribute__((always_inline)) inline V d_ha(V x) {
  const V ax = abs(x);
  const HalfExps<V> h = half_exps_ha<WithB>(ax);
  if (!WithB) {
    const V y = h.a_hi + h.a_lo;
    return F == Fn::cosh ? y : (y | (x & V::all(-0.0)));  // the series is not needed from 20 on
  }
  V hi, e;
  if (F == Fn::cosh) {
    // a_hi >= b_hi, so the ordered two-sum is exact
    hi = h.a_hi + h.b_hi;
    e = h.b_hi - (hi - h.a_hi);
    return hi + (e + (h.a_lo + h.b_lo));
  }
  hi = h.a_hi - h.b_hi;
  e = (h.a_hi - hi) - h.b_hi;
  const V big = (hi + (e + (h.a_lo - h.b_lo))) | (x & V::all(-0.0));
  return Small ? select(ax < V::all(bits<double>(kSmallBound)), sinh_small(x), big) : big;
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
inline constexpr uint64_t kNearZeroBound = 0x3FA1EB8500000000ull;

// Lanes whose block of four (bits 4b to 4b + 3 of m) has any bit set in m.
__attribute__((always_inline)) constexpr uint32_t blocks_of_four(uint32_t m) {
  m |= m >> 1;
  m |= m >> 2;
  return (m & 0x11111111u) * 0xFu;
}

// A group of sixteen doubles. The variant (WithB, Small) only spares work, except that from
// 20 on the two forms of the polynomial round differently: WithB is decided per block of four
// elements, as the kernels always have, so a register of eight lanes may take both forms.
// Small needs no such care (lanes not below its bound take the same value either way).
template <Fn F>
struct DCore {
  using T = double;
  static constexpr int group = 16;
  template <bool WithB, bool Small, class V>
  __attribute__((always_inline)) static V eval(V x) {
    return d_ha<F, WithB, Small>(x);
  }
  template <bool Small, class V>
  __attribute__((always_inline)) static V eval_blocks(V x, uint32_t with_b) {
    if (with_b == all_lanes<V>()) return eval<true, Small>(x);
    if (with_b == 0) return eval<false, Small>(x);
    alignas(64) double m[V::lanes];  // all-ones lanes where WithB
    for (int j = 0; j < V::lanes; ++j) m[j] = bits<double>((with_b >> j) & 1 ? ~0ull : 0ull);
    return select(V::load(m), eval<true, Small>(x), eval<false, Small>(x));
  }
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    constexpr int L = V::lanes, R = group / L;
    V x[R];
    uint32_t below20 = 0, small = 0, out = 0;
    for (int k = 0; k < R; ++k) {
      x[k] = V::load(a + k * L);
      const V ax = abs(x[k]);
      below20 |= movemask(ax < V::all(20.0)) << (k * L);
      if (F == Fn::sinh) small |= movemask(ax < V::all(bits<double>(kSmallBound))) << (k * L);
      out |= (movemask(ax < V::all(bits<double>(kDFastBound))) ^ all_lanes<V>()) << (k * L);
      if (F == Fn::sinh) out |= movemask(ax < V::all(bits<double>(kNearZeroBound))) << (k * L);
    }
    const uint32_t with_b = blocks_of_four(below20);
    for (int k = 0; k < R; ++k) {
      const uint32_t wb = (with_b >> (k * L)) & all_lanes<V>();
      if ((small >> (k * L)) & all_lanes<V>())
        eval_blocks<true>(x[k], wb).store(r + k * L);
      else
        eval_blocks<false>(x[k], wb).store(r + k * L);
    }
    return out;
  }
};

template <Fn F>
struct DHA : DCore<F> {
  using Wide = DCore<F>;
  static constexpr X87 x87 = F == Fn::sinh ? X87::pc64 : X87::untouched;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& report) {
    if (F == Fn::sinh && __builtin_fabs(a) < bits<double>(kNearZeroBound)) {
      r = sinh_near_zero(a);
      return;
    }
    d_large<F>(a, r, report);
  }
};

// Double Cosh and Sinh, lower accuracy: (E ± 1/E) / 2 with E = e^|x| from the double Exp _HA
// core (0.75 ulp). Below 708.40 E is finite and 1/E normal. Cosh adds two positive terms and
// keeps their errors (about 1 ulp measured); Sinh takes the series below 1/2, where the
// subtraction would cancel more than a bit (the series' omitted terms stay below 2^-54 there).
// About two thirds of the high-accuracy kernels' work.
template <Fn F>
struct D50ByExpCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    const auto value = [](V x) {
      const V ax = abs(x), e = expk::dexp_ha(ax), half = V::all(0.5);
      if constexpr (F == Fn::cosh) return half * e + half / e;
      const V big = (half * e - half / e) | (x & V::all(-0.0));
      return select(ax < V::all(0.5), sinh_small(x), big);
    };
    const auto out = [](V x) { return movemask(abs(x) < V::all(bits<double>(kDFastBound))) ^ all_lanes<V>(); };
    return unary_group<V, group>(a, r, value, out);
  }
};

template <Fn F>
struct D50ByExp : D50ByExpCore<F> {
  using Wide = D50ByExpCore<F>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& report) { d_large<F>(a, r, report); }
};

// ---- float ------------------------------------------------------------------------------
// The float kernels take |x| up to 88.0242691040039 (bits 0x42B00C6D) on the fast path; beyond
// it, and for NaN, the special routine evaluates e^|x| / 2 in double and reports each lane
// that overflows, lowest lane first.
inline constexpr uint32_t kSFastBound = 0x42B00C6Du;

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
// 2^-10 as x + x^3/6, where E - 1/E would cancel. V is a double register.
template <Fn F, class V>
__attribute__((always_inline)) inline V s_ha_pair(V x) {
  const V ax = abs(x);
  const V e = expk::dexp_50(ax);
  const V ie = V::all(1.0) / e;
  if (F == Fn::cosh) return V::all(0.5) * (e + ie);
  const V big = (V::all(0.5) * (e - ie)) | (x & V::all(-0.0));
  return select(ax < V::all(0x1p-10), x + x * x * x * V::all(1.0 / 6), big);
}
template <Fn F, class V>
__attribute__((always_inline)) inline V s_ha(V x) {
  return to_f32(s_ha_pair<F>(to_f64_low(x)), s_ha_pair<F>(to_f64_high(x)));
}

// Float arithmetic: E = e^|x| from the float exponential of the class, (E ± 1/E) / 2; sinh
// below 0.75 by its series (through x^9 for the 21-bit class, x^5 for the 11-bit one).
template <Fn F, bool Fine, class V>
__attribute__((always_inline)) inline V s_low(V x) {
  const V ax = abs(x);
  const V e = Fine ? expk::sexp_ha(ax) : expk::sexp_11(ax);
  const V ie = V::all(1.0f) / e;
  if (F == Fn::cosh) return V::all(0.5f) * (e + ie);
  const V big = (V::all(0.5f) * (e - ie)) | (x & V::all(-0.0f));
  const V x2 = x * x;
  const V p = Fine ? V::all(1.0f / 6) + x2 * (V::all(1.0f / 120) + x2 * (V::all(1.0f / 5040) + x2 * V::all(1.0f / 362880)))
                   : V::all(1.0f / 6) + x2 * V::all(1.0f / 120);
  return select(ax < V::all(0.75f), x + x * x2 * p, big);
}

// Float cores and policies; C is 0 for _11, 1 for _21, 2 for _HA.
template <Fn F, int C>
struct SCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    uint32_t m = 0;
    for (int k = 0; k < group; k += V::lanes) {
      const V x = V::load(a + k);
      if constexpr (C == 2) s_ha<F>(x).store(r + k);
      else s_low<F, C == 1>(x).store(r + k);
      m |= (movemask(abs(x) <= V::all(bits<float>(kSFastBound))) ^ all_lanes<V>()) << k;
    }
    return m;
  }
};

template <Fn F, int C>
struct S : SCore<F, C> {
  using Wide = SCore<F, C>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { s_large<F>(a, r, report); }
};

}  // namespace zaforq::vm::hyp
