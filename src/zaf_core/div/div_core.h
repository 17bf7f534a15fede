// Reciprocal and division, shared by the Inv and Div families: Inv is Div with a numerator of
// one everywhere below.
//
// Float kernels (groups of 32): the divisor must satisfy 2^-126 <= |b| < 2^126, so that the
// reciprocal estimate sees a normal number and returns one (the estimate of 2^-126 itself
// would be a denormal, which the hardware flushes to zero). The _11 class
// uses the hardware estimate as it is (about 12 bits), _21 refines it by one Newton step
// r1 = r0 * (2 - b * r0), _HA divides. Out-of-range divisors (zeros, denormals, huge values,
// infinities, NaN) go to the scalar routine, which divides on the x87 unit.
//
// Double _HA kernels (groups of four): one x87 division at 64-bit precision serves the whole
// group, R = 1 / (b0 b1 b2 b3), and each quotient is a_k times the product of the other three
// divisors times R. That needs the product inside the single-precision range; otherwise the
// group, like the tail, divides element by element. The 64-bit quotients carry at most a few
// units of their last place of error, so rounding them to double gives the correctly rounded
// quotient unless they lie within those few units of a halfway point between two doubles;
// such rare elements are recomputed by a correctly rounded division. Every element is thus
// the correctly rounded quotient, whatever its neighbours.
#pragma once
#include <stdint.h>
#include <string.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::div {

using namespace zaforq::simd;

enum class FClass { a11, a21, ha };

// ---- float --------------------------------------------------------------------------------

// The float computations are templates over the register type V (f32x4 or a wider path's):
// div_avx2.cpp and div_avx512.cpp run them on wider registers with the same bits.

// Lanes whose divisor leaves [2^-126, 2^126) in magnitude.
template <class V>
inline uint32_t fout_of_range(V b) {
  using I = typename V::i32;
  const I t = (b.bits() - I::all(0x00800000)) & I::all(0x7FFFFFFF);
  return movemask(t > I::all(0x7DFFFFFF));
}

template <FClass C, class V>
inline V fquotient(V a, V b) {
  if constexpr (C == FClass::ha) {
    return a / b;
  } else {
    V r = rcp_estimate(b);
    if constexpr (C == FClass::a21) r = r * (V::all(bits<float>(0x40000000u)) - b * r);
    return a * r;
  }
}

// The scalar routine: an x87 division, rounded once more to float. The 64-bit quotient of two
// floats rounds to the same float as the exact quotient, denormal results included.
inline float fscalar_quotient(float a, float b) {
  const long double q = static_cast<long double>(a) / static_cast<long double>(b);
  return static_cast<float>(q);
}

// One group of quotients a / b (a = 1 for Inv) on registers V.
template <FClass C, bool kDiv, class V>
inline uint32_t fquotients(const float* a, const float* b, float* r, int group) {
  uint32_t m = 0;
  for (int k = 0; k < group; k += V::lanes) {
    const V d = V::load(b + k);
    fquotient<C>(kDiv ? V::load(a + k) : V::all(1.0f), d).store(r + k);
    m |= fout_of_range(d) << k;
  }
  return m;
}

template <FClass C>
struct FInvCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* b, float* r) { return fquotients<C, false, V>(nullptr, b, r, group); }
};

template <FClass C>
struct FDivCore {
  using T = float;
  static constexpr int group = 32;
  template <class V>
  static uint32_t fast(const float* a, const float* b, float* r) { return fquotients<C, true, V>(a, b, r, group); }
};

inline void fspecial_quotient(float a, float b, float& r, const Report<float>& report) {
  r = fscalar_quotient(a, b);
  if (b == 0.0f) report(ZAF_STATUS_SING);
}

// Inv: the argument is the divisor.
template <FClass C, const char* Name>
struct FInv : FInvCore<C> {
  using Wide = FInvCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, float* r) { return Wide::template fast<f32x4>(a, r); }
  static void special(float a, float& r, const Report<float>& report) { fspecial_quotient(1.0f, a, r, report); }
};

template <FClass C, const char* Name>
struct FDiv : FDivCore<C> {
  using Wide = FDivCore<C>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr const char* name = Name;
  static uint32_t fast(const float* a, const float* b, float* r) { return Wide::template fast<f32x4>(a, b, r); }
  static void special(float a, float b, float& r, const Report<float>& report) { fspecial_quotient(a, b, r, report); }
};

// ---- double _HA ---------------------------------------------------------------------------

// Rounds a 64-bit quotient to double, or says it cannot: false when the double would not be
// normal and finite, or when the quotient lies within 16 units of its last place (64-bit) of a
// halfway point between two doubles, where its own error could decide the rounding.
inline bool round_clear_of_halfway(long double q, double& out) {
  const double d = static_cast<double>(q);
  const uint32_t e = static_cast<uint32_t>(bits_of(d) >> 52) & 0x7FFu;
  if (e == 0 || e == 0x7FF) return false;
  uint64_t significand;
  memcpy(&significand, &q, sizeof significand);  // x87 extended: 64-bit significand first
  const uint32_t below = static_cast<uint32_t>(significand) & 0x7FFu;  // bits under a double's
  if (below - 0x3F0u < 0x20u) return false;
  out = d;
  return true;
}

// One element: the x87 division, or the correctly rounded SSE division where the rounding of
// the 64-bit quotient is in doubt (near a halfway point, or an infinite, zero or denormal
// quotient, where SSE rounds directly to the right format).
inline double dquotient_single(double a, double b) {
  double out;
  if (round_clear_of_halfway(static_cast<long double>(a) / static_cast<long double>(b), out)) return out;
  return a / b;
}

template <bool kDiv>
struct DoublePolicyBase {
  using T = double;
  static constexpr int group = 4;
  static constexpr X87 x87 = X87::pc64;

  static uint32_t fast_group(const double* a, const double* b, double* r) {
    const long double b0 = b[0], b1 = b[1], b2 = b[2], b3 = b[3];
    const long double a0 = kDiv ? a[0] : 1.0, a1 = kDiv ? a[1] : 1.0;
    const long double a2 = kDiv ? a[2] : 1.0, a3 = kDiv ? a[3] : 1.0;
    const long double p01 = b0 * b1, p23 = b2 * b3, P = p01 * p23;
    // P rounded to float would be zero, infinite or NaN: divide singly. Compared in place of
    // the conversion itself, whose underflow or overflow costs the x87 unit a slow assist.
    const long double m = P < 0 ? -P : P;
    if (!(m > 0x1p-150L && m < 0x1.ffffffp127L)) return 0xFu;
    const long double R = 1.0L / P;
    const long double q0 = a0 * b1 * p23 * R, q1 = a1 * b0 * p23 * R;
    const long double q2 = a2 * b3 * p01 * R, q3 = a3 * b2 * p01 * R;
    uint32_t redo = 0;
    if (!round_clear_of_halfway(q0, r[0])) redo |= 1u;
    if (!round_clear_of_halfway(q1, r[1])) redo |= 2u;
    if (!round_clear_of_halfway(q2, r[2])) redo |= 4u;
    if (!round_clear_of_halfway(q3, r[3])) redo |= 8u;
    return redo;
  }
  static void special_element(double a, double b, double& r, const Report<double>& report) {
    r = dquotient_single(a, b);
    if (b == 0.0) report(ZAF_STATUS_SING);
  }
};

template <const char* Name>
struct DInvHA : DoublePolicyBase<false> {
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, double* r) { return DInvHA::fast_group(nullptr, a, r); }
  static void special(double a, double& r, const Report<double>& report) {
    DInvHA::special_element(1.0, a, r, report);
  }
};

template <const char* Name>
struct DDivHA : DoublePolicyBase<true> {
  static constexpr const char* name = Name;
  static uint32_t fast(const double* a, const double* b, double* r) { return DDivHA::fast_group(a, b, r); }
  static void special(double a, double b, double& r, const Report<double>& report) {
    DDivHA::special_element(a, b, r, report);
  }
};

}  // namespace zaforq::vm::div
