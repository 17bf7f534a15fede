// Cube root and reciprocal cube root, shared by the Cbrt and InvCbrt families, evaluated in
// double precision for both element types.
//
// For x = m 2^(E - 1023) with m in [1, 2): j is the leading five fraction bits of m and
// c_j = 1 + j/32 + 1/64 the midpoint of its interval, so r = (m - c_j) / c_j is at most 2^-6
// in magnitude. With E = 3q + k (k = 0, 1, 2):
//   cbrt(x)   = T_k,j (1 + r P(r)) 2^(q - 341),   T_k,j = c_j^(1/3) 2^(k/3)
//   1/cbrt(x) = U_k,j (1 + r Q(r)) 2^(341 - q),   U_k,j = c_j^(-1/3) 2^(-k/3)
// where P and Q are the binomial series of (1 + r)^(1/3) and (1 + r)^(-1/3) after their
// constant term; both products lie in [1/2, 2), so the power of two goes straight into the
// exponent field. The double _HA kernels add the low parts of T and U; the lower classes use
// fewer terms (eight give 2^-54, seven 2^-52 for double; four, three and two suffice for the
// float classes). Zeros, infinities, NaN and double denormals leave the vector path.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::cbrt_core {

using namespace zaforq::simd;

#include "zaf_core/cbrt/cbrt_tables.inc"

// Taylor coefficients of (1 + r)^(1/3) after the constant term: 1/3, -1/9, 5/81, -10/243, ...
inline double cbrt_coefficient(int k) {
  static constexpr uint64_t c[8] = {0x3FD5555555555555ull, 0xBFBC71C71C71C71Cull, 0x3FAF9ADD3C0CA458ull,
                                    0xBFA511E8D2B3183Bull, 0x3F9EE7113506AC12ull, 0xBF98090D6221A247ull,
                                    0x3F93750AD588F115ull, 0xBF9036DE5C9CC8E7ull};
  return bits<double>(c[k]);
}

// The computations are templates over the register type V (f64x2, f32x4 or a wider path's):
// cbrt_avx2.cpp and cbrt_avx512.cpp run them on wider registers with the same bits.
template <bool kInverse, class V>
inline V coefficient(int k) {
  return V::all(kInverse ? kInvCbrtPoly[k] : cbrt_coefficient(k));
}

// The root of normal, finite, non-zero lanes (Terms coefficients of the series; kLow adds the
// table's low part).
template <bool kInverse, int Terms, bool kLow, class V>
__attribute__((always_inline)) inline V root(V x) {
  using I = typename V::i64;
  const I b = x.bits();
  const auto& T = kInverse ? kInvCbrtT : kCbrtT;
  // The table row (k, j) and the exponent step: e / 3 for every biased exponent is
  // (5462 e) / 2^14.
  V rcp, th, tl;
  I step;
  if constexpr (V::lanes == 2) {
    // SSE2: scalar arithmetic on the two high words is quicker than the vector form.
    struct Lane {
      int32_t k, j;
      int64_t step;
    };
    const auto lane = [](int32_t word) {
      const uint32_t high = static_cast<uint32_t>(word);
      const int32_t e = static_cast<int32_t>((high >> 20) & 0x7FF), q = (e * 0x1556) >> 14;
      const int64_t s = kInverse ? 341 - q : q - 341;
      return Lane{e - 3 * q, static_cast<int32_t>((high & 0xF8000u) >> 15),
                  static_cast<int64_t>(static_cast<uint64_t>(s) << 52)};
    };
    const Lane l0 = lane(_mm_cvtsi128_si32(_mm_shuffle_epi32(b.v, 0x55)));
    const Lane l1 = lane(_mm_cvtsi128_si32(_mm_shuffle_epi32(b.v, 0xFF)));
    rcp = _mm_set_pd(kCbrtRcpNeg[l1.j], kCbrtRcpNeg[l0.j]);
    th = _mm_set_pd(T[l1.k][l1.j][0], T[l0.k][l0.j][0]);
    tl = _mm_set_pd(T[l1.k][l1.j][1], T[l0.k][l0.j][1]);
    step = _mm_set_epi64x(l1.step, l0.step);
  } else {
    const I e = shr<52>(b) & I::all(0x7FF);
    const I q = shr<14>(mul_lo32(e, I::all(0x1556)));
    const I k = e - (q + q + q);
    const I j = shr<47>(b) & I::all(0x1F);
    const I row = shl<1>(shl<5>(k) + j);  // [k][j][0] in the flattened table
    rcp = gather(kCbrtRcpNeg, j), th = gather(&T[0][0][0], row);
    if constexpr (kLow) tl = gather(&T[0][0][1], row);
    step = shl<52>(kInverse ? I::all(341) - q : q - I::all(341));
  }
  const I fraction = b & I::all(0x000FFFFFFFFFFFFFll);
  const V m = (fraction | I::all(0x3FF0000000000000ll)).as_f64();
  const V c = ((fraction & I::all(0x000F800000000000ll)) | I::all(0x3FF0400000000000ll)).as_f64();
  const V r = (c - m) * rcp;  // c - m is exact; the table holds -1/c
  V p = coefficient<kInverse, V>(Terms - 1);
#pragma GCC unroll 8
  for (int i = Terms - 2; i >= 0; --i) p = coefficient<kInverse, V>(i) + r * p;
  V y;
  if constexpr (kLow) {
    y = th + (tl + th * r * p);
  } else {
    y = th + th * r * p;
  }
  const I sign = b & I::all(static_cast<int64_t>(0x8000000000000000ull));
  return ((y.bits() + step) | sign).as_f64();
}

// Lanes whose biased exponent is 0 or 0x7FF (zero, denormal, infinite, NaN): those whose
// magnitude is not in [2^-1022, inf) (NaN compares false).
template <class V>
inline uint32_t dnot_normal(V x) {
  const V a = abs(x);
  return movemask((a >= V::all(0x1p-1022)) & (a < V::all(__builtin_inf()))) ^ all_lanes<V>();
}

// Lanes that are zero, infinite or NaN (float denormals are normal doubles).
template <class V>
inline uint32_t fnot_finite_nonzero(V x) {
  using I = typename V::i32;
  const I t = (x.bits() & I::all(0x7FFFFFFF)) - I::all(1);
  return movemask((t < I::all(0)) | (t > I::all(0x7F7FFFFF - 1)));
}

// Zero, infinite or NaN element: cbrt gives the argument (NaN quieted); its reciprocal gives
// the infinity of a zero's sign with a pole reported, and the zero of an infinity's sign.
template <bool kInverse, class T>
inline void special_value(T a, T& r, const Report<T>& report) {
  if (a != a) {
    r = a + a;
  } else if (!kInverse) {
    r = a;
  } else if (a == T(0)) {
    r = T(1) / a;
    report(ZAF_STATUS_SING);
  } else {
    r = T(1) / a;
  }
}

// The cores: one group on registers V of any width.
template <bool kInverse, int Terms, bool kLow>
struct DCore {
  using T = double;
  static constexpr int group = 16;
  template <class V>
  static uint32_t fast(const double* a, double* r) {
    return unary_group<V, group>(a, r, [](V x) { return root<kInverse, Terms, kLow>(x); },
                                 [](V x) { return dnot_normal(x); });
  }
};

template <bool kInverse, int Terms>
struct FCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, float* r) {
    const auto value = [](V x) {
      return to_f32(root<kInverse, Terms, false>(to_f64_low(x)), root<kInverse, Terms, false>(to_f64_high(x)));
    };
    return unary_group<V, group>(a, r, value, [](V x) { return fnot_finite_nonzero(x); });
  }
};

template <bool kInverse, int Terms, bool kLow, const char* Name>
struct DPolicy : DCore<kInverse, Terms, kLow> {
  using Wide = DCore<kInverse, Terms, kLow>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) { return Wide::template fast<f64x2>(a, r); }
  static void special(double a, double& r, const Report<double>& report) {
    if (a != 0.0 && a - a == 0.0) {  // denormal: 2^54 a is normal, and 54 = 3 * 18
      const double s = root<kInverse, Terms, kLow>(f64x2::all(a * 0x1p54)).lane0();
      r = s * (kInverse ? 0x1p18 : 0x1p-18);
      return;
    }
    special_value<kInverse>(a, r, report);
  }
};

template <bool kInverse, int Terms, const char* Name>
struct FPolicy : FCore<kInverse, Terms> {
  using Wide = FCore<kInverse, Terms>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { special_value<kInverse>(a, r, report); }
};

}  // namespace zaforq::vm::cbrt_core
