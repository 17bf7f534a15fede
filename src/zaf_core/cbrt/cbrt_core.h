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

template <bool kInverse>
inline f64x2 coefficient(int k) {
  return f64x2::all(kInverse ? kInvCbrtPoly[k] : cbrt_coefficient(k));
}

// Per lane: the table row (k, j) and the exponent step, from the high word of a normal x.
struct Lane {
  int32_t k, j, step;
};
template <bool kInverse>
inline Lane lane_of(uint32_t high) {
  const int32_t e = static_cast<int32_t>((high >> 20) & 0x7FF);
  const int32_t q = (e * 0x1556) >> 14;  // e / 3 for every biased exponent, by 5462 / 2^14
  const int32_t step = kInverse ? 341 - q : q - 341;
  return {e - 3 * q, static_cast<int32_t>((high & 0xF8000u) >> 15), step};
}

// The root of normal, finite, non-zero lanes (Terms coefficients of the series; kLow adds the
// table's low part).
template <bool kInverse, int Terms, bool kLow>
inline f64x2 root(f64x2 x) {
  const i64x2 b = x.bits();
  const i32x4 hw = b.as_i32();
  const Lane l0 = lane_of<kInverse>(static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(hw.v, 0x55))));
  const Lane l1 = lane_of<kInverse>(static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(hw.v, 0xFF))));
  const auto& T = kInverse ? kInvCbrtT : kCbrtT;
  const f64x2 rcp = _mm_set_pd(kCbrtRcpNeg[l1.j], kCbrtRcpNeg[l0.j]);
  const f64x2 th = _mm_set_pd(T[l1.k][l1.j][0], T[l0.k][l0.j][0]);
  const i64x2 fraction = b & i64x2::all(0x000FFFFFFFFFFFFFll);
  const f64x2 m = (fraction | i64x2::all(0x3FF0000000000000ll)).as_f64();
  const f64x2 c = ((fraction & i64x2::all(0x000F800000000000ll)) | i64x2::all(0x3FF0400000000000ll)).as_f64();
  const f64x2 r = (c - m) * rcp;  // c - m is exact; the table holds -1/c
  f64x2 p = coefficient<kInverse>(Terms - 1);
  for (int i = Terms - 2; i >= 0; --i) p = coefficient<kInverse>(i) + r * p;
  f64x2 y;
  if constexpr (kLow) {
    const f64x2 tl = _mm_set_pd(T[l1.k][l1.j][1], T[l0.k][l0.j][1]);
    y = th + (tl + th * r * p);
  } else {
    y = th + th * r * p;
  }
  const i64x2 step = _mm_set_epi64x(static_cast<int64_t>(static_cast<uint64_t>(static_cast<int64_t>(l1.step)) << 52),
                                     static_cast<int64_t>(static_cast<uint64_t>(static_cast<int64_t>(l0.step)) << 52));
  const i64x2 sign = b & i64x2::all(static_cast<int64_t>(0x8000000000000000ull));
  return ((y.bits() + step) | sign).as_f64();
}

// Lanes whose biased exponent is 0 or 0x7FF (zero, denormal, infinite, NaN).
inline uint32_t dnot_normal(f64x2 x) {
  const i32x4 e = x.bits().as_i32() & i32x4::all(0x7FF00000);
  const uint32_t m = movemask((e == i32x4::all(0)) | (e == i32x4::all(0x7FF00000)));
  return ((m >> 1) & 1u) | ((m >> 2) & 2u);
}

// Lanes that are zero, infinite or NaN (float denormals are normal doubles).
inline uint32_t fnot_finite_nonzero(f32x4 x) {
  const i32x4 t = (x.bits() & i32x4::all(0x7FFFFFFF)) - i32x4::all(1);
  return movemask((t < i32x4::all(0)) | (t > i32x4::all(0x7F7FFFFF - 1)));
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

template <bool kInverse, int Terms, bool kLow, const char* Name>
struct DPolicy {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) {
    const f64x2 x0 = f64x2::load(a), x1 = f64x2::load(a + 2);
    root<kInverse, Terms, kLow>(x0).store(r);
    root<kInverse, Terms, kLow>(x1).store(r + 2);
    return dnot_normal(x0) | (dnot_normal(x1) << 2);
  }
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
struct FPolicy {
  using T = float;
  static constexpr int group = 8;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static f32x4 value(f32x4 x) {
    return to_f32(root<kInverse, Terms, false>(to_f64_low2(x)), root<kInverse, Terms, false>(to_f64_high2(x)));
  }
  static uint32_t fast(const float* a, float* r) {
    const f32x4 x0 = f32x4::load(a), x1 = f32x4::load(a + 4);
    value(x0).store(r);
    value(x1).store(r + 4);
    return fnot_finite_nonzero(x0) | (fnot_finite_nonzero(x1) << 4);
  }
  static void special(float a, float& r, const Report<float>& report) { special_value<kInverse>(a, r, report); }
};

}  // namespace zaforq::vm::cbrt_core
