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

// The fast computations are templates over the register type V, run on SSE2 registers by the
// policies and on wider ones by tanh_avx2.cpp and tanh_avx512.cpp (the cores DTanhCore and
// STanhCore); each lane gets the same operations on every width.

// Columns c0 to c0 + K - 1 of the lanes' table rows (rows[j] the row of lane j), one register
// per column: the rows are loaded whole and transposed, which costs a fraction of picking
// every entry on its own. K is 2, or 4 on the wider paths; reads stay inside the rows.
template <class V, int K>
__attribute__((always_inline)) inline void columns(const double* const (&rows)[V::lanes], int c0, V* out) {
  static_assert(K == 2 || (K == 4 && V::lanes >= 4), "chunks of two or four columns");
  if constexpr (V::lanes == 2) {
    const __m128d a = _mm_loadu_pd(rows[0] + c0), b = _mm_loadu_pd(rows[1] + c0);
    out[0] = V(_mm_unpacklo_pd(a, b));
    out[1] = V(_mm_unpackhi_pd(a, b));
  }
#if defined(__AVX2__)
  else if constexpr (V::lanes == 4 || V::lanes == 8) {
    constexpr int H = V::lanes / 4;  // quarters of eight rows: one or two
    __m256d q[H][K];                 // column k of rows 4h to 4h + 3
#pragma GCC unroll 8
    for (int h = 0; h < H; ++h) {
      const double* const* r = rows + 4 * h;
      if constexpr (K == 2) {
        const __m128d x0 = _mm_loadu_pd(r[0] + c0), x1 = _mm_loadu_pd(r[1] + c0);
        const __m128d x2 = _mm_loadu_pd(r[2] + c0), x3 = _mm_loadu_pd(r[3] + c0);
        q[h][0] = _mm256_set_m128d(_mm_unpacklo_pd(x2, x3), _mm_unpacklo_pd(x0, x1));
        q[h][1] = _mm256_set_m128d(_mm_unpackhi_pd(x2, x3), _mm_unpackhi_pd(x0, x1));
      } else {
        const __m256d y0 = _mm256_loadu_pd(r[0] + c0), y1 = _mm256_loadu_pd(r[1] + c0);
        const __m256d y2 = _mm256_loadu_pd(r[2] + c0), y3 = _mm256_loadu_pd(r[3] + c0);
        const __m256d t0 = _mm256_unpacklo_pd(y0, y1), t1 = _mm256_unpackhi_pd(y0, y1);
        const __m256d t2 = _mm256_unpacklo_pd(y2, y3), t3 = _mm256_unpackhi_pd(y2, y3);
        q[h][0] = _mm256_permute2f128_pd(t0, t2, 0x20);
        q[h][1] = _mm256_permute2f128_pd(t1, t3, 0x20);
        q[h][2] = _mm256_permute2f128_pd(t0, t2, 0x31);
        q[h][3] = _mm256_permute2f128_pd(t1, t3, 0x31);
      }
    }
#pragma GCC unroll 8
    for (int k = 0; k < K; ++k) {
      if constexpr (V::lanes == 4) {
        out[k] = V(q[0][k]);
      }
#if defined(__AVX512F__)
      else {
        out[k] = V(_mm512_insertf64x4(_mm512_castpd256_pd512(q[0][k]), q[1][k], 1));
      }
#endif
    }
  }
#endif
}

// Columns C to N - 1 (and up to three of the padding) in chunks of four where they fit.
template <class V, int W, int C, int N>
__attribute__((always_inline)) inline void all_columns(const double* const (&rows)[V::lanes], V* col) {
  if constexpr (C < N) {
    constexpr int K = V::lanes >= 4 && C + 4 <= W ? 4 : 2;
    columns<V, K>(rows, C, col + C);
    all_columns<V, W, C + K, N>(rows, col);
  }
}

// tanh |x| for one register of |x| = a, on a table of degree D (row width W). High accuracy
// (Split): c0 + c1 t by an exact ordered sum, the rest added to its error term, so the result
// is rounded once. Otherwise plain Horner with c0 as high + low.
template <int D, int W, bool Split, class V>
__attribute__((always_inline)) inline V eval(V a, const double (&tab)[30][W]) {
  // The interval: 0 below 1/8 (high word 0x3FC00000), then 1 + 4 (binade - 3) + quarter,
  // that is the high word's exponent and two leading mantissa bits less 0xFF0 (0x3FC00000 >>
  // 18), plus one; 29 from 16 (0x40300000) on, and for NaN. Branch-free: the lanes of a
  // register rarely share an interval.
  using I = typename V::i64;
  constexpr int L = V::lanes;
  const I quarter = shr<50>(a.bits()) - I::all(0xFF0 - 1);
  const I iv = select(a < V::all(16.0), select(a < V::all(0.125), V::all(0.0), quarter.as_f64()),
                      I::all(29).as_f64()).bits();
  alignas(64) int64_t ivs[L];
  iv.store(ivs);
  const double* ms_row[L];
  const double* row[L];
#pragma GCC unroll 8
  for (int j = 0; j < L; ++j) {
    ms_row[j] = kTanhMS[ivs[j]];
    row[j] = tab[ivs[j]];
  }
  V ms[2];
  columns<V, 2>(ms_row, 0, ms);
  const V t = a * ms[1] - ms[0];  // exact: s is a power of two and t is small
  // row: c0 high, c0 low, c1, ..., cD  (c_k at index k + 1 for k >= 1), then padding
  constexpr int N = D + 2;
  V col[N + 3];
  all_columns<V, W, 0, N>(row, col);
  V p = col[D + 1];
#pragma GCC unroll 16
  for (int k = D - 1; k >= (Split ? 2 : 1); --k) p = p * t + col[k + 1];
  const V c0 = col[0], c0lo = col[1];
  if (!Split) return c0 + (c0lo + p * t);
  const V c1t = col[2] * t;
  const V hi = c0 + c1t;          // |c0| >= |c1 t|, or c0 = 0
  const V err = c1t - (hi - c0);  // exact
  return hi + ((err + c0lo) + p * t * t);
}

// One register of doubles; results stored to r.
template <int D, int W, bool Split, class V>
__attribute__((always_inline)) inline void tanh_reg(V x, double* r, const double (&tab)[30][W]) {
  const V a = abs(x);
  V y = eval<D, W, Split>(a, tab);
  // From 20 on (and at ±inf) the result is 1; NaN passes through.
  y = select(a < V::all(20.0), y, select(unordered(x, x), x + x, V::all(1.0)));
  (y | (x & V::all(-0.0))).store(r);
}

template <int D, int W, bool Split>
struct DTanhCore {
  using T = double;
  static constexpr int group = 16;
  static const double (&table())[30][W] {
    if constexpr (D == 15) return kTanhD15; else return kTanhD11;
  }
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    for (int k = 0; k < group; k += V::lanes) tanh_reg<D, W, Split>(V::load(a + k), r + k, table());
    return 0;
  }
};

template <int D, int W, bool Split>
struct DTanh : DTanhCore<D, W, Split> {
  using Wide = DTanhCore<D, W, Split>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double, double&, const Report<double>&) {}
};
using DTanhHA = DTanh<15, 18, true>;
using DTanh50 = DTanh<11, 14, false>;

// Float: no table rows, so every lane runs the same code. Below a split, tanh a = a + a^3 P(a^2),
// odd, so x carries its own sign; above it, tanh a = 1 - 2/(e^(2a) + 1), where the subtraction
// loses little. Magnitudes are clamped at 20, where tanh rounds to 1 in float; NaN passes
// through. The lower classes stay in float, on the float exponential of their class, split at
// 9/16 with P of degree 3 (_21) and 1 (_11).
//
// _HA splits at 1/8 and evaluates the polynomial (degree 2) in float: below 1/8 its term is
// under 0.6% of the result, so its float rounding costs about a hundredth of an ulp. Above, it works in
// double on the two halves of the register: e^(2a) = 2^k e^r without a table (k = round(2a /
// ln 2) <= 58, |r| <= ln(2)/2, e^r by a degree-7 polynomial to 2^-34.5, 2^k added to the
// exponent bits), then one division. From 1/8 on an error d in e^(2a) moves tanh by at most
// 4d relative, far below the float result's half ulp, which is the only rounding that matters.
template <class V, int N, class C>
__attribute__((always_inline)) inline V odd_poly(V x, const C (&c)[N]) {
  const V z = x * x;
  V p = V::all(c[N - 1]);
#pragma GCC unroll 8
  for (int k = N - 2; k >= 0; --k) p = p * z + V::all(c[k]);
  return x + x * z * p;
}

// tanh a for 1/8 <= a <= 20 (other lanes give values that are discarded) in double.
template <class V>
__attribute__((always_inline)) inline V stanh_ha_big(V a) {
  const V w = a + a;
  const V shifter = V::all(0x1.8p52);  // rounds to an integer, k in the low bits
  const V kt = w * V::all(1.4426950408889634) + shifter;  // 1 / ln 2
  const V r = w - (kt - shifter) * V::all(0.69314718055994531);  // ln 2
  V p = V::all(kSTanhHAE[7]);
#pragma GCC unroll 8
  for (int k = 6; k >= 0; --k) p = p * r + V::all(kSTanhHAE[k]);
  const V e = (p.bits() + shl<52>(kt.bits())).as_f64();  // p 2^k: k is small and positive
  return V::all(1.0) - V::all(2.0) / (e + V::all(1.0));
}

template <class F>
__attribute__((always_inline)) inline F stanh_ha(F x) {
  const F a = abs(x);
  const F small = odd_poly(a, kSTanhHAS);
  const F ac = min(a, F::all(20.0f));  // NaN becomes 20 here; restored below
  const F big = to_f32(stanh_ha_big(to_f64_low(ac)), stanh_ha_big(to_f64_high(ac)));
  const F y = select(a < F::all(0.125f), small, big) | (x & F::all(-0.0f));
  return select(unordered(x, x), x + x, y);
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

template <int C>
struct STanhCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  __attribute__((always_inline)) static V eval(V x) {
    if constexpr (C == 2) {
      return stanh_ha(x);
    } else if constexpr (C == 1) {
      return stanh_eval<float>(x, odd_poly(x, kSTanh21), [](V v) { return expk::sexp_ha(v); });
    } else {
      return stanh_eval<float>(x, odd_poly(x, kSTanh11), [](V v) { return expk::sexp_11(v); });
    }
  }
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    for (int k = 0; k < group; k += V::lanes) eval(V::load(a + k)).store(r + k);
    return 0;
  }
};

template <int C>
struct STanh : STanhCore<C> {
  using Wide = STanhCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float, float&, const Report<float>&) {}
};
using STanhHA = STanh<2>;
using STanh21 = STanh<1>;
using STanh11 = STanh<0>;

}  // namespace zaforq::vm::tanhk
