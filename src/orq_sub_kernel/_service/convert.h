// Conversions of raw generator words to uniform numbers: r = v * s + a with v converted
// exactly, one multiply and one add per element, no division.
#pragma once
#include <stdint.h>

#include "common/simd.h"

namespace zaforq::orq {

constexpr int32_t kBlock = 4096;  // raw words per block of the double and float entries (16 KiB)

inline double u32_to_double(uint32_t v) { return static_cast<double>(v); }

// r[i] = v[i] * s + a for unsigned 32-bit v (the sign-converted value plus 2^32 where the
// top bit is set, which is exact).
inline void scale_u32(const uint32_t* v, int32_t n, double* r, double s, double a) {
  using namespace zaforq::simd;
  const f64x2 vs = f64x2::all(s), va = f64x2::all(a), two32 = f64x2::all(4294967296.0),
              zero = f64x2::all(0.0);
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + i));
    f64x2 lo = _mm_cvtepi32_pd(w), hi = _mm_cvtepi32_pd(_mm_srli_si128(w, 8));
    lo = select(lo < zero, lo + two32, lo);
    hi = select(hi < zero, hi + two32, hi);
    (lo * vs + va).store(r + i);
    (hi * vs + va).store(r + i + 2);
  }
  for (; i < n; ++i) r[i] = u32_to_double(v[i]) * s + a;
}

// The same, rounded to float at the end.
inline void scale_u32(const uint32_t* v, int32_t n, float* r, double s, double a) {
  using namespace zaforq::simd;
  const f64x2 vs = f64x2::all(s), va = f64x2::all(a), two32 = f64x2::all(4294967296.0),
              zero = f64x2::all(0.0);
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + i));
    f64x2 lo = _mm_cvtepi32_pd(w), hi = _mm_cvtepi32_pd(_mm_srli_si128(w, 8));
    lo = select(lo < zero, lo + two32, lo);
    hi = select(hi < zero, hi + two32, hi);
    __m128 flo = _mm_cvtpd_ps((lo * vs + va).v), fhi = _mm_cvtpd_ps((hi * vs + va).v);
    _mm_storeu_ps(r + i, _mm_movelh_ps(flo, fhi));
  }
  for (; i < n; ++i) r[i] = static_cast<float>(u32_to_double(v[i]) * s + a);
}

// Draws n raw 32-bit words through fill(words, count) block by block and scales them.
template <class T, class Fill>
inline void uniform_u32(int32_t n, T* r, double s, double a, Fill fill) {
  uint32_t buf[kBlock];
  for (int32_t done = 0; done < n;) {
    int32_t k = n - done < kBlock ? n - done : kBlock;
    fill(buf, k);
    scale_u32(buf, k, r + done, s, a);
    done += k;
  }
}

}  // namespace zaforq::orq
