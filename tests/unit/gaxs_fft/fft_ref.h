// Long-double reference transforms and error measures for the real-FFT tests.
#pragma once
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "zaforq/gaxs_fft.h"

namespace fftref {

using LD = long double;

// Perm spectrum of x by the definition X_k = sum_n x_n e^(-2 pi i n k / N).
inline std::vector<LD> perm_dft(const std::vector<LD>& x) {
  const size_t N = x.size();
  std::vector<LD> out(N);
  if (N == 1) {
    out[0] = x[0];
    return out;
  }
  std::vector<LD> c(N), s(N);
  const LD pi = 3.141592653589793238462643383279502884L;
  for (size_t j = 0; j < N; ++j) c[j] = std::cos(2 * pi * j / N), s[j] = std::sin(2 * pi * j / N);
  for (size_t k = 0; k <= N / 2; ++k) {
    LD re = 0, im = 0;
    for (size_t n = 0, idx = 0; n < N; ++n, idx = (idx + k) & (N - 1)) re += x[n] * c[idx], im -= x[n] * s[idx];
    if (k == 0)
      out[0] = re;
    else if (k == N / 2)
      out[1] = re;
    else
      out[2 * k] = re, out[2 * k + 1] = im;
  }
  return out;
}

// y_n = sum over the full Hermitian spectrum of X_k e^(+2 pi i n k / N), from Perm input.
inline std::vector<LD> perm_idft(const std::vector<LD>& X) {
  const size_t N = X.size();
  std::vector<LD> y(N);
  if (N == 1) {
    y[0] = X[0];
    return y;
  }
  std::vector<LD> c(N), s(N);
  const LD pi = 3.141592653589793238462643383279502884L;
  for (size_t j = 0; j < N; ++j) c[j] = std::cos(2 * pi * j / N), s[j] = std::sin(2 * pi * j / N);
  for (size_t n = 0; n < N; ++n) {
    LD acc = X[0] + ((n & 1) ? -X[1] : X[1]);
    for (size_t k = 1, idx = n; k < N / 2; ++k, idx = (idx + n) & (N - 1))
      acc += 2 * (X[2 * k] * c[idx] - X[2 * k + 1] * s[idx]);
    y[n] = acc;
  }
  return y;
}

// One bin of the spectrum, in O(N) without a table of N values: the twiddle of index
// b * T + j is the product of a block twiddle and an inner twiddle, each from sin and cos.
template <class T>
void dft_bin(const T* x, size_t N, size_t k, LD& re, LD& im) {
  const LD pi = 3.141592653589793238462643383279502884L;
  size_t Tn = 1;
  while (Tn * Tn < N) Tn *= 2;
  std::vector<LD> ic(Tn), is(Tn);
  for (size_t j = 0; j < Tn; ++j) {
    const LD a = 2 * pi * static_cast<LD>((k * j) & (N - 1)) / N;
    ic[j] = std::cos(a), is[j] = -std::sin(a);
  }
  re = 0, im = 0;
  for (size_t b = 0; b < N; b += Tn) {
    LD sr = 0, si = 0;
    const size_t len = N - b < Tn ? N - b : Tn;
    for (size_t j = 0; j < len; ++j) sr += x[b + j] * ic[j], si += x[b + j] * is[j];
    const LD a = 2 * pi * static_cast<LD>((k * b) & (N - 1)) / N;
    const LD br = std::cos(a), bi = -std::sin(a);
    re += sr * br - si * bi, im += sr * bi + si * br;
  }
}

// One output of the unscaled inverse from a Perm spectrum, in O(N).
template <class T>
LD idft_point(const T* X, size_t N, size_t n) {
  const LD pi = 3.141592653589793238462643383279502884L;
  LD acc = static_cast<LD>(X[0]) + ((n & 1) ? -static_cast<LD>(X[1]) : static_cast<LD>(X[1]));
  for (size_t k = 1; k < N / 2; ++k) {
    const LD a = 2 * pi * static_cast<LD>((k * n) & (N - 1)) / N;
    acc += 2 * (X[2 * k] * std::cos(a) - X[2 * k + 1] * std::sin(a));
  }
  return acc;
}

template <class T>
std::vector<T> random_values(size_t n, uint32_t seed) {
  std::mt19937 g(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::vector<T> v(n);
  for (auto& x : v) x = static_cast<T>(u(g));
  return v;
}

template <class T>
std::vector<LD> widen(const std::vector<T>& v) {
  return std::vector<LD>(v.begin(), v.end());
}

// ||got - want||_2 / ||want||_2
template <class T>
double rel_error(const T* got, const std::vector<LD>& want) {
  LD num = 0, den = 0;
  for (size_t i = 0; i < want.size(); ++i) {
    const LD d = static_cast<LD>(got[i]) - want[i];
    num += d * d, den += want[i] * want[i];
  }
  return den > 0 ? static_cast<double>(std::sqrt(num / den)) : static_cast<double>(std::sqrt(num));
}

template <class T>
struct Api;
template <>
struct Api<float> {
  using Spec = FftSpecR_32f;
  static constexpr double eps = 0x1p-24;
  static int32_t init(Spec** s, int o, int f) { return gaxsFFTInitAlloc_R_32f(s, o, f, 0); }
  static int32_t fwd(const float* a, float* b, const Spec* s, uint8_t* w) { return gaxsFFTFwd_RToPerm_32f(a, b, s, w); }
  static int32_t inv(const float* a, float* b, const Spec* s, uint8_t* w) { return gaxsFFTInv_PermToR_32f(a, b, s, w); }
  static int32_t bufsize(const Spec* s, int32_t* n) { return gaxsFFTGetBufSize_R_32f(s, n); }
  static int32_t release(Spec* s) { return gaxsFFTFree_R_32f(s); }
};
template <>
struct Api<double> {
  using Spec = FftSpecR_64f;
  static constexpr double eps = 0x1p-53;
  static int32_t init(Spec** s, int o, int f) { return gaxsFFTInitAlloc_R_64f(s, o, f, 0); }
  static int32_t fwd(const double* a, double* b, const Spec* s, uint8_t* w) { return gaxsFFTFwd_RToPerm_64f(a, b, s, w); }
  static int32_t inv(const double* a, double* b, const Spec* s, uint8_t* w) { return gaxsFFTInv_PermToR_64f(a, b, s, w); }
  static int32_t bufsize(const Spec* s, int32_t* n) { return gaxsFFTGetBufSize_R_64f(s, n); }
  static int32_t release(Spec* s) { return gaxsFFTFree_R_64f(s); }
};

// The factor a flag applies to one direction.
inline LD flag_scale(int flag, bool inverse, size_t N) {
  switch (flag) {
    case 1: return inverse ? 1 : 1.0L / N;
    case 2: return inverse ? 1.0L / N : 1;
    case 4: return 1.0L / std::sqrt(static_cast<LD>(N));
    default: return 1;
  }
}

}  // namespace fftref
