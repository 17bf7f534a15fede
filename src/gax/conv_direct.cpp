// Direct convolution accumulation. The shorter operand is taken four taps at a time: for each
// output in the range where all four taps meet the longer operand, one vector step adds the
// four products; the few outputs at the ends of that range are done one by one. The
// destination is walked in 16-byte aligned runs after a scalar lead-in. That is the SSE2 path;
// on x86-64 processors with AVX2 or AVX-512 the wide paths (conv_direct_wide.inc) take over.
#include "common/simd.h"
#include "cpu/path.h"
#include "gax/gax.h"

#if defined(__x86_64__)
namespace zaforq::gax {
namespace avx2 {
void own_conv_32f(const float* lng, int64_t lng_len, const float* shrt, int64_t shrt_len, float* dst);
void own_conv_64f(const double* lng, int64_t lng_len, const double* shrt, int64_t shrt_len, double* dst);
}  // namespace avx2
namespace avx512 {
void own_conv_32f(const float* lng, int64_t lng_len, const float* shrt, int64_t shrt_len, float* dst);
void own_conv_64f(const double* lng, int64_t lng_len, const double* shrt, int64_t shrt_len, double* dst);
}  // namespace avx512
}  // namespace zaforq::gax
#endif

namespace zaforq::gax {

namespace {

using simd::f32x4;
using simd::f64x2;

template <class T>
struct Vec;
template <>
struct Vec<float> {
  using V = f32x4;
  static constexpr int width = 4;
};
template <>
struct Vec<double> {
  using V = f64x2;
  static constexpr int width = 2;
};

template <class T>
inline size_t lead_to_aligned(const T* p, size_t n) {
  const size_t mis = (reinterpret_cast<uintptr_t>(p) & 15) / sizeof(T);
  const size_t lead = mis ? 16 / sizeof(T) - mis : 0;
  return lead < n ? lead : n;
}

// dst[n] += sum_t s[t] * lng[n - t] for n in [lo, hi), every index inside lng (taps = 1 or 4).
template <class T, int taps>
void accumulate(const T* lng, const T* s, T* dst, size_t lo, size_t hi) {
  using V = typename Vec<T>::V;
  constexpr size_t W = Vec<T>::width;
  size_t n = lo;
  const size_t lead = lo + lead_to_aligned(dst + lo, hi - lo);
  auto scalar = [&](size_t i) {
    T acc = dst[i];
    for (int t = 0; t < taps; ++t) acc += s[t] * lng[i - t];
    dst[i] = acc;
  };
  for (; n < lead; ++n) scalar(n);
  if (taps == 4) {
    const V s0 = V::all(s[0]), s1 = V::all(s[1]), s2 = V::all(s[2]), s3 = V::all(s[3]);
    for (; n + W <= hi; n += W) {
      V acc = V::load(dst + n);
      acc = acc + s0 * V::load(lng + n) + s1 * V::load(lng + n - 1) + s2 * V::load(lng + n - 2) +
            s3 * V::load(lng + n - 3);
      acc.store(dst + n);
    }
  } else {
    const V s0 = V::all(s[0]);
    for (; n + W <= hi; n += W) (V::load(dst + n) + s0 * V::load(lng + n)).store(dst + n);
  }
  for (; n < hi; ++n) scalar(n);
}

template <class T>
void own_conv(const T* lng, size_t L, const T* shrt, size_t S, T* dst) {
  size_t j = 0;
  for (; j + 4 <= S; j += 4) {
    const T* s = shrt + j;
    T* d = dst + j;  // d[n] += sum_t s[t] lng[n - t], n in [0, L + 3)
    auto edge = [&](size_t n) {
      T acc = d[n];
      for (size_t t = 0; t < 4; ++t)
        if (n >= t && n - t < L) acc += s[t] * lng[n - t];
      d[n] = acc;
    };
    const size_t hi = L + 3;
    for (size_t n = 0; n < 3; ++n) edge(n);
    if (L > 3) accumulate<T, 4>(lng, s, d, 3, L);  // every tap inside lng
    for (size_t n = L > 3 ? L : 3; n < hi; ++n) edge(n);
  }
  for (; j < S; ++j) accumulate<T, 1>(lng, shrt + j, dst + j, 0, L);
}

}  // namespace
}  // namespace zaforq::gax

namespace zaforq::gax {

// The direct accumulation on a path the caller read once (a convolution in chunks must not
// mix paths if another thread re-pins in between).
void own_conv_on(int path, const float* lng, int32_t lng_len, const float* shrt, int32_t shrt_len, float* dst) {
#if defined(__x86_64__)
  if (path == cpu::kAvx512) return avx512::own_conv_32f(lng, lng_len, shrt, shrt_len, dst);
  if (path == cpu::kAvx2) return avx2::own_conv_32f(lng, lng_len, shrt, shrt_len, dst);
#endif
  (void)path;
  own_conv(lng, static_cast<size_t>(lng_len), shrt, static_cast<size_t>(shrt_len), dst);
}
void own_conv_on(int path, const double* lng, int32_t lng_len, const double* shrt, int32_t shrt_len, double* dst) {
#if defined(__x86_64__)
  if (path == cpu::kAvx512) return avx512::own_conv_64f(lng, lng_len, shrt, shrt_len, dst);
  if (path == cpu::kAvx2) return avx2::own_conv_64f(lng, lng_len, shrt, shrt_len, dst);
#endif
  (void)path;
  own_conv(lng, static_cast<size_t>(lng_len), shrt, static_cast<size_t>(shrt_len), dst);
}

}  // namespace zaforq::gax

extern "C" void ownConv_32f(const float* lng, int32_t lng_len, const float* shrt, int32_t shrt_len, float* dst) {
  zaforq::gax::own_conv_on(zaforq::cpu::current(), lng, lng_len, shrt, shrt_len, dst);
}
extern "C" void ownConv_64f(const double* lng, int32_t lng_len, const double* shrt, int32_t shrt_len, double* dst) {
  zaforq::gax::own_conv_on(zaforq::cpu::current(), lng, lng_len, shrt, shrt_len, dst);
}
