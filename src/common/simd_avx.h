// The value types of simd.h at wider register widths, with the same names and operations, so
// that a vector-math core written as a template over its register type compiles unchanged for
// two, four or eight doubles:
//   AVX2:    f64x4, f32x8, i32x8, i64x4
//   AVX-512: f64x8, f32x16, i32x16, i64x8
// Each operation rounds exactly as its SSE2 counterpart does lane by lane (no fused operations,
// and the reciprocal estimates come from the same 12-bit instructions), so a kernel gives the
// same bits on every path. Comparisons return all-ones lanes as in SSE2, also on AVX-512, where
// they pass through the mask registers.
//
// Every inline function here lands in the path's own namespace (ZAFORQ_ISA_NS, set by the
// source before including), so the linker never hands a wider copy to SSE2 code.
#pragma once
#ifndef ZAFORQ_ISA_NS
#error "define ZAFORQ_ISA_NS (the path's namespace) before including simd_avx.h"
#endif
#include <immintrin.h>
#include <stdint.h>

#include "common/simd.h"

namespace zaforq::simd::ZAFORQ_ISA_NS {

#if defined(__AVX2__)

struct i32x8;
struct i64x4;
struct f32x8;

struct f64x4 {
  using f32 = f32x8;  // the float register of the same width
  using i32 = i32x8;
  using i64 = i64x4;
  static constexpr int lanes = 4;
  __m256d v;
  f64x4() = default;
  constexpr f64x4(__m256d x) : v(x) {}
  static f64x4 all(double x) { return _mm256_set1_pd(x); }
  static f64x4 load(const double* p) { return _mm256_loadu_pd(p); }
  static f64x4 load_aligned(const double* p) { return _mm256_load_pd(p); }
  static f64x4 set_lanes(const double* p) { return _mm256_set_pd(p[3], p[2], p[1], p[0]); }
  void store(double* p) const { _mm256_storeu_pd(p, v); }
  i64x4 bits() const;
};
inline f64x4 operator+(f64x4 a, f64x4 b) { return _mm256_add_pd(a.v, b.v); }
inline f64x4 operator-(f64x4 a, f64x4 b) { return _mm256_sub_pd(a.v, b.v); }
inline f64x4 operator*(f64x4 a, f64x4 b) { return _mm256_mul_pd(a.v, b.v); }
inline f64x4 operator/(f64x4 a, f64x4 b) { return _mm256_div_pd(a.v, b.v); }
inline f64x4 operator-(f64x4 a) { return _mm256_xor_pd(a.v, _mm256_set1_pd(-0.0)); }
inline f64x4 operator&(f64x4 a, f64x4 b) { return _mm256_and_pd(a.v, b.v); }
inline f64x4 operator|(f64x4 a, f64x4 b) { return _mm256_or_pd(a.v, b.v); }
inline f64x4 operator^(f64x4 a, f64x4 b) { return _mm256_xor_pd(a.v, b.v); }
inline f64x4 andnot(f64x4 mask, f64x4 a) { return _mm256_andnot_pd(mask.v, a.v); }
inline f64x4 min(f64x4 a, f64x4 b) { return _mm256_min_pd(a.v, b.v); }
inline f64x4 max(f64x4 a, f64x4 b) { return _mm256_max_pd(a.v, b.v); }
inline f64x4 sqrt(f64x4 a) { return _mm256_sqrt_pd(a.v); }
inline f64x4 abs(f64x4 a) { return andnot(f64x4::all(-0.0), a); }
inline f64x4 operator<(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_LT_OS); }
inline f64x4 operator<=(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_LE_OS); }
inline f64x4 operator>(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_GT_OS); }
inline f64x4 operator>=(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_GE_OS); }
inline f64x4 operator==(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_EQ_OQ); }
inline f64x4 operator!=(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_NEQ_UQ); }
inline f64x4 unordered(f64x4 a, f64x4 b) { return _mm256_cmp_pd(a.v, b.v, _CMP_UNORD_Q); }
inline f64x4 select(f64x4 mask, f64x4 a, f64x4 b) { return _mm256_blendv_pd(b.v, a.v, mask.v); }
inline uint32_t movemask(f64x4 m) { return static_cast<uint32_t>(_mm256_movemask_pd(m.v)); }

struct f32x8 {
  using f64 = f64x4;  // the double register of the same width (half the lanes)
  using i32 = i32x8;
  static constexpr int lanes = 8;
  __m256 v;
  f32x8() = default;
  constexpr f32x8(__m256 x) : v(x) {}
  static f32x8 all(float x) { return _mm256_set1_ps(x); }
  static f32x8 load(const float* p) { return _mm256_loadu_ps(p); }
  static f32x8 load_aligned(const float* p) { return _mm256_load_ps(p); }
  void store(float* p) const { _mm256_storeu_ps(p, v); }
  i32x8 bits() const;
};
inline f32x8 operator+(f32x8 a, f32x8 b) { return _mm256_add_ps(a.v, b.v); }
inline f32x8 operator-(f32x8 a, f32x8 b) { return _mm256_sub_ps(a.v, b.v); }
inline f32x8 operator*(f32x8 a, f32x8 b) { return _mm256_mul_ps(a.v, b.v); }
inline f32x8 operator/(f32x8 a, f32x8 b) { return _mm256_div_ps(a.v, b.v); }
inline f32x8 operator-(f32x8 a) { return _mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f)); }
inline f32x8 operator&(f32x8 a, f32x8 b) { return _mm256_and_ps(a.v, b.v); }
inline f32x8 operator|(f32x8 a, f32x8 b) { return _mm256_or_ps(a.v, b.v); }
inline f32x8 operator^(f32x8 a, f32x8 b) { return _mm256_xor_ps(a.v, b.v); }
inline f32x8 andnot(f32x8 mask, f32x8 a) { return _mm256_andnot_ps(mask.v, a.v); }
inline f32x8 min(f32x8 a, f32x8 b) { return _mm256_min_ps(a.v, b.v); }
inline f32x8 max(f32x8 a, f32x8 b) { return _mm256_max_ps(a.v, b.v); }
inline f32x8 sqrt(f32x8 a) { return _mm256_sqrt_ps(a.v); }
inline f32x8 rcp_estimate(f32x8 a) { return _mm256_rcp_ps(a.v); }
inline f32x8 rsqrt_estimate(f32x8 a) { return _mm256_rsqrt_ps(a.v); }
inline f32x8 abs(f32x8 a) { return andnot(f32x8::all(-0.0f), a); }
inline f32x8 operator<(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_LT_OS); }
inline f32x8 operator<=(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_LE_OS); }
inline f32x8 operator>(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_GT_OS); }
inline f32x8 operator>=(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_GE_OS); }
inline f32x8 operator==(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ); }
inline f32x8 operator!=(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_NEQ_UQ); }
inline f32x8 unordered(f32x8 a, f32x8 b) { return _mm256_cmp_ps(a.v, b.v, _CMP_UNORD_Q); }
inline f32x8 select(f32x8 mask, f32x8 a, f32x8 b) { return _mm256_blendv_ps(b.v, a.v, mask.v); }
inline uint32_t movemask(f32x8 m) { return static_cast<uint32_t>(_mm256_movemask_ps(m.v)); }

struct i32x8 {
  static constexpr int lanes = 8;
  __m256i v;
  i32x8() = default;
  constexpr i32x8(__m256i x) : v(x) {}
  static i32x8 all(int32_t x) { return _mm256_set1_epi32(x); }
  static i32x8 load(const int32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  void store(int32_t* p) const { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  f32x8 as_f32() const { return _mm256_castsi256_ps(v); }
  f64x4 as_f64() const { return _mm256_castsi256_pd(v); }
  i64x4 as_i64() const;
};
inline i32x8 operator+(i32x8 a, i32x8 b) { return _mm256_add_epi32(a.v, b.v); }
inline i32x8 operator-(i32x8 a, i32x8 b) { return _mm256_sub_epi32(a.v, b.v); }
inline i32x8 operator&(i32x8 a, i32x8 b) { return _mm256_and_si256(a.v, b.v); }
inline i32x8 operator|(i32x8 a, i32x8 b) { return _mm256_or_si256(a.v, b.v); }
inline i32x8 operator^(i32x8 a, i32x8 b) { return _mm256_xor_si256(a.v, b.v); }
inline i32x8 andnot(i32x8 mask, i32x8 a) { return _mm256_andnot_si256(mask.v, a.v); }
inline i32x8 operator==(i32x8 a, i32x8 b) { return _mm256_cmpeq_epi32(a.v, b.v); }
inline i32x8 operator>(i32x8 a, i32x8 b) { return _mm256_cmpgt_epi32(a.v, b.v); }
inline i32x8 operator<(i32x8 a, i32x8 b) { return _mm256_cmpgt_epi32(b.v, a.v); }
template <int k> inline i32x8 shl(i32x8 a) { return _mm256_slli_epi32(a.v, k); }
template <int k> inline i32x8 shr(i32x8 a) { return _mm256_srli_epi32(a.v, k); }
template <int k> inline i32x8 sar(i32x8 a) { return _mm256_srai_epi32(a.v, k); }
inline i32x8 select(i32x8 mask, i32x8 a, i32x8 b) { return _mm256_blendv_epi8(b.v, a.v, mask.v); }
inline uint32_t movemask(i32x8 m) { return movemask(m.as_f32()); }

struct i64x4 {
  static constexpr int lanes = 4;
  __m256i v;
  i64x4() = default;
  constexpr i64x4(__m256i x) : v(x) {}
  static i64x4 all(int64_t x) { return _mm256_set1_epi64x(x); }
  static i64x4 load(const int64_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static i64x4 set_lanes(const int64_t* p) { return _mm256_set_epi64x(p[3], p[2], p[1], p[0]); }
  void store(int64_t* p) const { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
  f64x4 as_f64() const { return _mm256_castsi256_pd(v); }
  i32x8 as_i32() const { return v; }
};
inline i64x4 operator+(i64x4 a, i64x4 b) { return _mm256_add_epi64(a.v, b.v); }
inline i64x4 operator-(i64x4 a, i64x4 b) { return _mm256_sub_epi64(a.v, b.v); }
inline i64x4 operator&(i64x4 a, i64x4 b) { return _mm256_and_si256(a.v, b.v); }
inline i64x4 operator|(i64x4 a, i64x4 b) { return _mm256_or_si256(a.v, b.v); }
inline i64x4 operator^(i64x4 a, i64x4 b) { return _mm256_xor_si256(a.v, b.v); }
template <int k> inline i64x4 shl(i64x4 a) { return _mm256_slli_epi64(a.v, k); }
template <int k> inline i64x4 shr(i64x4 a) { return _mm256_srli_epi64(a.v, k); }
inline i64x4 sign_mask(i64x4 a) { return _mm256_srai_epi32(_mm256_shuffle_epi32(a.v, 0xF5), 31); }
inline i64x4 mul_lo32(i64x4 a, i64x4 b) { return _mm256_mul_epu32(a.v, b.v); }
inline f64x4 gather(const double* base, i64x4 idx) { return _mm256_i64gather_pd(base, idx.v, 8); }
// Four columns of the four-double rows base + idx[k] (any alignment), lane k from row k:
// whole-row loads and a transposition, which beat four gathers.
inline void gather_rows4(const double* base, i64x4 idx, f64x4& c0, f64x4& c1, f64x4& c2, f64x4& c3) {
  alignas(32) int64_t j[4];
  idx.store(j);
  const __m256d r0 = _mm256_loadu_pd(base + j[0]), r1 = _mm256_loadu_pd(base + j[1]);
  const __m256d r2 = _mm256_loadu_pd(base + j[2]), r3 = _mm256_loadu_pd(base + j[3]);
  const __m256d a = _mm256_unpacklo_pd(r0, r1), b = _mm256_unpackhi_pd(r0, r1);  // 00 10 02 12 | 01 11 03 13
  const __m256d c = _mm256_unpacklo_pd(r2, r3), d = _mm256_unpackhi_pd(r2, r3);
  c0 = _mm256_permute2f128_pd(a, c, 0x20), c2 = _mm256_permute2f128_pd(a, c, 0x31);
  c1 = _mm256_permute2f128_pd(b, d, 0x20), c3 = _mm256_permute2f128_pd(b, d, 0x31);
}

inline i64x4 i32x8::as_i64() const { return v; }
inline i64x4 f64x4::bits() const { return _mm256_castpd_si256(v); }
inline i32x8 f32x8::bits() const { return _mm256_castps_si256(v); }

inline i32x8 round_to_i32(f32x8 a) { return _mm256_cvtps_epi32(a.v); }
inline i32x8 trunc_to_i32(f32x8 a) { return _mm256_cvttps_epi32(a.v); }
inline f32x8 to_f32(i32x8 a) { return _mm256_cvtepi32_ps(a.v); }
inline f64x4 to_f64_low(f32x8 a) { return _mm256_cvtps_pd(_mm256_castps256_ps128(a.v)); }
inline f64x4 to_f64_high(f32x8 a) { return _mm256_cvtps_pd(_mm256_extractf128_ps(a.v, 1)); }
inline f32x8 to_f32(f64x4 lo, f64x4 hi) { return _mm256_set_m128(_mm256_cvtpd_ps(hi.v), _mm256_cvtpd_ps(lo.v)); }
inline f64x4 to_f64_low(i32x8 a) { return _mm256_cvtepi32_pd(_mm256_castsi256_si128(a.v)); }
inline f64x4 to_f64_high(i32x8 a) { return _mm256_cvtepi32_pd(_mm256_extracti128_si256(a.v, 1)); }
inline f64x4 widen_low(i32x8 m) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_castsi256_si128(m.v))); }
inline f64x4 widen_high(i32x8 m) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_extracti128_si256(m.v, 1))); }
inline i32x8 trunc_to_i32(f64x4 lo, f64x4 hi) {
  return _mm256_set_m128i(_mm256_cvttpd_epi32(hi.v), _mm256_cvttpd_epi32(lo.v));
}

#endif  // __AVX2__

#if defined(__AVX512F__)

struct i32x16;
struct i64x8;
struct f32x16;

namespace detail512 {
// Comparison masks become all-ones lanes, and lanes back into masks by their sign bits, as in
// SSE2 code, so that masks combine with the bitwise operators.
inline __m512d lanes_of(__mmask8 k) { return _mm512_castsi512_pd(_mm512_movm_epi64(k)); }
inline __m512 lanes_of(__mmask16 k) { return _mm512_castsi512_ps(_mm512_movm_epi32(k)); }
inline __mmask8 mask_of(__m512d m) { return _mm512_movepi64_mask(_mm512_castpd_si512(m)); }
inline __mmask16 mask_of(__m512 m) { return _mm512_movepi32_mask(_mm512_castps_si512(m)); }
}  // namespace detail512

struct f64x8 {
  using f32 = f32x16;
  using i32 = i32x16;
  using i64 = i64x8;
  static constexpr int lanes = 8;
  __m512d v;
  f64x8() = default;
  constexpr f64x8(__m512d x) : v(x) {}
  static f64x8 all(double x) { return _mm512_set1_pd(x); }
  static f64x8 load(const double* p) { return _mm512_loadu_pd(p); }
  static f64x8 load_aligned(const double* p) { return _mm512_load_pd(p); }
  static f64x8 set_lanes(const double* p) { return _mm512_set_pd(p[7], p[6], p[5], p[4], p[3], p[2], p[1], p[0]); }
  void store(double* p) const { _mm512_storeu_pd(p, v); }
  i64x8 bits() const;
};
inline f64x8 operator+(f64x8 a, f64x8 b) { return _mm512_add_pd(a.v, b.v); }
inline f64x8 operator-(f64x8 a, f64x8 b) { return _mm512_sub_pd(a.v, b.v); }
inline f64x8 operator*(f64x8 a, f64x8 b) { return _mm512_mul_pd(a.v, b.v); }
inline f64x8 operator/(f64x8 a, f64x8 b) { return _mm512_div_pd(a.v, b.v); }
inline f64x8 operator-(f64x8 a) { return _mm512_xor_pd(a.v, _mm512_set1_pd(-0.0)); }
inline f64x8 operator&(f64x8 a, f64x8 b) { return _mm512_and_pd(a.v, b.v); }
inline f64x8 operator|(f64x8 a, f64x8 b) { return _mm512_or_pd(a.v, b.v); }
inline f64x8 operator^(f64x8 a, f64x8 b) { return _mm512_xor_pd(a.v, b.v); }
inline f64x8 andnot(f64x8 mask, f64x8 a) { return _mm512_andnot_pd(mask.v, a.v); }
inline f64x8 min(f64x8 a, f64x8 b) { return _mm512_min_pd(a.v, b.v); }
inline f64x8 max(f64x8 a, f64x8 b) { return _mm512_max_pd(a.v, b.v); }
inline f64x8 sqrt(f64x8 a) { return _mm512_sqrt_pd(a.v); }
inline f64x8 abs(f64x8 a) { return andnot(f64x8::all(-0.0), a); }
inline f64x8 operator<(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_LT_OS)); }
inline f64x8 operator<=(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_LE_OS)); }
inline f64x8 operator>(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_GT_OS)); }
inline f64x8 operator>=(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_GE_OS)); }
inline f64x8 operator==(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_EQ_OQ)); }
inline f64x8 operator!=(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_NEQ_UQ)); }
inline f64x8 unordered(f64x8 a, f64x8 b) { return detail512::lanes_of(_mm512_cmp_pd_mask(a.v, b.v, _CMP_UNORD_Q)); }
inline f64x8 select(f64x8 mask, f64x8 a, f64x8 b) { return _mm512_mask_blend_pd(detail512::mask_of(mask.v), b.v, a.v); }
inline uint32_t movemask(f64x8 m) { return detail512::mask_of(m.v); }

struct f32x16 {
  using f64 = f64x8;
  using i32 = i32x16;
  static constexpr int lanes = 16;
  __m512 v;
  f32x16() = default;
  constexpr f32x16(__m512 x) : v(x) {}
  static f32x16 all(float x) { return _mm512_set1_ps(x); }
  static f32x16 load(const float* p) { return _mm512_loadu_ps(p); }
  static f32x16 load_aligned(const float* p) { return _mm512_load_ps(p); }
  void store(float* p) const { _mm512_storeu_ps(p, v); }
  i32x16 bits() const;
};
inline f32x16 operator+(f32x16 a, f32x16 b) { return _mm512_add_ps(a.v, b.v); }
inline f32x16 operator-(f32x16 a, f32x16 b) { return _mm512_sub_ps(a.v, b.v); }
inline f32x16 operator*(f32x16 a, f32x16 b) { return _mm512_mul_ps(a.v, b.v); }
inline f32x16 operator/(f32x16 a, f32x16 b) { return _mm512_div_ps(a.v, b.v); }
inline f32x16 operator-(f32x16 a) { return _mm512_xor_ps(a.v, _mm512_set1_ps(-0.0f)); }
inline f32x16 operator&(f32x16 a, f32x16 b) { return _mm512_and_ps(a.v, b.v); }
inline f32x16 operator|(f32x16 a, f32x16 b) { return _mm512_or_ps(a.v, b.v); }
inline f32x16 operator^(f32x16 a, f32x16 b) { return _mm512_xor_ps(a.v, b.v); }
inline f32x16 andnot(f32x16 mask, f32x16 a) { return _mm512_andnot_ps(mask.v, a.v); }
inline f32x16 min(f32x16 a, f32x16 b) { return _mm512_min_ps(a.v, b.v); }
inline f32x16 max(f32x16 a, f32x16 b) { return _mm512_max_ps(a.v, b.v); }
inline f32x16 sqrt(f32x16 a) { return _mm512_sqrt_ps(a.v); }
// The 12-bit estimates of SSE and AVX, half a register at a time: AVX-512's own estimates
// have 14 bits and would round differently from the other paths.
inline f32x16 rcp_estimate(f32x16 a) {
  const __m256 lo = _mm256_rcp_ps(_mm512_castps512_ps256(a.v));
  const __m256 hi = _mm256_rcp_ps(_mm512_extractf32x8_ps(a.v, 1));
  return _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
}
inline f32x16 rsqrt_estimate(f32x16 a) {
  const __m256 lo = _mm256_rsqrt_ps(_mm512_castps512_ps256(a.v));
  const __m256 hi = _mm256_rsqrt_ps(_mm512_extractf32x8_ps(a.v, 1));
  return _mm512_insertf32x8(_mm512_castps256_ps512(lo), hi, 1);
}
inline f32x16 abs(f32x16 a) { return andnot(f32x16::all(-0.0f), a); }
inline f32x16 operator<(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_LT_OS)); }
inline f32x16 operator<=(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_LE_OS)); }
inline f32x16 operator>(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_GT_OS)); }
inline f32x16 operator>=(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_GE_OS)); }
inline f32x16 operator==(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_EQ_OQ)); }
inline f32x16 operator!=(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_NEQ_UQ)); }
inline f32x16 unordered(f32x16 a, f32x16 b) { return detail512::lanes_of(_mm512_cmp_ps_mask(a.v, b.v, _CMP_UNORD_Q)); }
inline f32x16 select(f32x16 mask, f32x16 a, f32x16 b) { return _mm512_mask_blend_ps(detail512::mask_of(mask.v), b.v, a.v); }
inline uint32_t movemask(f32x16 m) { return detail512::mask_of(m.v); }

struct i32x16 {
  static constexpr int lanes = 16;
  __m512i v;
  i32x16() = default;
  constexpr i32x16(__m512i x) : v(x) {}
  static i32x16 all(int32_t x) { return _mm512_set1_epi32(x); }
  static i32x16 load(const int32_t* p) { return _mm512_loadu_si512(p); }
  void store(int32_t* p) const { _mm512_storeu_si512(p, v); }
  f32x16 as_f32() const { return _mm512_castsi512_ps(v); }
  f64x8 as_f64() const { return _mm512_castsi512_pd(v); }
  i64x8 as_i64() const;
};
inline i32x16 operator+(i32x16 a, i32x16 b) { return _mm512_add_epi32(a.v, b.v); }
inline i32x16 operator-(i32x16 a, i32x16 b) { return _mm512_sub_epi32(a.v, b.v); }
inline i32x16 operator&(i32x16 a, i32x16 b) { return _mm512_and_si512(a.v, b.v); }
inline i32x16 operator|(i32x16 a, i32x16 b) { return _mm512_or_si512(a.v, b.v); }
inline i32x16 operator^(i32x16 a, i32x16 b) { return _mm512_xor_si512(a.v, b.v); }
inline i32x16 andnot(i32x16 mask, i32x16 a) { return _mm512_andnot_si512(mask.v, a.v); }
inline i32x16 operator==(i32x16 a, i32x16 b) { return _mm512_movm_epi32(_mm512_cmpeq_epi32_mask(a.v, b.v)); }
inline i32x16 operator>(i32x16 a, i32x16 b) { return _mm512_movm_epi32(_mm512_cmpgt_epi32_mask(a.v, b.v)); }
inline i32x16 operator<(i32x16 a, i32x16 b) { return _mm512_movm_epi32(_mm512_cmplt_epi32_mask(a.v, b.v)); }
template <int k> inline i32x16 shl(i32x16 a) { return _mm512_slli_epi32(a.v, k); }
template <int k> inline i32x16 shr(i32x16 a) { return _mm512_srli_epi32(a.v, k); }
template <int k> inline i32x16 sar(i32x16 a) { return _mm512_srai_epi32(a.v, k); }
inline i32x16 select(i32x16 mask, i32x16 a, i32x16 b) {
  return _mm512_mask_blend_epi32(_mm512_movepi32_mask(mask.v), b.v, a.v);
}
inline uint32_t movemask(i32x16 m) { return _mm512_movepi32_mask(m.v); }

struct i64x8 {
  static constexpr int lanes = 8;
  __m512i v;
  i64x8() = default;
  constexpr i64x8(__m512i x) : v(x) {}
  static i64x8 all(int64_t x) { return _mm512_set1_epi64(x); }
  static i64x8 load(const int64_t* p) { return _mm512_loadu_si512(p); }
  static i64x8 set_lanes(const int64_t* p) { return _mm512_set_epi64(p[7], p[6], p[5], p[4], p[3], p[2], p[1], p[0]); }
  void store(int64_t* p) const { _mm512_storeu_si512(p, v); }
  f64x8 as_f64() const { return _mm512_castsi512_pd(v); }
  i32x16 as_i32() const { return v; }
};
inline i64x8 operator+(i64x8 a, i64x8 b) { return _mm512_add_epi64(a.v, b.v); }
inline i64x8 operator-(i64x8 a, i64x8 b) { return _mm512_sub_epi64(a.v, b.v); }
inline i64x8 operator&(i64x8 a, i64x8 b) { return _mm512_and_si512(a.v, b.v); }
inline i64x8 operator|(i64x8 a, i64x8 b) { return _mm512_or_si512(a.v, b.v); }
inline i64x8 operator^(i64x8 a, i64x8 b) { return _mm512_xor_si512(a.v, b.v); }
template <int k> inline i64x8 shl(i64x8 a) { return _mm512_slli_epi64(a.v, k); }
template <int k> inline i64x8 shr(i64x8 a) { return _mm512_srli_epi64(a.v, k); }
inline i64x8 sign_mask(i64x8 a) { return _mm512_srai_epi64(a.v, 63); }
inline i64x8 mul_lo32(i64x8 a, i64x8 b) { return _mm512_mul_epu32(a.v, b.v); }
inline f64x8 gather(const double* base, i64x8 idx) { return _mm512_i64gather_pd(idx.v, base, 8); }
inline void gather_rows4(const double* base, i64x8 idx, f64x8& c0, f64x8& c1, f64x8& c2, f64x8& c3) {
  alignas(64) int64_t j[8];
  idx.store(j);
  // Rows k and k + 4 share a register: lanes 0-3 row k, lanes 4-7 row k + 4.
  __m512d r[4];
  for (int k = 0; k < 4; ++k)
    r[k] = _mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_loadu_pd(base + j[k])), _mm256_loadu_pd(base + j[k + 4]), 1);
  const __m512d a = _mm512_unpacklo_pd(r[0], r[1]), b = _mm512_unpackhi_pd(r[0], r[1]);
  const __m512d c = _mm512_unpacklo_pd(r[2], r[3]), d = _mm512_unpackhi_pd(r[2], r[3]);
  // a: 00 10 02 12 | 40 50 42 52; c: 20 30 22 32 | 60 70 62 72 (row, column)
  const __m512i lo = _mm512_set_epi64(13, 12, 5, 4, 9, 8, 1, 0), hi = _mm512_set_epi64(15, 14, 7, 6, 11, 10, 3, 2);
  c0 = _mm512_permutex2var_pd(a, lo, c), c2 = _mm512_permutex2var_pd(a, hi, c);
  c1 = _mm512_permutex2var_pd(b, lo, d), c3 = _mm512_permutex2var_pd(b, hi, d);
}

inline i64x8 i32x16::as_i64() const { return v; }
inline i64x8 f64x8::bits() const { return _mm512_castpd_si512(v); }
inline i32x16 f32x16::bits() const { return _mm512_castps_si512(v); }

inline i32x16 round_to_i32(f32x16 a) { return _mm512_cvtps_epi32(a.v); }
inline i32x16 trunc_to_i32(f32x16 a) { return _mm512_cvttps_epi32(a.v); }
inline f32x16 to_f32(i32x16 a) { return _mm512_cvtepi32_ps(a.v); }
inline f64x8 to_f64_low(f32x16 a) { return _mm512_cvtps_pd(_mm512_castps512_ps256(a.v)); }
inline f64x8 to_f64_high(f32x16 a) { return _mm512_cvtps_pd(_mm512_extractf32x8_ps(a.v, 1)); }
inline f32x16 to_f32(f64x8 lo, f64x8 hi) {
  return _mm512_insertf32x8(_mm512_castps256_ps512(_mm512_cvtpd_ps(lo.v)), _mm512_cvtpd_ps(hi.v), 1);
}
inline f64x8 to_f64_low(i32x16 a) { return _mm512_cvtepi32_pd(_mm512_castsi512_si256(a.v)); }
inline f64x8 to_f64_high(i32x16 a) { return _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(a.v, 1)); }
inline f64x8 widen_low(i32x16 m) { return _mm512_castsi512_pd(_mm512_cvtepi32_epi64(_mm512_castsi512_si256(m.v))); }
inline f64x8 widen_high(i32x16 m) { return _mm512_castsi512_pd(_mm512_cvtepi32_epi64(_mm512_extracti64x4_epi64(m.v, 1))); }
inline i32x16 trunc_to_i32(f64x8 lo, f64x8 hi) {
  return _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epi32(lo.v)), _mm512_cvttpd_epi32(hi.v), 1);
}

#endif  // __AVX512F__

}  // namespace zaforq::simd::ZAFORQ_ISA_NS
