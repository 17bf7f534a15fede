// Beta variates, written once for both precisions. The method follows from the shapes alone:
// both below 1, Johnk's or Atkinson and Whittaker's switching method, whichever the quadratic
// switch koef_k p^2 + q + koef_c favours; one below and one above 1, the switching method for
// that case (run on the exchanged shapes, then reflected, when p is the larger); both above 1,
// Cheng's BA; a shape of exactly 1, a power of one uniform. Rejection methods work in passes of
// at most 512 candidates, each transformed by whole-array kernel calls, accepted values appended
// in candidate order.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"
#include "zaforq/orq_dist2.h"

namespace zaforq::orq {

constexpr int32_t kBetaPass = 512;
constexpr double koef_k = 0.8522552176537243;
constexpr double koef_c = -0.9562409713408151;
constexpr double log_4_i = 1.3862943611198906;  // ln 4

namespace beta_setup {  // set-up values in double with the high-accuracy kernels
inline double ln(double x) {
  _zafdLn_HA(1, &x, &x);
  return x;
}
inline double exp(double x) {
  _zafdExp_HA(1, &x, &x);
  return x;
}
inline double sqrt(double x) {
  _zafdSqrt_HA(1, &x, &x);
  return x;
}
}  // namespace beta_setup

// u^(1/e) for n uniforms, by logarithm, product and exponential.
template <class T>
void unit_power(int32_t n, T* u, T inv_e) {
  Prec<T>::ln(n, u);
  for (int32_t i = 0; i < n; ++i) u[i] *= inv_e;
  Prec<T>::exp(n, u);
}

template <class T>
int32_t beta_johnk(OrqStream stream, int32_t n, T* r, T p, T q) {
  using P = Prec<T>;
  const T ip = T(1) / p, iq = T(1) / q;
  T u[2 * kBetaPass];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t m = 2 * (n - done) < 2 * kBetaPass ? 2 * (n - done) : 2 * kBetaPass;
    status = P::uniform(stream, m, u, T(0), T(1));
    if (status < 0) return status;
    P::ln(m, u);
    for (int32_t i = 0; i < m; i += 2) {
      u[i] *= ip;
      u[i + 1] *= iq;
    }
    P::exp(m, u);
    for (int32_t i = 0; i < m; i += 2) {
      const T s = u[i] + u[i + 1];
      if (s > T(0) && s <= T(1)) r[done++] = u[i] / s;
    }
  }
  return status;
}

// Atkinson and Whittaker's switching method for p < 1 with q < 1 (both == true) or q > 1: the
// envelope is x^(p-1) on [0, t] (times (1 - t)^(q-1) when q < 1) and t^(p-1) (1 - x)^(q-1) on
// [t, 1], chosen with probability w and 1 - w. The first uniform picks the side and, rescaled,
// gives the candidate; the second is the acceptance uniform. With flip, deliver 1 - x.
template <class T>
int32_t beta_atkinson(OrqStream stream, int32_t n, T* r, T pt, T qt, bool both, bool flip) {
  using P = Prec<T>;
  namespace S = beta_setup;
  const double p = pt, q = qt;
  double t, w;
  if (both) {
    const double a = S::sqrt(p * (1.0 - p)), b = S::sqrt(q * (1.0 - q));
    t = a / (a + b);
    w = q * t / (q * t + p * (1.0 - t));
  } else {
    t = (1.0 - p) / (q + 1.0 - p);
    const double tail = S::exp(q * S::ln(1.0 - t));  // (1 - t)^q
    w = q * t / (q * t + p * tail);
  }
  const T tt = static_cast<T>(t), ww = static_cast<T>(w), one_w = static_cast<T>(1.0 - w);
  const T ip = T(1) / pt, iq = T(1) / qt, pm1 = pt - T(1), qm1 = qt - T(1);
  const T ln_t = static_cast<T>(S::ln(t)), ln_1t = static_cast<T>(S::ln(1.0 - t));
  const T cut_left = both ? ln_1t : T(0);  // the left envelope's factor (1 - t)^(q-1), in logs
  T u[2 * kBetaPass];
  T pw[kBetaPass], lg[2 * kBetaPass];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBetaPass ? n - done : kBetaPass;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    for (int32_t i = 0; i < k; ++i) {
      const T u1 = u[2 * i];
      pw[i] = u1 < ww ? u1 / ww : (u1 - ww) / one_w;
    }
    P::ln(k, pw);
    for (int32_t i = 0; i < k; ++i) pw[i] *= u[2 * i] < ww ? ip : iq;
    P::exp(k, pw);
    // candidate x; then ln(1 - x) (left side) or ln x (right side), and ln of the second uniform
    for (int32_t i = 0; i < k; ++i) {
      const bool left = u[2 * i] < ww;
      const T x = left ? tt * pw[i] : T(1) - (T(1) - tt) * pw[i];
      pw[i] = x;
      lg[i] = left ? T(1) - x : x;
      lg[k + i] = u[2 * i + 1];
    }
    P::ln(2 * k, lg);
    for (int32_t i = 0; i < k; ++i) {
      const bool left = u[2 * i] < ww;
      const T bound = left ? qm1 * (lg[i] - cut_left) : pm1 * (lg[i] - ln_t);
      if (lg[k + i] <= bound) r[done++] = flip ? T(1) - pw[i] : pw[i];
    }
  }
  return status;
}

// Cheng's BA for p > 1 and q > 1.
template <class T>
int32_t beta_cheng(OrqStream stream, int32_t n, T* r, T p, T q) {
  using P = Prec<T>;
  namespace S = beta_setup;
  const double s = static_cast<double>(p) + q;
  const T b = static_cast<T>(S::sqrt((s - 2.0) / (2.0 * p * q - s)));
  const T g = p + T(1) / b;
  const T st = static_cast<T>(s);
  const T lead = static_cast<T>(s * S::ln(s) - log_4_i);
  T u[3 * kBetaPass];
  T v[kBetaPass], w[kBetaPass];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBetaPass ? n - done : kBetaPass;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    for (int32_t i = 0; i < k; ++i) u[2 * k + i] = T(1) - u[2 * i];
    P::ln(3 * k, u);
    for (int32_t i = 0; i < k; ++i) v[i] = b * (u[2 * i] - u[2 * k + i]);
    for (int32_t i = 0; i < k; ++i) w[i] = v[i];
    P::exp(k, w);
    for (int32_t i = 0; i < k; ++i) {
      w[i] *= p;
      u[2 * k + i] = q + w[i];  // 1 - u1 is spent; its place takes q + w
    }
    P::ln(k, u + 2 * k);
    for (int32_t i = 0; i < k; ++i) {
      const T test = lead - st * u[2 * k + i] + g * v[i] - (T(2) * u[2 * i] + u[2 * i + 1]);
      if (test >= T(0)) r[done++] = w[i] / (q + w[i]);
    }
  }
  return status;
}

template <class T>
int32_t beta(OrqStream stream, int32_t n, T* r, T p, T q, T a, T scale) {
  using P = Prec<T>;
  int32_t status = 0;
  if (n < 1) return 0;
  if (p == T(1) || q == T(1)) {
    // a shape of 1: the other shape's power of one uniform (reflected when p is the 1)
    status = P::uniform(stream, n, r, T(0), T(1));
    if (status < 0) return status;
    if (p == T(1)) {
      unit_power(n, r, T(1) / q);
      for (int32_t i = 0; i < n; ++i) r[i] = T(1) - r[i];
    } else {
      unit_power(n, r, T(1) / p);
    }
  } else if (p < T(1) && q < T(1)) {
    if (koef_k * static_cast<double>(p) * p + q + koef_c > 0.0)
      status = beta_atkinson(stream, n, r, p, q, true, false);
    else
      status = beta_johnk(stream, n, r, p, q);
  } else if (p < T(1)) {
    status = beta_atkinson(stream, n, r, p, q, false, false);
  } else if (q < T(1)) {
    status = beta_atkinson(stream, n, r, q, p, false, true);
  } else {
    status = beta_cheng(stream, n, r, p, q);
  }
  if (status >= 0) affine(n, r, scale, a);
  return status;
}

}  // namespace zaforq::orq
