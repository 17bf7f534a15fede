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

// Twiddles e^(-2 pi i j k / N) for all j in O(sqrt N) sin/cos evaluations: the twiddle of
// j = b T + t is the product of a block twiddle (index b) and an inner one (index t).
template <class A>
struct BlockedTwiddles {
  size_t N, T;
  std::vector<A> ic, is, bc, bs;
  BlockedTwiddles(size_t n, size_t k) : N(n), T(1) {
    const long double pi = 3.141592653589793238462643383279502884L;
    while (T * T < N) T *= 2;
    ic.resize(T), is.resize(T), bc.resize(N / T + 1), bs.resize(N / T + 1);
    for (size_t t = 0; t < T; ++t) {
      const long double a = 2 * pi * static_cast<long double>((k * t) & (N - 1)) / N;
      ic[t] = static_cast<A>(std::cos(a)), is[t] = static_cast<A>(-std::sin(a));
    }
    for (size_t b = 0; b * T < N; ++b) {
      const long double a = 2 * pi * static_cast<long double>((k * b * T) & (N - 1)) / N;
      bc[b] = static_cast<A>(std::cos(a)), bs[b] = static_cast<A>(-std::sin(a));
    }
  }
};

// Bin k of the spectrum of N reals, in O(N), accumulated in A.
template <class A, class T>
void dft_bin(const T* x, size_t N, size_t k, A& re, A& im) {
  const BlockedTwiddles<A> w(N, k);
  re = 0, im = 0;
  for (size_t b = 0, base = 0; base < N; ++b, base += w.T) {
    A sr = 0, si = 0;
    const size_t len = N - base < w.T ? N - base : w.T;
    for (size_t t = 0; t < len; ++t) sr += x[base + t] * w.ic[t], si += x[base + t] * w.is[t];
    re += sr * w.bc[b] - si * w.bs[b], im += sr * w.bs[b] + si * w.bc[b];
  }
}

// Output n of the unscaled inverse of a Perm spectrum, in O(N), accumulated in A:
// y_n = X_0 + (-1)^n X_(N/2) + 2 Re sum_(k=1)^(N/2-1) X_k e^(+2 pi i k n / N).
template <class A, class T>
A idft_point(const T* X, size_t N, size_t n) {
  const BlockedTwiddles<A> w(N, n);  // e^(-2 pi i k n / N); the sum uses the conjugate
  A acc = 0;
  const size_t H = N / 2;
  for (size_t b = 0, base = 0; base < H; ++b, base += w.T) {
    A sr = 0, si = 0;  // sum of X_k * conj(inner twiddle)
    const size_t len = H - base < w.T ? H - base : w.T;
    for (size_t t = base == 0 ? 1 : 0; t < len; ++t) {
      const A xr = X[2 * (base + t)], xi = X[2 * (base + t) + 1];
      sr += xr * w.ic[t] + xi * w.is[t];
      si += xi * w.ic[t] - xr * w.is[t];
    }
    acc += sr * w.bc[b] + si * w.bs[b];  // Re((sr + i si) * conj(block))
  }
  return static_cast<A>(X[0]) + ((n & 1) ? -static_cast<A>(X[1]) : static_cast<A>(X[1])) + 2 * acc;
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
