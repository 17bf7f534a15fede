// What a distribution needs from its precision: the uniform entry it draws through and the
// vector-math kernels it transforms with, so that each distribution is written once as a
// template and its double and float sources only instantiate it.
#pragma once
#include <stdint.h>

#include "zaforq/orq_dist.h"
#include "zaforq/zaf_kernels.h"

namespace zaforq::orq {

template <class T>
struct Prec;

// Double: the lower-accuracy kernels for whole arrays; the high-accuracy ones for the single
// sine and cosine of a carried Box-Muller pair and for the power.
template <>
struct Prec<double> {
  static constexpr double kTwoPi = 6.283185307179586;
  static constexpr uint32_t kPairKey = 2;
  static const double* cauchy_tab() { return _orqdCauchyTab; }
  static int32_t uniform(OrqStream s, int32_t n, double* r, double a, double b) {
    return _orqdRngUniform(0, s, n, r, a, b);
  }
  static void ln(int32_t n, double* x) { _zafdLn_50(n, x, x); }
  static void exp(int32_t n, double* x) { _zafdExp_50(n, x, x); }
  static void sqrt(int32_t n, double* x) { _zafdSqrt_50(n, x, x); }
  static void tan(int32_t n, double* x) { _zafdTan_50(n, x, x); }
  static void sin(int32_t n, double* x) { _zafdSin_HA(n, x, x); }
  static void cos(int32_t n, double* x) { _zafdCos_HA(n, x, x); }
  static void sincos(int32_t n, const double* x, double* s, double* c) { _zafdSinCos_50(n, x, s, c); }
  static void powx(int32_t n, double* x, double e) { _zafdPowx_HA(n, x, e, x); }
  static double inverse(double alpha) { return 1.0 / alpha; }
};

// Float: the _21 kernels throughout, except the power, which is the high-accuracy one.
template <>
struct Prec<float> {
  static constexpr float kTwoPi = 6.2831855f;
  static constexpr uint32_t kPairKey = 1;
  static const float* cauchy_tab() { return _orqsCauchyTab; }
  static int32_t uniform(OrqStream s, int32_t n, float* r, float a, float b) {
    return _orqsRngUniform(0, s, n, r, a, b);
  }
  static void ln(int32_t n, float* x) { _zafsLn_21(n, x, x); }
  static void exp(int32_t n, float* x) { _zafsExp_21(n, x, x); }
  static void sqrt(int32_t n, float* x) { _zafsSqrt_21(n, x, x); }
  static void tan(int32_t n, float* x) { _zafsTan_21(n, x, x); }
  static void sin(int32_t n, float* x) { _zafsSin_21(n, x, x); }
  static void cos(int32_t n, float* x) { _zafsCos_21(n, x, x); }
  static void sincos(int32_t n, const float* x, float* s, float* c) { _zafsSinCos_21(n, x, s, c); }
  static void powx(int32_t n, float* x, float e) { _zafsPowx_HA(n, x, e, x); }
  // the exponent 1/alpha is divided in double and rounded once to float
  static float inverse(float alpha) { return static_cast<float>(1.0 / static_cast<double>(alpha)); }
};

// x = x * scale + shift over n elements (kept a plain loop the compiler vectorises).
template <class T>
inline void affine(int32_t n, T* x, T scale, T shift) {
  for (int32_t i = 0; i < n; ++i) x[i] = x[i] * scale + shift;
}

}  // namespace zaforq::orq
