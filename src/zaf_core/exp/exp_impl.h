// The exponential: x = k ln2/N + r with k the integer nearest to x N/ln 2 (found by adding a
// shifter constant and reading the low bits of the sum), exp(x) = 2^floor(k/N) 2^((k mod N)/N)
// e^r, the middle factor from a table and e^r - 1 from a short polynomial. Near the ends of the
// range the power of two is applied in two steps so that no intermediate overflows and a
// subnormal result is rounded once.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/simd.h"
#include "zaf_core/_frame/frame.h"

namespace zaforq::vm::expk {

using namespace zaforq::simd;

#include "zaf_core/exp/exp_tables.inc"

// Where the power of two is applied: in one step, or in two for results below the normal
// range (the first factor raised by 2^1022, the second 2^-1022) or near overflow (the first
// lowered by 2^1024, then times 2^1023 and 2).
enum class Scale { one_step, low, high };

inline void lanes(i64x2 v, int32_t& k0, int32_t& k1) {
  k0 = _mm_cvtsi128_si32(v.v);
  k1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(v.v, v.v));
}

template <Scale S>
inline f64x2 finish_scale(f64x2 y, f64x2 scale) {
  if (S == Scale::one_step) return y * scale;
  if (S == Scale::low) return (y * scale) * f64x2::all(bits<double>(0x0010000000000000ull));  // 2^-1022
  return ((y * scale) * f64x2::all(bits<double>(0x7FE0000000000000ull))) * f64x2::all(2.0);   // 2^1023
}

// ---- double, 64 steps per octave, (high, low) table -------------------------------------
template <Scale S = Scale::one_step>
inline f64x2 dexp_ha(f64x2 x) {
  const f64x2 inv_step = f64x2::all(bits<double>(0x40571547652B82FEull));  // 92.33248261689366 = 64/ln 2
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const f64x2 step_hi = f64x2::all(bits<double>(0x3F862E42FEF00000ull));   // 0.010830424695086549
  const f64x2 step_lo = f64x2::all(bits<double>(0x3D7473DE6AF278EDull));   // 1.162596423439437e-12
  const f64x2 c2 = f64x2::all(bits<double>(0x3FDFFFFFFFFFD97Cull));        // 0.49999999999945266
  const f64x2 c3 = f64x2::all(bits<double>(0x3FC55555555542A1ull));        // 0.16666666666653376
  const f64x2 c4 = f64x2::all(bits<double>(0x3FA555574BC3A1BEull));        // 0.04166672515731616
  const f64x2 c5 = f64x2::all(bits<double>(0x3F81111276409C2Cull));        // 0.008333343728805863
  const f64x2 s = x * inv_step + shifter;
  const f64x2 kd = s - shifter;
  const f64x2 r = (x - kd * step_hi) - kd * step_lo;
  int32_t k0, k1;
  lanes(s.bits(), k0, k1);
  const f64x2 e0 = f64x2::load_aligned(kExp64[k0 & 0x3F]);  // (high, low)
  const f64x2 e1 = f64x2::load_aligned(kExp64[k1 & 0x3F]);
  const f64x2 th = _mm_unpacklo_pd(e0.v, e1.v);
  const f64x2 tl = _mm_unpackhi_pd(e0.v, e1.v);
  const f64x2 p = r + r * r * (c2 + r * (c3 + r * (c4 + r * c5)));
  const f64x2 y = th + (tl + p * (th + tl));
  // 1023 * 64 in step units, moved by 1022 or -1024 octaves for the two-step scalings.
  const int64_t bias = S == Scale::one_step ? 0xFFC0 : S == Scale::low ? 0xFFC0 + 1022 * 64 : 0xFFC0 - 1024 * 64;
  const f64x2 scale =
      (shl<46>(s.bits() + i64x2::all(bias)) & i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull))).as_f64();
  return finish_scale<S>(y, scale);
}

// Double _HA special routine, shared with the per-element uses of other kernels.
inline void dexp_ha_special(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x <= bits<double>(0xC0874910D52D3052ull)) {  // -745.1332191019412 (and -inf)
    r = 0.0;
    if (x != -__builtin_inf()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x <= bits<double>(0xC086232BDD7ABCD1ull)) {  // -708.396418532264
    r = dexp_ha<Scale::low>(f64x2::all(x)).lane0();
    report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x >= bits<double>(0x40862E42FEFA39F0ull)) {  // 709.7827128933841 (and +inf)
    r = __builtin_inf();
    if (x != __builtin_inf()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x >= bits<double>(0x40862E37E7D8BA72ull)) {  // 709.7772976810359
    r = dexp_ha<Scale::high>(f64x2::all(x)).lane0();
    return;
  }
  r = dexp_ha(f64x2::all(x)).lane0();
}

// Lanes whose |x| reaches 708.3964... (high word without sign at least 0x4086232B), NaN
// included: the comparison is written so that NaN fails it.
inline uint32_t dexp_out_of_range(f64x2 x) {
  return ~movemask(abs(x) < f64x2::all(bits<double>(0x4086232B00000000ull))) & 3u;
}

// ---- double, 128 steps per octave, mantissa-only table ----------------------------------
template <Scale S = Scale::one_step>
inline f64x2 dexp_50(f64x2 x) {
  const f64x2 inv_step = f64x2::all(bits<double>(0x40671547652B82FEull));  // 184.6649652337873 = 128/ln 2
  const f64x2 shifter = f64x2::all(bits<double>(0x4338000000000000ull));   // 1.5 * 2^52
  const f64x2 step_hi = f64x2::all(bits<double>(0x3F762E42FEE00000ull));   // ln 2/128, high part
  const f64x2 step_lo = f64x2::all(bits<double>(0x3D7A39EF35793C76ull));   // ln 2/128, low part
  const f64x2 c2 = f64x2::all(0.49999999999998135);
  const f64x2 c3 = f64x2::all(0.16666671248624326);
  const f64x2 c4 = f64x2::all(0.041666679394326736);
  const f64x2 s = x * inv_step + shifter;
  const f64x2 kd = s - shifter;
  const f64x2 r = (x - kd * step_hi) - kd * step_lo;
  int32_t k0, k1;
  lanes(s.bits(), k0, k1);
  const i64x2 mant = _mm_set_epi64x(static_cast<int64_t>(kExp128Mantissa[k1 & 0x7F]),
                                    static_cast<int64_t>(kExp128Mantissa[k0 & 0x7F]));
  const int64_t bias = S == Scale::one_step ? 0x1FF80 : S == Scale::low ? 0x1FF80 + 1022 * 128 : 0x1FF80 - 1024 * 128;
  const i64x2 expo = shl<45>(s.bits() + i64x2::all(bias)) & i64x2::all(static_cast<int64_t>(0x7FF0000000000000ull));
  const f64x2 t = (expo + mant).as_f64();
  const f64x2 p = r + r * r * (c2 + r * (c3 + r * c4));
  return finish_scale<S>(f64x2::all(1.0), t + t * p);
}

inline void dexp_50_special(double x, double& r, const Report<double>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x <= bits<double>(0xC0874910D52D3052ull)) {  // -745.1332191019412 (and -inf)
    r = 0.0;
    if (x != -__builtin_inf()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x <= bits<double>(0xC086232BDD7ABCD1ull)) {  // -708.396418532264
    r = dexp_50<Scale::low>(f64x2::all(x)).lane0();
    report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x >= bits<double>(0x40862E42FEFA39F0ull)) {  // 709.7827128933841 (and +inf)
    r = __builtin_inf();
    if (x != __builtin_inf()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x >= bits<double>(0x40862E3D73697A31ull)) {  // 709.78000528721
    r = dexp_50<Scale::high>(f64x2::all(x)).lane0();
    return;
  }
  r = dexp_50(f64x2::all(x)).lane0();
}

// ---- float, 128 steps per octave ---------------------------------------------------------
template <bool TwoStep = false>
inline f32x4 sexp_ha(f32x4 x) {
  const f32x4 inv_step = f32x4::all(bits<float>(0x4338AA3Bu));  // 184.66496 = 128/ln 2
  const f32x4 shifter = f32x4::all(bits<float>(0x4B300000u));   // 11534336: integers in the low bits
  const f32x4 step_hi = f32x4::all(bits<float>(0x3BB18000u));   // ln 2/128, high part (9 bits)
  const f32x4 step_lo = f32x4::all(bits<float>(0xB5DE8083u));   // ln 2/128, low part
  const f32x4 s = x * inv_step + shifter;
  const f32x4 kd = s - shifter;
  const f32x4 r = (x - kd * step_hi) - kd * step_lo;
  alignas(16) int32_t k[4];
  s.bits().store(k);
  const f32x4 t = _mm_setr_ps(kSExp128[k[0] & 0x7F][0], kSExp128[k[1] & 0x7F][0], kSExp128[k[2] & 0x7F][0],
                              kSExp128[k[3] & 0x7F][0]);
  const f32x4 c = _mm_setr_ps(kSExp128[k[0] & 0x7F][1], kSExp128[k[1] & 0x7F][1], kSExp128[k[2] & 0x7F][1],
                              kSExp128[k[3] & 0x7F][1]);
  const f32x4 p = r + f32x4::all(0.5f) * r * r;
  const f32x4 y = t + (c + t * p);
  // (floor(k/128) + 127) in the exponent field; one octave less for the two-step scaling.
  const int32_t bias = TwoStep ? 127 * 128 - 128 : 127 * 128;
  const f32x4 scale = (shl<16>(s.bits() + i32x4::all(bias)) & i32x4::all(0x7F800000)).as_f32();
  return TwoStep ? (y * scale) * f32x4::all(2.0f) : y * scale;
}

// Lanes with |x| above 87.3365478515625 (bits 0x42AEAC50), NaN included.
inline uint32_t sexp_out_of_range(f32x4 x, f32x4 bound) { return ~movemask(abs(x) <= bound) & 0xFu; }

inline void sexp_ha_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x >= bits<float>(0x42B17218u)) {  // 88.72283935546875 (and +inf)
    r = __builtin_inff();
    if (x != __builtin_inff()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x <= bits<float>(0xC2CE8ED1u)) {  // -103.27893829345703 (and -inf)
    r = 0.0f;
    if (x != -__builtin_inff()) report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  if (x < -bits<float>(0x42AEAC50u)) {  // below -87.3365478515625: a float subnormal, rounded once from double
    r = static_cast<float>(dexp_ha(f64x2::all(static_cast<double>(x))).lane0());
    report(ZAF_STATUS_UNDERFLOW);
    return;
  }
  float v[4];
  (x > 0.0f ? sexp_ha<true>(f32x4::all(x)) : sexp_ha<false>(f32x4::all(x))).store(v);
  r = v[0];
}

// ---- float, no table -----------------------------------------------------------------------
inline f32x4 sexp_11(f32x4 x) {
  const f32x4 log2e = f32x4::all(bits<float>(0x3FB8AA3Bu));    // 1.442695
  const f32x4 shifter = f32x4::all(bits<float>(0xCB400000u));  // -1.5 * 2^23
  const f32x4 ln2 = f32x4::all(bits<float>(0x3F317218u));      // 0.6931472
  const f32x4 a1 = f32x4::all(bits<float>(0x3F80017Au));       // 1.0000451
  const f32x4 a2 = f32x4::all(bits<float>(0x3F00F657u));       // 0.5037588
  const f32x4 a3 = f32x4::all(bits<float>(0x3E2AAA8Du));       // 0.1666662
  const f32x4 s = x * log2e + shifter;
  const f32x4 kd = s - shifter;
  const f32x4 r = x - kd * ln2;
  // s = -(1.5 * 2^23 - k), so its bit pattern is 0xCB400000 - k.
  const i32x4 k = i32x4::all(static_cast<int32_t>(0xCB400000u)) - s.bits();
  const f32x4 scale = shl<23>(k + i32x4::all(127)).as_f32();
  return scale * (f32x4::all(1.0f) + r * (a1 + r * (a2 + r * a3)));
}

inline void sexp_11_special(float x, float& r, const Report<float>& report) {
  if (x != x) {
    r = x + x;
    return;
  }
  if (x >= bits<float>(0x42B17218u)) {  // 88.72283935546875 (and +inf)
    r = __builtin_inff();
    if (x != __builtin_inff()) report(ZAF_STATUS_OVERFLOW);
    return;
  }
  if (x == -__builtin_inff()) {
    r = 0.0f;
    return;
  }
  // The same polynomial in double, k clamped so that 2^k stays a double; below -104 the
  // result rounds to zero in float.
  const double xd = x;
  double kd = (xd * 1.4426950408889634 + 6755399441055744.0) - 6755399441055744.0;  // 1.5 * 2^52 shifter
  kd = kd < -160.0 ? -160.0 : kd > 160.0 ? 160.0 : kd;
  const double rd = xd - kd * 0.6931471805599453;
  const double p = 1.0 + rd * (1.0000451 + rd * (0.5037588 + rd * 0.1666662));
  const double y = x < -104.0f ? 0.0 : p * bits<double>(static_cast<uint64_t>(static_cast<int64_t>(kd) + 1023) << 52);
  r = static_cast<float>(y);
  // Decided by the argument, as in the high-accuracy kernel: e^x is below the smallest
  // normal float exactly from -87.3365478515625 down.
  if (x < -bits<float>(0x42AEAC50u)) report(ZAF_STATUS_UNDERFLOW);
}

}  // namespace zaforq::vm::expk
