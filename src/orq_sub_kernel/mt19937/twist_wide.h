// The twisters' block work over whole registers, written once for every register width:
// regeneration of the state in place, and tempering of a run of state words into 32-bit words,
// doubles or floats. Each path's object defines ZAFORQ_ISA_NS and includes this file, so the
// functions and the register type get a per-path name and nothing is shared between objects
// compiled for different instruction sets. Integer work gives the same bits at every width;
// the conversion is exact (an unsigned 32-bit word is a double) and then one multiply and one
// add, as on the narrow path.
#ifndef ZAFORQ_ISA_NS
#error "define ZAFORQ_ISA_NS (the path's namespace) before including twist_wide.h"
#endif
#include <immintrin.h>

#include "orq_sub_kernel/mt19937/twist_paths.h"

namespace zaforq::orq::ZAFORQ_ISA_NS {
namespace {

// W unsigned 32-bit words in one register, with what the twister needs of them.
#if defined(__AVX512F__)
struct Words {
  static constexpr int32_t W = 16;
  __m512i v;
  static Words all(uint32_t x) { return {_mm512_set1_epi32(static_cast<int32_t>(x))}; }
  static Words load(const uint32_t* p) { return {_mm512_loadu_si512(p)}; }
  void store(uint32_t* p) const { _mm512_storeu_si512(p, v); }
};
inline Words operator&(Words a, Words b) { return {_mm512_and_si512(a.v, b.v)}; }
inline Words operator|(Words a, Words b) { return {_mm512_or_si512(a.v, b.v)}; }
inline Words operator^(Words a, Words b) { return {_mm512_xor_si512(a.v, b.v)}; }
template <int k> inline Words shl(Words a) { return {_mm512_slli_epi32(a.v, k)}; }
template <int k> inline Words shr(Words a) { return {_mm512_srli_epi32(a.v, k)}; }
inline Words shr(Words a, __m128i k) { return {_mm512_srl_epi32(a.v, k)}; }
inline Words negate(Words a) { return {_mm512_sub_epi32(_mm512_setzero_si512(), a.v)}; }
// r[i] = y[i] * s + a for the W words; the unsigned conversion is exact.
inline void scale(Words y, double* r, __m512d s, __m512d a) {
  const __m512d lo = _mm512_cvtepu32_pd(_mm512_castsi512_si256(y.v));
  const __m512d hi = _mm512_cvtepu32_pd(_mm512_extracti64x4_epi64(y.v, 1));
  _mm512_storeu_pd(r, _mm512_add_pd(_mm512_mul_pd(lo, s), a));
  _mm512_storeu_pd(r + 8, _mm512_add_pd(_mm512_mul_pd(hi, s), a));
}
inline void scale(Words y, float* r, __m512d s, __m512d a) {
  const __m512d lo = _mm512_cvtepu32_pd(_mm512_castsi512_si256(y.v));
  const __m512d hi = _mm512_cvtepu32_pd(_mm512_extracti64x4_epi64(y.v, 1));
  _mm256_storeu_ps(r, _mm512_cvtpd_ps(_mm512_add_pd(_mm512_mul_pd(lo, s), a)));
  _mm256_storeu_ps(r + 8, _mm512_cvtpd_ps(_mm512_add_pd(_mm512_mul_pd(hi, s), a)));
}
using Real = __m512d;
inline Real real_all(double x) { return _mm512_set1_pd(x); }
#elif defined(__AVX2__)
struct Words {
  static constexpr int32_t W = 8;
  __m256i v;
  static Words all(uint32_t x) { return {_mm256_set1_epi32(static_cast<int32_t>(x))}; }
  static Words load(const uint32_t* p) { return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))}; }
  void store(uint32_t* p) const { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
};
inline Words operator&(Words a, Words b) { return {_mm256_and_si256(a.v, b.v)}; }
inline Words operator|(Words a, Words b) { return {_mm256_or_si256(a.v, b.v)}; }
inline Words operator^(Words a, Words b) { return {_mm256_xor_si256(a.v, b.v)}; }
template <int k> inline Words shl(Words a) { return {_mm256_slli_epi32(a.v, k)}; }
template <int k> inline Words shr(Words a) { return {_mm256_srli_epi32(a.v, k)}; }
inline Words shr(Words a, __m128i k) { return {_mm256_srl_epi32(a.v, k)}; }
inline Words negate(Words a) { return {_mm256_sub_epi32(_mm256_setzero_si256(), a.v)}; }
// The signed conversion plus 2^32 where the top bit was set: exact.
inline __m256d unsigned_pd(__m128i w) {
  const __m256d x = _mm256_cvtepi32_pd(w);
  const __m256d neg = _mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ);
  return _mm256_add_pd(x, _mm256_and_pd(neg, _mm256_set1_pd(4294967296.0)));
}
inline void scale(Words y, double* r, __m256d s, __m256d a) {
  const __m256d lo = unsigned_pd(_mm256_castsi256_si128(y.v)), hi = unsigned_pd(_mm256_extracti128_si256(y.v, 1));
  _mm256_storeu_pd(r, _mm256_add_pd(_mm256_mul_pd(lo, s), a));
  _mm256_storeu_pd(r + 4, _mm256_add_pd(_mm256_mul_pd(hi, s), a));
}
inline void scale(Words y, float* r, __m256d s, __m256d a) {
  const __m256d lo = unsigned_pd(_mm256_castsi256_si128(y.v)), hi = unsigned_pd(_mm256_extracti128_si256(y.v, 1));
  _mm_storeu_ps(r, _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(lo, s), a)));
  _mm_storeu_ps(r + 4, _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(hi, s), a)));
}
using Real = __m256d;
inline Real real_all(double x) { return _mm256_set1_pd(x); }
#else
struct Words {
  static constexpr int32_t W = 4;
  __m128i v;
  static Words all(uint32_t x) { return {_mm_set1_epi32(static_cast<int32_t>(x))}; }
  static Words load(const uint32_t* p) { return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))}; }
  void store(uint32_t* p) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
};
inline Words operator&(Words a, Words b) { return {_mm_and_si128(a.v, b.v)}; }
inline Words operator|(Words a, Words b) { return {_mm_or_si128(a.v, b.v)}; }
inline Words operator^(Words a, Words b) { return {_mm_xor_si128(a.v, b.v)}; }
template <int k> inline Words shl(Words a) { return {_mm_slli_epi32(a.v, k)}; }
template <int k> inline Words shr(Words a) { return {_mm_srli_epi32(a.v, k)}; }
inline Words shr(Words a, __m128i k) { return {_mm_srl_epi32(a.v, k)}; }
inline Words negate(Words a) { return {_mm_sub_epi32(_mm_setzero_si128(), a.v)}; }
inline __m128d unsigned_pd(__m128i w) {
  const __m128d x = _mm_cvtepi32_pd(w);
  return _mm_add_pd(x, _mm_and_pd(_mm_cmplt_pd(x, _mm_setzero_pd()), _mm_set1_pd(4294967296.0)));
}
inline void scale(Words y, double* r, __m128d s, __m128d a) {
  const __m128d lo = unsigned_pd(y.v), hi = unsigned_pd(_mm_srli_si128(y.v, 8));
  _mm_storeu_pd(r, _mm_add_pd(_mm_mul_pd(lo, s), a));
  _mm_storeu_pd(r + 2, _mm_add_pd(_mm_mul_pd(hi, s), a));
}
inline void scale(Words y, float* r, __m128d s, __m128d a) {
  const __m128d lo = unsigned_pd(y.v), hi = unsigned_pd(_mm_srli_si128(y.v, 8));
  _mm_storeu_ps(r, _mm_movelh_ps(_mm_cvtpd_ps(_mm_add_pd(_mm_mul_pd(lo, s), a)),
                                 _mm_cvtpd_ps(_mm_add_pd(_mm_mul_pd(hi, s), a))));
}
using Real = __m128d;
inline Real real_all(double x) { return _mm_set1_pd(x); }
#endif
constexpr int32_t W = Words::W;

inline uint32_t next1(const TwistShape& g, uint32_t x0, uint32_t x1, uint32_t xm) {
  const uint32_t y = (x0 & g.upper) | (x1 & ~g.upper);
  return xm ^ (y >> 1) ^ ((0u - (y & 1u)) & g.a);
}

inline uint32_t temper1(const TwistShape& g, uint32_t y) {
  y ^= y >> g.u;
  y ^= (y << 7) & g.b;
  y ^= (y << 15) & g.c;
  return y ^ (y >> 18);
}

// dst[j] = next(x0[j], x1[j], xm[j]) for j < count, W at a time. In place (dst == x0,
// x1 == dst + 1) each register reads its words before it writes, and xm either lies ahead of
// everything written or at least W words behind it.
void twist_run(const TwistShape& g, uint32_t* dst, const uint32_t* x0, const uint32_t* x1, const uint32_t* xm,
               int32_t count) {
  const Words up = Words::all(g.upper), low = Words::all(~g.upper), a = Words::all(g.a), one = Words::all(1u);
  int32_t j = 0;
  for (; j + W <= count; j += W) {
    const Words y = (Words::load(x0 + j) & up) | (Words::load(x1 + j) & low);
    (Words::load(xm + j) ^ shr<1>(y) ^ (negate(y & one) & a)).store(dst + j);
  }
  for (; j < count; ++j) dst[j] = next1(g, x0[j], x1[j], xm[j]);
}

struct Temper {
  Words b, c;
  __m128i u;
  explicit Temper(const TwistShape& g)
      : b(Words::all(g.b)), c(Words::all(g.c)), u(_mm_cvtsi32_si128(g.u)) {}
  Words operator()(Words y) const {
    y = y ^ shr(y, u);
    y = y ^ (shl<7>(y) & b);
    y = y ^ (shl<15>(y) & c);
    return y ^ shr<18>(y);
  }
};

template <class T>
void temper_scale(const TwistShape& g, const uint32_t* src, int32_t k, T* r, double s, double a) {
  const Temper t(g);
  const Real vs = real_all(s), va = real_all(a);
  int32_t i = 0;
  for (; i + W <= k; i += W) scale(t(Words::load(src + i)), r + i, vs, va);
  for (; i < k; ++i) r[i] = static_cast<T>(static_cast<double>(temper1(g, src[i])) * s + a);
}

}  // namespace

void regenerate(const TwistShape& g, uint32_t* mt) {
  const int32_t n = g.n, m = g.m;
  twist_run(g, mt, mt, mt + 1, mt + m, n - m);
  twist_run(g, mt + (n - m), mt + (n - m), mt + (n - m) + 1, mt, m - 1);
  mt[n - 1] = next1(g, mt[n - 1], mt[0], mt[m - 1]);
}

void temper(const TwistShape& g, const uint32_t* src, int32_t k, uint32_t* dst) {
  const Temper t(g);
  int32_t i = 0;
  for (; i + W <= k; i += W) t(Words::load(src + i)).store(dst + i);
  for (; i < k; ++i) dst[i] = temper1(g, src[i]);
}

void temper(const TwistShape& g, const uint32_t* src, int32_t k, double* r, double s, double a) {
  temper_scale(g, src, k, r, s, a);
}

void temper(const TwistShape& g, const uint32_t* src, int32_t k, float* r, double s, double a) {
  temper_scale(g, src, k, r, s, a);
}

}  // namespace zaforq::orq::ZAFORQ_ISA_NS
