// Thin value types over SSE2 registers, so vector algorithms read like their mathematics.
// f64x2: two doubles, f32x4: four floats, i32x4: four 32-bit integers, i64x2: two 64-bit
// integers. Everything is inline and header-only; a wider register type can be added with the
// same operations and dropped into templates written against these names.
#pragma once
#include <emmintrin.h>
#include <stdint.h>

namespace zaforq::simd {

struct i32x4;
struct i64x2;
struct f32x4;

// Each type names its siblings of the same register width and its lane count, so that a core
// written as a template over its register type finds them (simd_avx.h has the wider widths).
struct f64x2 {
  using f32 = f32x4;
  using i32 = i32x4;
  using i64 = i64x2;
  static constexpr int lanes = 2;
  __m128d v;
  f64x2() = default;
  constexpr f64x2(__m128d x) : v(x) {}
  static f64x2 all(double x) { return _mm_set1_pd(x); }
  static f64x2 load(const double* p) { return _mm_loadu_pd(p); }
  static f64x2 load_aligned(const double* p) { return _mm_load_pd(p); }
  // Lanes from values just computed one by one: built in registers, where a load of freshly
  // stored lanes would wait for the stores to drain.
  static f64x2 set_lanes(const double* p) { return _mm_set_pd(p[1], p[0]); }
  void store(double* p) const { _mm_storeu_pd(p, v); }
  double lane0() const { return _mm_cvtsd_f64(v); }
  double lane1() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
  i64x2 bits() const;
};
inline f64x2 operator+(f64x2 a, f64x2 b) { return _mm_add_pd(a.v, b.v); }
inline f64x2 operator-(f64x2 a, f64x2 b) { return _mm_sub_pd(a.v, b.v); }
inline f64x2 operator*(f64x2 a, f64x2 b) { return _mm_mul_pd(a.v, b.v); }
inline f64x2 operator/(f64x2 a, f64x2 b) { return _mm_div_pd(a.v, b.v); }
inline f64x2 operator-(f64x2 a) { return _mm_xor_pd(a.v, _mm_set1_pd(-0.0)); }
inline f64x2 operator&(f64x2 a, f64x2 b) { return _mm_and_pd(a.v, b.v); }
inline f64x2 operator|(f64x2 a, f64x2 b) { return _mm_or_pd(a.v, b.v); }
inline f64x2 operator^(f64x2 a, f64x2 b) { return _mm_xor_pd(a.v, b.v); }
inline f64x2 andnot(f64x2 mask, f64x2 a) { return _mm_andnot_pd(mask.v, a.v); }  // ~mask & a
inline f64x2 min(f64x2 a, f64x2 b) { return _mm_min_pd(a.v, b.v); }
inline f64x2 max(f64x2 a, f64x2 b) { return _mm_max_pd(a.v, b.v); }
inline f64x2 sqrt(f64x2 a) { return _mm_sqrt_pd(a.v); }
inline f64x2 abs(f64x2 a) { return andnot(f64x2::all(-0.0), a); }
// Comparisons give all-ones lanes where true.
inline f64x2 operator<(f64x2 a, f64x2 b) { return _mm_cmplt_pd(a.v, b.v); }
inline f64x2 operator<=(f64x2 a, f64x2 b) { return _mm_cmple_pd(a.v, b.v); }
inline f64x2 operator>(f64x2 a, f64x2 b) { return _mm_cmpgt_pd(a.v, b.v); }
inline f64x2 operator>=(f64x2 a, f64x2 b) { return _mm_cmpge_pd(a.v, b.v); }
inline f64x2 operator==(f64x2 a, f64x2 b) { return _mm_cmpeq_pd(a.v, b.v); }
inline f64x2 operator!=(f64x2 a, f64x2 b) { return _mm_cmpneq_pd(a.v, b.v); }
inline f64x2 unordered(f64x2 a, f64x2 b) { return _mm_cmpunord_pd(a.v, b.v); }
// mask ? a : b, lane by lane (mask lanes all-ones or all-zeros)
inline f64x2 select(f64x2 mask, f64x2 a, f64x2 b) {
  return _mm_or_pd(_mm_and_pd(mask.v, a.v), _mm_andnot_pd(mask.v, b.v));
}
// One bit per lane, lane 0 in bit 0.
inline uint32_t movemask(f64x2 m) { return static_cast<uint32_t>(_mm_movemask_pd(m.v)); }

struct f32x4 {
  using f64 = f64x2;
  using i32 = i32x4;
  static constexpr int lanes = 4;
  __m128 v;
  f32x4() = default;
  constexpr f32x4(__m128 x) : v(x) {}
  static f32x4 all(float x) { return _mm_set1_ps(x); }
  static f32x4 load(const float* p) { return _mm_loadu_ps(p); }
  static f32x4 load_aligned(const float* p) { return _mm_load_ps(p); }
  void store(float* p) const { _mm_storeu_ps(p, v); }
  i32x4 bits() const;
};
inline f32x4 operator+(f32x4 a, f32x4 b) { return _mm_add_ps(a.v, b.v); }
inline f32x4 operator-(f32x4 a, f32x4 b) { return _mm_sub_ps(a.v, b.v); }
inline f32x4 operator*(f32x4 a, f32x4 b) { return _mm_mul_ps(a.v, b.v); }
inline f32x4 operator/(f32x4 a, f32x4 b) { return _mm_div_ps(a.v, b.v); }
inline f32x4 operator-(f32x4 a) { return _mm_xor_ps(a.v, _mm_set1_ps(-0.0f)); }
inline f32x4 operator&(f32x4 a, f32x4 b) { return _mm_and_ps(a.v, b.v); }
inline f32x4 operator|(f32x4 a, f32x4 b) { return _mm_or_ps(a.v, b.v); }
inline f32x4 operator^(f32x4 a, f32x4 b) { return _mm_xor_ps(a.v, b.v); }
inline f32x4 andnot(f32x4 mask, f32x4 a) { return _mm_andnot_ps(mask.v, a.v); }
inline f32x4 min(f32x4 a, f32x4 b) { return _mm_min_ps(a.v, b.v); }
inline f32x4 max(f32x4 a, f32x4 b) { return _mm_max_ps(a.v, b.v); }
inline f32x4 sqrt(f32x4 a) { return _mm_sqrt_ps(a.v); }
inline f32x4 rcp_estimate(f32x4 a) { return _mm_rcp_ps(a.v); }      // about 12 bits
inline f32x4 rsqrt_estimate(f32x4 a) { return _mm_rsqrt_ps(a.v); }  // about 12 bits
inline f32x4 abs(f32x4 a) { return andnot(f32x4::all(-0.0f), a); }
inline f32x4 operator<(f32x4 a, f32x4 b) { return _mm_cmplt_ps(a.v, b.v); }
inline f32x4 operator<=(f32x4 a, f32x4 b) { return _mm_cmple_ps(a.v, b.v); }
inline f32x4 operator>(f32x4 a, f32x4 b) { return _mm_cmpgt_ps(a.v, b.v); }
inline f32x4 operator>=(f32x4 a, f32x4 b) { return _mm_cmpge_ps(a.v, b.v); }
inline f32x4 operator==(f32x4 a, f32x4 b) { return _mm_cmpeq_ps(a.v, b.v); }
inline f32x4 operator!=(f32x4 a, f32x4 b) { return _mm_cmpneq_ps(a.v, b.v); }
inline f32x4 unordered(f32x4 a, f32x4 b) { return _mm_cmpunord_ps(a.v, b.v); }
inline f32x4 select(f32x4 mask, f32x4 a, f32x4 b) {
  return _mm_or_ps(_mm_and_ps(mask.v, a.v), _mm_andnot_ps(mask.v, b.v));
}
inline uint32_t movemask(f32x4 m) { return static_cast<uint32_t>(_mm_movemask_ps(m.v)); }

struct i32x4 {
  static constexpr int lanes = 4;
  __m128i v;
  i32x4() = default;
  constexpr i32x4(__m128i x) : v(x) {}
  static i32x4 all(int32_t x) { return _mm_set1_epi32(x); }
  static i32x4 load(const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  void store(int32_t* p) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
  f32x4 as_f32() const { return _mm_castsi128_ps(v); }
  f64x2 as_f64() const { return _mm_castsi128_pd(v); }
  i64x2 as_i64() const;
};
inline i32x4 operator+(i32x4 a, i32x4 b) { return _mm_add_epi32(a.v, b.v); }
inline i32x4 operator-(i32x4 a, i32x4 b) { return _mm_sub_epi32(a.v, b.v); }
inline i32x4 operator&(i32x4 a, i32x4 b) { return _mm_and_si128(a.v, b.v); }
inline i32x4 operator|(i32x4 a, i32x4 b) { return _mm_or_si128(a.v, b.v); }
inline i32x4 operator^(i32x4 a, i32x4 b) { return _mm_xor_si128(a.v, b.v); }
inline i32x4 andnot(i32x4 mask, i32x4 a) { return _mm_andnot_si128(mask.v, a.v); }
inline i32x4 operator==(i32x4 a, i32x4 b) { return _mm_cmpeq_epi32(a.v, b.v); }
inline i32x4 operator>(i32x4 a, i32x4 b) { return _mm_cmpgt_epi32(a.v, b.v); }  // signed
inline i32x4 operator<(i32x4 a, i32x4 b) { return _mm_cmplt_epi32(a.v, b.v); }  // signed
template <int k> inline i32x4 shl(i32x4 a) { return _mm_slli_epi32(a.v, k); }
template <int k> inline i32x4 shr(i32x4 a) { return _mm_srli_epi32(a.v, k); }   // logical
template <int k> inline i32x4 sar(i32x4 a) { return _mm_srai_epi32(a.v, k); }   // arithmetic
inline i32x4 select(i32x4 mask, i32x4 a, i32x4 b) {
  return _mm_or_si128(_mm_and_si128(mask.v, a.v), _mm_andnot_si128(mask.v, b.v));
}
// One bit per 32-bit lane.
inline uint32_t movemask(i32x4 m) { return movemask(m.as_f32()); }

struct i64x2 {
  static constexpr int lanes = 2;
  __m128i v;
  i64x2() = default;
  constexpr i64x2(__m128i x) : v(x) {}
  static i64x2 all(int64_t x) { return _mm_set1_epi64x(x); }
  static i64x2 load(const int64_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static i64x2 set_lanes(const int64_t* p) { return _mm_set_epi64x(p[1], p[0]); }
  void store(int64_t* p) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
  f64x2 as_f64() const { return _mm_castsi128_pd(v); }
  i32x4 as_i32() const { return v; }
};
inline i64x2 operator+(i64x2 a, i64x2 b) { return _mm_add_epi64(a.v, b.v); }
inline i64x2 operator-(i64x2 a, i64x2 b) { return _mm_sub_epi64(a.v, b.v); }
inline i64x2 operator&(i64x2 a, i64x2 b) { return _mm_and_si128(a.v, b.v); }
inline i64x2 operator|(i64x2 a, i64x2 b) { return _mm_or_si128(a.v, b.v); }
inline i64x2 operator^(i64x2 a, i64x2 b) { return _mm_xor_si128(a.v, b.v); }
template <int k> inline i64x2 shl(i64x2 a) { return _mm_slli_epi64(a.v, k); }
template <int k> inline i64x2 shr(i64x2 a) { return _mm_srli_epi64(a.v, k); }
// Integer lanes 0, 1 (low) or 2, 3 (high) as doubles, and 32-bit lane masks widened to the
// 64-bit lanes of the same halves.
inline f64x2 to_f64_low(i32x4 a) { return _mm_cvtepi32_pd(a.v); }
inline f64x2 to_f64_high(i32x4 a) { return _mm_cvtepi32_pd(_mm_shuffle_epi32(a.v, 0xEE)); }
inline f64x2 widen_low(i32x4 m) { return _mm_castsi128_pd(_mm_unpacklo_epi32(m.v, m.v)); }
inline f64x2 widen_high(i32x4 m) { return _mm_castsi128_pd(_mm_unpackhi_epi32(m.v, m.v)); }
// All-ones lanes where the lane's top bit is set, zero lanes elsewhere.
inline i64x2 sign_mask(i64x2 a) { return _mm_srai_epi32(_mm_shuffle_epi32(a.v, 0xF5), 31); }
// Each lane: the product of the low 32 bits of a and b, unsigned, as 64 bits.
inline i64x2 mul_lo32(i64x2 a, i64x2 b) { return _mm_mul_epu32(a.v, b.v); }
// Lane k: base[idx lane k], for indexes below 2^31.
inline f64x2 gather(const double* base, i64x2 idx) {
  const int32_t i0 = _mm_cvtsi128_si32(idx.v), i1 = _mm_cvtsi128_si32(_mm_unpackhi_epi64(idx.v, idx.v));
  return _mm_loadh_pd(_mm_load_sd(base + i0), base + i1);
}

inline i64x2 i32x4::as_i64() const { return v; }
inline i64x2 f64x2::bits() const { return _mm_castpd_si128(v); }
inline i32x4 f32x4::bits() const { return _mm_castps_si128(v); }

// Conversions. Rounding follows MXCSR, which the kernel frame keeps at round-to-nearest.
inline i32x4 round_to_i32(f32x4 a) { return _mm_cvtps_epi32(a.v); }
inline f32x4 to_f32(i32x4 a) { return _mm_cvtepi32_ps(a.v); }
inline f64x2 to_f64_low2(f32x4 a) { return _mm_cvtps_pd(a.v); }          // lanes 0, 1
inline f64x2 to_f64_high2(f32x4 a) { return _mm_cvtps_pd(_mm_movehl_ps(a.v, a.v)); }  // lanes 2, 3
// The names every width shares: the low and high halves of a float register as doubles.
inline f64x2 to_f64_low(f32x4 a) { return to_f64_low2(a); }
inline f64x2 to_f64_high(f32x4 a) { return to_f64_high2(a); }
inline f32x4 to_f32(f64x2 lo, f64x2 hi) {  // lanes lo0, lo1, hi0, hi1
  return _mm_movelh_ps(_mm_cvtpd_ps(lo.v), _mm_cvtpd_ps(hi.v));
}
inline f64x2 to_f64_low2(i32x4 a) { return _mm_cvtepi32_pd(a.v); }
// Truncation toward zero, whatever MXCSR says; out-of-range lanes give 0x80000000.
inline i32x4 trunc_to_i32(f32x4 a) { return _mm_cvttps_epi32(a.v); }
inline i32x4 trunc_to_i32(f64x2 lo, f64x2 hi) {  // lanes lo0, lo1, hi0, hi1
  return _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo.v), _mm_cvttpd_epi32(hi.v));
}

// Round to the nearest integer by adding and subtracting 1.5 * 2^52 (the shifter constant):
// after the addition the integer sits in the low mantissa bits, ready as a table index.
inline f64x2 shifter_round(f64x2 x, f64x2& shifted) {
  const f64x2 shifter = f64x2::all(6755399441055744.0);  // 0x4338000000000000
  shifted = x + shifter;
  return shifted - shifter;
}
inline f32x4 shifter_round(f32x4 x, f32x4& shifted) {
  const f32x4 shifter = f32x4::all(12582912.0f);  // 0x4B400000
  shifted = x + shifter;
  return shifted - shifter;
}

// A movemask with every lane of a register of V's type set.
template <class V>
constexpr uint32_t all_lanes() { return V::lanes == 32 ? 0xFFFFFFFFu : (1u << V::lanes) - 1u; }

// Lane k of the result is base[idx[k]], for a register V of any width: table rows picked per
// lane. Instantiated with a wider path's own register type, it is that path's own function.
template <class V, class T, class I>
__attribute__((always_inline)) inline V gather(const T* base, const I* idx) {
  alignas(64) T t[V::lanes];
  for (int k = 0; k < V::lanes; ++k) t[k] = base[idx[k]];
  return V::load(t);
}

}  // namespace zaforq::simd
