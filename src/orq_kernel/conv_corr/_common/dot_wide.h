// Wide registers for the direct convolution products: Lanes<T> of the shape the correlation
// cores are written against (see cores.h), over AVX2 with FMA (4 doubles, 8 floats) or
// AVX-512 (8 doubles, 16 floats). Products are accumulated with fused multiply-adds, and runs
// end with one masked load instead of a scalar tail.
//
// Only sources compiled for a wide instruction set include this, after defining ZAFORQ_ISA_NS
// (avx2 or avx512): every type and function here lives in that namespace, so no inline copy
// compiled with wide instructions can stand in for an SSE2 one at link time. The intrinsics
// of these paths stay in this header.
#pragma once
#if !defined(__x86_64__) || !defined(__AVX2__) || !defined(__FMA__) || !defined(ZAFORQ_ISA_NS)
#error "dot_wide.h belongs to the sources of a wide path"
#endif
#include <immintrin.h>
#include <stdint.h>

#define ZAFORQ_CC_WIDE_LANES 1

namespace zaforq::cc::ZAFORQ_ISA_NS {

template <class T>
struct Lanes;

#if defined(__AVX512F__)

struct VecD {
  __m512d v;
  VecD() = default;
  VecD(__m512d x) : v(x) {}
  void store(double* p) const { _mm512_storeu_pd(p, v); }
};
struct VecF {
  __m512 v;
  VecF() = default;
  VecF(__m512 x) : v(x) {}
  void store(float* p) const { _mm512_storeu_ps(p, v); }
};
inline VecD operator+(VecD a, VecD b) { return _mm512_add_pd(a.v, b.v); }
inline VecF operator+(VecF a, VecF b) { return _mm512_add_ps(a.v, b.v); }

// Lanes lo .. hi (inclusive; lanes outside the register ignored, empty when hi < lo) as a mask.
inline uint32_t lane_bits(int64_t lo, int64_t hi) {
  if (lo < 0) lo = 0;
  if (hi > 31) hi = 31;
  if (hi < lo) return 0;
  return static_cast<uint32_t>(((uint64_t{2} << hi) - 1) & ~((uint64_t{1} << lo) - 1));
}

// Half of a register. Through the zero-masking extraction: this compiler's unmasked forms
// pass an undefined vector that it then warns about.
template <int i>
inline __m256d half(__m512d v) {
  return _mm512_maskz_extractf64x4_pd(0xF, v, i);
}

template <>
struct Lanes<double> {
  using V = VecD;
  static constexpr int n = 8;
  static constexpr bool kSse2 = false;
  static V zero() { return _mm512_setzero_pd(); }
  static V all(double x) { return _mm512_set1_pd(x); }
  static V loadu(const double* p) { return _mm512_loadu_pd(p); }
  // Lanes lo .. hi of p (others 0); the lanes outside are not read.
  using M = __mmask8;  // a set of lanes
  static M mask(int64_t lo, int64_t hi) { return static_cast<__mmask8>(lane_bits(lo, hi)); }
  static V load_mask(const double* p, M m) { return _mm512_maskz_loadu_pd(m, p); }
  static V load_lanes(const double* p, int64_t lo, int64_t hi) { return load_mask(p, mask(lo, hi)); }
  static void store_lanes(double* p, V v, int64_t lo, int64_t hi) {
    _mm512_mask_storeu_pd(p, static_cast<__mmask8>(lane_bits(lo, hi)), v.v);
  }
  static V madd(V acc, V a, V b) { return _mm512_fmadd_pd(a.v, b.v, acc.v); }
  static double sum(V v) {  // halves folded: 8 -> 4 -> 2 -> 1
    const __m256d h = _mm256_add_pd(half<0>(v.v), half<1>(v.v));
    const __m128d q = _mm_add_pd(_mm256_castpd256_pd128(h), _mm256_extractf128_pd(h, 1));
    return _mm_cvtsd_f64(_mm_add_sd(q, _mm_unpackhi_pd(q, q)));
  }
};

template <>
struct Lanes<float> {
  using V = VecF;
  static constexpr int n = 16;
  static constexpr bool kSse2 = false;
  static V zero() { return _mm512_setzero_ps(); }
  static V all(float x) { return _mm512_set1_ps(x); }
  static V loadu(const float* p) { return _mm512_loadu_ps(p); }
  using M = __mmask16;
  static M mask(int64_t lo, int64_t hi) { return static_cast<__mmask16>(lane_bits(lo, hi)); }
  static V load_mask(const float* p, M m) { return _mm512_maskz_loadu_ps(m, p); }
  static V load_lanes(const float* p, int64_t lo, int64_t hi) { return load_mask(p, mask(lo, hi)); }
  static void store_lanes(float* p, V v, int64_t lo, int64_t hi) {
    _mm512_mask_storeu_ps(p, static_cast<__mmask16>(lane_bits(lo, hi)), v.v);
  }
  static V madd(V acc, V a, V b) { return _mm512_fmadd_ps(a.v, b.v, acc.v); }
  static float sum(V v) {  // halves folded: 16 -> 8 -> 4 -> 2 -> 1
    const __m256 h = _mm256_add_ps(_mm256_castpd_ps(half<0>(_mm512_castps_pd(v.v))),
                                   _mm256_castpd_ps(half<1>(_mm512_castps_pd(v.v))));
    __m128 q = _mm_add_ps(_mm256_castps256_ps128(h), _mm256_extractf128_ps(h, 1));
    q = _mm_add_ps(q, _mm_movehl_ps(q, q));
    return _mm_cvtss_f32(_mm_add_ss(q, _mm_shuffle_ps(q, q, 1)));
  }
};

#else  // AVX2 and FMA

struct VecD {
  __m256d v;
  VecD() = default;
  VecD(__m256d x) : v(x) {}
  void store(double* p) const { _mm256_storeu_pd(p, v); }
};
struct VecF {
  __m256 v;
  VecF() = default;
  VecF(__m256 x) : v(x) {}
  void store(float* p) const { _mm256_storeu_ps(p, v); }
};
inline VecD operator+(VecD a, VecD b) { return _mm256_add_pd(a.v, b.v); }
inline VecF operator+(VecF a, VecF b) { return _mm256_add_ps(a.v, b.v); }

// All-ones in the 64-bit lanes lo .. hi (inclusive), zero elsewhere.
inline __m256i lane_mask64(int64_t lo, int64_t hi) {
  const __m256i j = _mm256_setr_epi64x(0, 1, 2, 3);
  return _mm256_andnot_si256(_mm256_cmpgt_epi64(_mm256_set1_epi64x(lo), j),
                             _mm256_cmpgt_epi64(_mm256_set1_epi64x(hi + 1), j));
}
inline __m256i lane_mask32(int64_t lo, int64_t hi) {
  const __m256i j = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const int32_t l = static_cast<int32_t>(lo < -1 ? -1 : lo), h = static_cast<int32_t>(hi > 8 ? 8 : hi);
  return _mm256_andnot_si256(_mm256_cmpgt_epi32(_mm256_set1_epi32(l), j),
                             _mm256_cmpgt_epi32(_mm256_set1_epi32(h + 1), j));
}

template <>
struct Lanes<double> {
  using V = VecD;
  static constexpr int n = 4;
  static constexpr bool kSse2 = false;
  static V zero() { return _mm256_setzero_pd(); }
  static V all(double x) { return _mm256_set1_pd(x); }
  static V loadu(const double* p) { return _mm256_loadu_pd(p); }
  using M = __m256i;
  static M mask(int64_t lo, int64_t hi) { return lane_mask64(lo, hi); }
  static V load_mask(const double* p, M m) { return _mm256_maskload_pd(p, m); }
  static V load_lanes(const double* p, int64_t lo, int64_t hi) { return load_mask(p, mask(lo, hi)); }
  static void store_lanes(double* p, V v, int64_t lo, int64_t hi) {
    _mm256_maskstore_pd(p, lane_mask64(lo, hi), v.v);
  }
  static V madd(V acc, V a, V b) { return _mm256_fmadd_pd(a.v, b.v, acc.v); }
  static double sum(V v) {  // halves folded: 4 -> 2 -> 1
    const __m128d q = _mm_add_pd(_mm256_castpd256_pd128(v.v), _mm256_extractf128_pd(v.v, 1));
    return _mm_cvtsd_f64(_mm_add_sd(q, _mm_unpackhi_pd(q, q)));
  }
};

template <>
struct Lanes<float> {
  using V = VecF;
  static constexpr int n = 8;
  static constexpr bool kSse2 = false;
  static V zero() { return _mm256_setzero_ps(); }
  static V all(float x) { return _mm256_set1_ps(x); }
  static V loadu(const float* p) { return _mm256_loadu_ps(p); }
  using M = __m256i;
  static M mask(int64_t lo, int64_t hi) { return lane_mask32(lo, hi); }
  static V load_mask(const float* p, M m) { return _mm256_maskload_ps(p, m); }
  static V load_lanes(const float* p, int64_t lo, int64_t hi) { return load_mask(p, mask(lo, hi)); }
  static void store_lanes(float* p, V v, int64_t lo, int64_t hi) { _mm256_maskstore_ps(p, lane_mask32(lo, hi), v.v); }
  static V madd(V acc, V a, V b) { return _mm256_fmadd_ps(a.v, b.v, acc.v); }
  static float sum(V v) {  // halves folded: 8 -> 4 -> 2 -> 1
    __m128 q = _mm_add_ps(_mm256_castps256_ps128(v.v), _mm256_extractf128_ps(v.v, 1));
    q = _mm_add_ps(q, _mm_movehl_ps(q, q));
    return _mm_cvtss_f32(_mm_add_ss(q, _mm_shuffle_ps(q, q, 1)));
  }
};

#endif

}  // namespace zaforq::cc::ZAFORQ_ISA_NS
