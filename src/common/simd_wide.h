// Width-templated SIMD value types: vec<T, N> holds N lanes of float or double. One algorithm
// written against them is compiled once per instruction-set path, each source defining
// ZAFORQ_ISA_NS (sse2, avx2, avx512) before including this header, so that every inline
// function lands in a namespace of its own path: the linker can then never hand an SSE2 caller
// the copy compiled for a wider instruction set.
//
// Widths available: SSE2 vec<double, 2> and vec<float, 4> everywhere; with AVX2 also
// vec<double, 4> and vec<float, 8>; with AVX-512 also vec<double, 8> and vec<float, 16>.
// fmadd / fmsub are fused where the path has FMA, and a product followed by a sum otherwise,
// which keeps the SSE2 path's rounding exactly that of plain SSE2 code.
//
// Besides arithmetic, the types know the two memory layouts of the FFT:
// - interleaved pairs (re, im, re, im, ...): load_pairs / store_pairs split and merge them;
// - split groups (four real parts, then four imaginary parts): load_groups / store_groups read
//   N values standing in runs of four at a fixed distance (N <= 4: one run).
#pragma once
#ifndef ZAFORQ_ISA_NS
#error "define ZAFORQ_ISA_NS (the path's namespace) before including simd_wide.h"
#endif
#include <stddef.h>

#include <immintrin.h>

namespace zaforq::simd::ZAFORQ_ISA_NS {

template <class T, int N>
struct vec;

// ---- SSE2: two doubles, four floats ----------------------------------------------------------
template <>
struct vec<double, 2> {
  using T = double;
  static constexpr int N = 2;
  using half = vec;
  __m128d v;
  static vec all(double x) { return {_mm_set1_pd(x)}; }
  static vec load(const double* p) { return {_mm_loadu_pd(p)}; }
  void store(double* p) const { _mm_storeu_pd(p, v); }
  static vec load_groups(const double* p, size_t) { return load(p); }
  void store_groups(double* p, size_t) const { store(p); }
  __attribute__((always_inline)) static void load_pairs(const double* p, vec& re, vec& im) {
    const __m128d a = _mm_loadu_pd(p), b = _mm_loadu_pd(p + 2);
    re.v = _mm_unpacklo_pd(a, b), im.v = _mm_unpackhi_pd(a, b);
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, double* p) {
    _mm_storeu_pd(p, _mm_unpacklo_pd(re.v, im.v));
    _mm_storeu_pd(p + 2, _mm_unpackhi_pd(re.v, im.v));
  }
  vec reversed() const { return {_mm_shuffle_pd(v, v, 1)}; }
  // The complex values at complex offsets o[0 .. N-1] of p, one per lane.
  __attribute__((always_inline)) static void gather_pairs(const double* p, const size_t* o, vec& re, vec& im) {
    const __m128d a = _mm_loadu_pd(p + 2 * o[0]), b = _mm_loadu_pd(p + 2 * o[1]);
    re.v = _mm_unpacklo_pd(a, b), im.v = _mm_unpackhi_pd(a, b);
  }
  // dst[b][k] = x_k lane b for b < valid, k = 0 .. 3 (lanes of four vectors into runs of four).
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, double* const* dst, size_t valid) {
    _mm_storeu_pd(dst[0], _mm_unpacklo_pd(x0.v, x1.v));
    _mm_storeu_pd(dst[0] + 2, _mm_unpacklo_pd(x2.v, x3.v));
    if (valid < 2) return;
    _mm_storeu_pd(dst[1], _mm_unpackhi_pd(x0.v, x1.v));
    _mm_storeu_pd(dst[1] + 2, _mm_unpackhi_pd(x2.v, x3.v));
  }
};
inline vec<double, 2> operator+(vec<double, 2> a, vec<double, 2> b) { return {_mm_add_pd(a.v, b.v)}; }
inline vec<double, 2> operator-(vec<double, 2> a, vec<double, 2> b) { return {_mm_sub_pd(a.v, b.v)}; }
inline vec<double, 2> operator*(vec<double, 2> a, vec<double, 2> b) { return {_mm_mul_pd(a.v, b.v)}; }
inline vec<double, 2> operator-(vec<double, 2> a) { return {_mm_xor_pd(a.v, _mm_set1_pd(-0.0))}; }
#if defined(__FMA__)
inline vec<double, 2> fmadd(vec<double, 2> a, vec<double, 2> b, vec<double, 2> c) { return {_mm_fmadd_pd(a.v, b.v, c.v)}; }
inline vec<double, 2> fmsub(vec<double, 2> a, vec<double, 2> b, vec<double, 2> c) { return {_mm_fmsub_pd(a.v, b.v, c.v)}; }
#else
inline vec<double, 2> fmadd(vec<double, 2> a, vec<double, 2> b, vec<double, 2> c) { return a * b + c; }
inline vec<double, 2> fmsub(vec<double, 2> a, vec<double, 2> b, vec<double, 2> c) { return a * b - c; }
#endif

template <>
struct vec<float, 4> {
  using T = float;
  static constexpr int N = 4;
  using half = vec;
  __m128 v;
  static vec all(float x) { return {_mm_set1_ps(x)}; }
  static vec load(const float* p) { return {_mm_loadu_ps(p)}; }
  void store(float* p) const { _mm_storeu_ps(p, v); }
  static vec load_groups(const float* p, size_t) { return load(p); }
  void store_groups(float* p, size_t) const { store(p); }
  __attribute__((always_inline)) static void load_pairs(const float* p, vec& re, vec& im) {
    const __m128 a = _mm_loadu_ps(p), b = _mm_loadu_ps(p + 4);
    re.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), im.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, float* p) {
    _mm_storeu_ps(p, _mm_unpacklo_ps(re.v, im.v));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(re.v, im.v));
  }
  vec reversed() const { return {_mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3))}; }
  __attribute__((always_inline)) static void gather_pairs(const float* p, const size_t* o, vec& re, vec& im) {
    __m128 a = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[0])));
    a = _mm_loadh_pi(a, reinterpret_cast<const __m64*>(p + 2 * o[1]));
    __m128 b = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p + 2 * o[2])));
    b = _mm_loadh_pi(b, reinterpret_cast<const __m64*>(p + 2 * o[3]));
    re.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), im.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
  }
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, float* const* dst, size_t valid) {
    _MM_TRANSPOSE4_PS(x0.v, x1.v, x2.v, x3.v);
    const vec xs[4] = {x0, x1, x2, x3};
    for (size_t b = 0; b < valid; ++b) xs[b].store(dst[b]);
  }
};
inline vec<float, 4> operator+(vec<float, 4> a, vec<float, 4> b) { return {_mm_add_ps(a.v, b.v)}; }
inline vec<float, 4> operator-(vec<float, 4> a, vec<float, 4> b) { return {_mm_sub_ps(a.v, b.v)}; }
inline vec<float, 4> operator*(vec<float, 4> a, vec<float, 4> b) { return {_mm_mul_ps(a.v, b.v)}; }
inline vec<float, 4> operator-(vec<float, 4> a) { return {_mm_xor_ps(a.v, _mm_set1_ps(-0.0f))}; }
#if defined(__FMA__)
inline vec<float, 4> fmadd(vec<float, 4> a, vec<float, 4> b, vec<float, 4> c) { return {_mm_fmadd_ps(a.v, b.v, c.v)}; }
inline vec<float, 4> fmsub(vec<float, 4> a, vec<float, 4> b, vec<float, 4> c) { return {_mm_fmsub_ps(a.v, b.v, c.v)}; }
#else
inline vec<float, 4> fmadd(vec<float, 4> a, vec<float, 4> b, vec<float, 4> c) { return a * b + c; }
inline vec<float, 4> fmsub(vec<float, 4> a, vec<float, 4> b, vec<float, 4> c) { return a * b - c; }
#endif

#if defined(__AVX2__) && defined(__FMA__)
// ---- AVX2: four doubles, eight floats ----------------------------------------------------------
template <>
struct vec<double, 4> {
  using T = double;
  static constexpr int N = 4;
  using half = vec<double, 2>;
  __m256d v;
  static vec all(double x) { return {_mm256_set1_pd(x)}; }
  static vec load(const double* p) { return {_mm256_loadu_pd(p)}; }
  void store(double* p) const { _mm256_storeu_pd(p, v); }
  static vec load_groups(const double* p, size_t) { return load(p); }
  void store_groups(double* p, size_t) const { store(p); }
  __attribute__((always_inline)) static void load_pairs(const double* p, vec& re, vec& im) {
    const __m256d a = _mm256_loadu_pd(p), b = _mm256_loadu_pd(p + 4);  // r0 i0 r1 i1 | r2 i2 r3 i3
    const __m256d lo = _mm256_permute2f128_pd(a, b, 0x20), hi = _mm256_permute2f128_pd(a, b, 0x31);
    re.v = _mm256_unpacklo_pd(lo, hi), im.v = _mm256_unpackhi_pd(lo, hi);
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, double* p) {
    const __m256d lo = _mm256_unpacklo_pd(re.v, im.v), hi = _mm256_unpackhi_pd(re.v, im.v);  // r0 i0 r2 i2 | r1 i1 r3 i3
    _mm256_storeu_pd(p, _mm256_permute2f128_pd(lo, hi, 0x20));
    _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(lo, hi, 0x31));
  }
  vec reversed() const { return {_mm256_permute4x64_pd(v, _MM_SHUFFLE(0, 1, 2, 3))}; }
  __attribute__((always_inline)) static void gather_pairs(const double* p, const size_t* o, vec& re, vec& im) {
    const __m256d a = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p + 2 * o[0])), _mm_loadu_pd(p + 2 * o[2]), 1);
    const __m256d b = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p + 2 * o[1])), _mm_loadu_pd(p + 2 * o[3]), 1);
    re.v = _mm256_unpacklo_pd(a, b), im.v = _mm256_unpackhi_pd(a, b);
  }
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, double* const* dst, size_t valid) {
    const __m256d t0 = _mm256_unpacklo_pd(x0.v, x1.v), t1 = _mm256_unpackhi_pd(x0.v, x1.v);
    const __m256d t2 = _mm256_unpacklo_pd(x2.v, x3.v), t3 = _mm256_unpackhi_pd(x2.v, x3.v);
    const __m256d r[4] = {_mm256_permute2f128_pd(t0, t2, 0x20), _mm256_permute2f128_pd(t1, t3, 0x20),
                          _mm256_permute2f128_pd(t0, t2, 0x31), _mm256_permute2f128_pd(t1, t3, 0x31)};
    for (size_t b = 0; b < valid; ++b) _mm256_storeu_pd(dst[b], r[b]);
  }
};
inline vec<double, 4> operator+(vec<double, 4> a, vec<double, 4> b) { return {_mm256_add_pd(a.v, b.v)}; }
inline vec<double, 4> operator-(vec<double, 4> a, vec<double, 4> b) { return {_mm256_sub_pd(a.v, b.v)}; }
inline vec<double, 4> operator*(vec<double, 4> a, vec<double, 4> b) { return {_mm256_mul_pd(a.v, b.v)}; }
inline vec<double, 4> operator-(vec<double, 4> a) { return {_mm256_xor_pd(a.v, _mm256_set1_pd(-0.0))}; }
inline vec<double, 4> fmadd(vec<double, 4> a, vec<double, 4> b, vec<double, 4> c) { return {_mm256_fmadd_pd(a.v, b.v, c.v)}; }
inline vec<double, 4> fmsub(vec<double, 4> a, vec<double, 4> b, vec<double, 4> c) { return {_mm256_fmsub_pd(a.v, b.v, c.v)}; }

template <>
struct vec<float, 8> {
  using T = float;
  static constexpr int N = 8;
  using half = vec<float, 4>;
  __m256 v;
  half lo() const { return {_mm256_castps256_ps128(v)}; }
  half hi() const { return {_mm256_extractf128_ps(v, 1)}; }
  static vec combine(half l, half h) { return {_mm256_insertf128_ps(_mm256_castps128_ps256(l.v), h.v, 1)}; }
  __attribute__((always_inline)) static void gather_pairs(const T* p, const size_t* o, vec& re, vec& im) {
    half lr, li, hr, hm;
    half::gather_pairs(p, o, lr, li);
    half::gather_pairs(p, o + N / 2, hr, hm);
    re = combine(lr, hr), im = combine(li, hm);
  }
  static vec all(float x) { return {_mm256_set1_ps(x)}; }
  static vec load(const float* p) { return {_mm256_loadu_ps(p)}; }
  void store(float* p) const { _mm256_storeu_ps(p, v); }
  static vec load_groups(const float* p, size_t stride) {
    return {_mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(p)), _mm_loadu_ps(p + stride), 1)};
  }
  void store_groups(float* p, size_t stride) const {
    _mm_storeu_ps(p, _mm256_castps256_ps128(v));
    _mm_storeu_ps(p + stride, _mm256_extractf128_ps(v, 1));
  }
  __attribute__((always_inline)) static void load_pairs(const float* p, vec& re, vec& im) {
    const __m256 a = _mm256_loadu_ps(p), b = _mm256_loadu_ps(p + 8);
    // per 128-bit lane: r0 r1 r4 r5 | r2 r3 r6 r7, then the 64-bit quarters put in order
    const __m256 r = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)), i = _mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    re.v = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(r), _MM_SHUFFLE(3, 1, 2, 0)));
    im.v = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(i), _MM_SHUFFLE(3, 1, 2, 0)));
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, float* p) {
    const __m256 lo = _mm256_unpacklo_ps(re.v, im.v), hi = _mm256_unpackhi_ps(re.v, im.v);  // 0 1 | 4 5 and 2 3 | 6 7
    _mm256_storeu_ps(p, _mm256_permute2f128_ps(lo, hi, 0x20));
    _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(lo, hi, 0x31));
  }
  vec reversed() const { return {_mm256_permutevar8x32_ps(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0))}; }
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, float* const* dst, size_t valid) {
    // 4 x 4 transposes within each 128-bit half: row k holds lanes k (low half) and 4 + k (high)
    const __m256 t0 = _mm256_unpacklo_ps(x0.v, x1.v), t1 = _mm256_unpackhi_ps(x0.v, x1.v);
    const __m256 t2 = _mm256_unpacklo_ps(x2.v, x3.v), t3 = _mm256_unpackhi_ps(x2.v, x3.v);
    const __m256 r[4] = {_mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0)), _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2)),
                         _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0)), _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2))};
    for (size_t b = 0; b < valid && b < 4; ++b) _mm_storeu_ps(dst[b], _mm256_castps256_ps128(r[b]));
    for (size_t b = 4; b < valid; ++b) _mm_storeu_ps(dst[b], _mm256_extractf128_ps(r[b - 4], 1));
  }
};
inline vec<float, 8> operator+(vec<float, 8> a, vec<float, 8> b) { return {_mm256_add_ps(a.v, b.v)}; }
inline vec<float, 8> operator-(vec<float, 8> a, vec<float, 8> b) { return {_mm256_sub_ps(a.v, b.v)}; }
inline vec<float, 8> operator*(vec<float, 8> a, vec<float, 8> b) { return {_mm256_mul_ps(a.v, b.v)}; }
inline vec<float, 8> operator-(vec<float, 8> a) { return {_mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f))}; }
inline vec<float, 8> fmadd(vec<float, 8> a, vec<float, 8> b, vec<float, 8> c) { return {_mm256_fmadd_ps(a.v, b.v, c.v)}; }
inline vec<float, 8> fmsub(vec<float, 8> a, vec<float, 8> b, vec<float, 8> c) { return {_mm256_fmsub_ps(a.v, b.v, c.v)}; }
#endif

#if defined(__AVX512F__) && defined(__AVX512DQ__)
// ---- AVX-512: eight doubles, sixteen floats ---------------------------------------------------------
template <>
struct vec<double, 8> {
  using T = double;
  static constexpr int N = 8;
  using half = vec<double, 4>;
  __m512d v;
  half lo() const { return {_mm512_castpd512_pd256(v)}; }
  half hi() const { return {_mm512_extractf64x4_pd(v, 1)}; }
  static vec combine(half l, half h) { return {_mm512_insertf64x4(_mm512_castpd256_pd512(l.v), h.v, 1)}; }
  __attribute__((always_inline)) static void gather_pairs(const T* p, const size_t* o, vec& re, vec& im) {
    half lr, li, hr, hm;
    half::gather_pairs(p, o, lr, li);
    half::gather_pairs(p, o + N / 2, hr, hm);
    re = combine(lr, hr), im = combine(li, hm);
  }
  static vec all(double x) { return {_mm512_set1_pd(x)}; }
  static vec load(const double* p) { return {_mm512_loadu_pd(p)}; }
  void store(double* p) const { _mm512_storeu_pd(p, v); }
  static vec load_groups(const double* p, size_t stride) {
    return {_mm512_insertf64x4(_mm512_castpd256_pd512(_mm256_loadu_pd(p)), _mm256_loadu_pd(p + stride), 1)};
  }
  void store_groups(double* p, size_t stride) const {
    _mm256_storeu_pd(p, _mm512_castpd512_pd256(v));
    _mm256_storeu_pd(p + stride, _mm512_extractf64x4_pd(v, 1));
  }
  __attribute__((always_inline)) static void load_pairs(const double* p, vec& re, vec& im) {
    const __m512d a = _mm512_loadu_pd(p), b = _mm512_loadu_pd(p + 8);
    re.v = _mm512_permutex2var_pd(a, _mm512_setr_epi64(0, 2, 4, 6, 8, 10, 12, 14), b);
    im.v = _mm512_permutex2var_pd(a, _mm512_setr_epi64(1, 3, 5, 7, 9, 11, 13, 15), b);
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, double* p) {
    _mm512_storeu_pd(p, _mm512_permutex2var_pd(re.v, _mm512_setr_epi64(0, 8, 1, 9, 2, 10, 3, 11), im.v));
    _mm512_storeu_pd(p + 8, _mm512_permutex2var_pd(re.v, _mm512_setr_epi64(4, 12, 5, 13, 6, 14, 7, 15), im.v));
  }
  vec reversed() const { return {_mm512_permutexvar_pd(_mm512_setr_epi64(7, 6, 5, 4, 3, 2, 1, 0), v)}; }
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, double* const* dst, size_t valid) {
    half::transpose_out(x0.lo(), x1.lo(), x2.lo(), x3.lo(), dst, valid < N / 2 ? valid : N / 2);
    if (valid > N / 2) half::transpose_out(x0.hi(), x1.hi(), x2.hi(), x3.hi(), dst + N / 2, valid - N / 2);
  }
};
inline vec<double, 8> operator+(vec<double, 8> a, vec<double, 8> b) { return {_mm512_add_pd(a.v, b.v)}; }
inline vec<double, 8> operator-(vec<double, 8> a, vec<double, 8> b) { return {_mm512_sub_pd(a.v, b.v)}; }
inline vec<double, 8> operator*(vec<double, 8> a, vec<double, 8> b) { return {_mm512_mul_pd(a.v, b.v)}; }
inline vec<double, 8> operator-(vec<double, 8> a) { return {_mm512_xor_pd(a.v, _mm512_set1_pd(-0.0))}; }
inline vec<double, 8> fmadd(vec<double, 8> a, vec<double, 8> b, vec<double, 8> c) { return {_mm512_fmadd_pd(a.v, b.v, c.v)}; }
inline vec<double, 8> fmsub(vec<double, 8> a, vec<double, 8> b, vec<double, 8> c) { return {_mm512_fmsub_pd(a.v, b.v, c.v)}; }

template <>
struct vec<float, 16> {
  using T = float;
  static constexpr int N = 16;
  using half = vec<float, 8>;
  __m512 v;
  half lo() const { return {_mm512_castps512_ps256(v)}; }
  half hi() const { return {_mm512_extractf32x8_ps(v, 1)}; }
  static vec combine(half l, half h) { return {_mm512_insertf32x8(_mm512_castps256_ps512(l.v), h.v, 1)}; }
  __attribute__((always_inline)) static void gather_pairs(const T* p, const size_t* o, vec& re, vec& im) {
    half lr, li, hr, hm;
    half::gather_pairs(p, o, lr, li);
    half::gather_pairs(p, o + N / 2, hr, hm);
    re = combine(lr, hr), im = combine(li, hm);
  }
  static vec all(float x) { return {_mm512_set1_ps(x)}; }
  static vec load(const float* p) { return {_mm512_loadu_ps(p)}; }
  void store(float* p) const { _mm512_storeu_ps(p, v); }
  static vec load_groups(const float* p, size_t stride) {
    __m512 r = _mm512_castps128_ps512(_mm_loadu_ps(p));
    r = _mm512_insertf32x4(r, _mm_loadu_ps(p + stride), 1);
    r = _mm512_insertf32x4(r, _mm_loadu_ps(p + 2 * stride), 2);
    return {_mm512_insertf32x4(r, _mm_loadu_ps(p + 3 * stride), 3)};
  }
  void store_groups(float* p, size_t stride) const {
    _mm_storeu_ps(p, _mm512_castps512_ps128(v));
    _mm_storeu_ps(p + stride, _mm512_extractf32x4_ps(v, 1));
    _mm_storeu_ps(p + 2 * stride, _mm512_extractf32x4_ps(v, 2));
    _mm_storeu_ps(p + 3 * stride, _mm512_extractf32x4_ps(v, 3));
  }
  __attribute__((always_inline)) static void load_pairs(const float* p, vec& re, vec& im) {
    const __m512 a = _mm512_loadu_ps(p), b = _mm512_loadu_ps(p + 16);
    re.v = _mm512_permutex2var_ps(a, _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30), b);
    im.v = _mm512_permutex2var_ps(a, _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31), b);
  }
  __attribute__((always_inline)) static void store_pairs(vec re, vec im, float* p) {
    _mm512_storeu_ps(p, _mm512_permutex2var_ps(re.v, _mm512_setr_epi32(0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23), im.v));
    _mm512_storeu_ps(p + 16,
                     _mm512_permutex2var_ps(re.v, _mm512_setr_epi32(8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31), im.v));
  }
  vec reversed() const {
    return {_mm512_permutexvar_ps(_mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0), v)};
  }
  __attribute__((always_inline)) static void transpose_out(vec x0, vec x1, vec x2, vec x3, float* const* dst, size_t valid) {
    half::transpose_out(x0.lo(), x1.lo(), x2.lo(), x3.lo(), dst, valid < N / 2 ? valid : N / 2);
    if (valid > N / 2) half::transpose_out(x0.hi(), x1.hi(), x2.hi(), x3.hi(), dst + N / 2, valid - N / 2);
  }
};
inline vec<float, 16> operator+(vec<float, 16> a, vec<float, 16> b) { return {_mm512_add_ps(a.v, b.v)}; }
inline vec<float, 16> operator-(vec<float, 16> a, vec<float, 16> b) { return {_mm512_sub_ps(a.v, b.v)}; }
inline vec<float, 16> operator*(vec<float, 16> a, vec<float, 16> b) { return {_mm512_mul_ps(a.v, b.v)}; }
inline vec<float, 16> operator-(vec<float, 16> a) { return {_mm512_xor_ps(a.v, _mm512_set1_ps(-0.0f))}; }
inline vec<float, 16> fmadd(vec<float, 16> a, vec<float, 16> b, vec<float, 16> c) { return {_mm512_fmadd_ps(a.v, b.v, c.v)}; }
inline vec<float, 16> fmsub(vec<float, 16> a, vec<float, 16> b, vec<float, 16> c) { return {_mm512_fmsub_ps(a.v, b.v, c.v)}; }
#endif

}  // namespace zaforq::simd::ZAFORQ_ISA_NS
