// Ratio-of-uniforms rejection for log-concave discrete distributions far from 0, shared by the
// negative binomial (mode 100 and above) and the hypergeometric (mode 40 or more above its lower
// bound). A candidate is k = floor(c + h (2v - 1) / u) from two float uniforms, c = mode + 1/2; it
// is accepted when u^2 <= f(k) / f(mode). The half-width h is the largest sqrt(f(k) / f(mode))
// |x - c| over the steps [k, k + 1) of the pmf, found at set-up by bisection on the sign of
// the steps of a concave sequence on each side of the mode, so the method is exact for any
// log-concave pmf. Logarithms of factorials come from a 16-entry table and Stirling's series
// evaluated on four arguments at once by the vector kernels.
#pragma once
#include <stdint.h>

#include "zaforq/orq_dist.h"
#include "zaforq/zaf_kernels.h"

namespace zaforq::orq {

// ln k! for k = 0 .. 15
constexpr double dbLogFact[16] = {0.0,
                                  0.0,
                                  0.6931471805599453,
                                  1.791759469228055,
                                  3.1780538303479458,
                                  4.787491742782046,
                                  6.579251212010101,
                                  8.525161361065415,
                                  10.60460290274525,
                                  12.801827480081469,
                                  15.104412573075516,
                                  17.502307845873887,
                                  19.987214495661885,
                                  22.552163853123425,
                                  25.19122118273868,
                                  27.89927138384089};

constexpr double kLnSqrt2Pi = 0.9189385332;

// ln k! for four non-negative integers given as doubles, summed with the signs in sign[].
inline double log_fact4(const double k[4], const double sign[4]) {
  double lk[4], ik[4], big[4];
  for (int i = 0; i < 4; ++i) big[i] = k[i] < 16.0 ? 16.0 : k[i];
  _zafdLn_HA(4, big, lk);
  _zafdInv_HA(4, big, ik);
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const double v = k[i] < 16.0 ? dbLogFact[static_cast<int32_t>(k[i])]
                                  : kLnSqrt2Pi - big[i] + (big[i] + 0.5) * lk[i] +
                                        ik[i] * (1.0 / 12 - (1.0 / 360) * ik[i] * ik[i]);
    sum += sign[i] * v;
  }
  return sum;
}

// ln k! for one non-negative integer k, by the table or Stirling's series with the scalar
// logarithm (no kernel call: this is evaluated once per candidate).
inline double log_fact(double k) {
  if (k < 16.0) return dbLogFact[static_cast<int32_t>(k)];
  const double ik = 1.0 / k;
  return kLnSqrt2Pi - k + (k + 0.5) * __orqdLn(k) + ik * (1.0 / 12 - (1.0 / 360) * ik * ik);
}

// ln Gamma(x) for real x > 0: shifted up to 16 by the recurrence, then Stirling's series.
inline double log_gamma(double x) {
  double shift = 1.0;
  while (x < 16.0) {
    shift *= x;
    x += 1.0;
  }
  const double ix = 1.0 / x, ix2 = ix * ix;
  return (x - 0.5) * __orqdLn(x) - x + 0.9189385332046727 + ix * (1.0 / 12 - ix2 * (1.0 / 360 - ix2 / 1260.0)) -
         __orqdLn(shift);
}

struct RouSetup {
  double c;        // mode + 1/2
  double h;        // half-width of the v range
  double lo, hi;   // the support
};

// h for ln(f(k) / f(mode)) given by lr, over the support [lo, hi].
template <class LogRatio>
double rou_width(const LogRatio& lr, double mode, double lo, double hi) {
  const double c = mode + 0.5;
  // phi(k) = lr(k) / 2 + ln(distance of the step's far end from c); concave on each side
  auto right = [&](double k) { return 0.5 * lr(k) + __orqdLn(k + 1.0 - c); };
  auto left = [&](double k) { return 0.5 * lr(k) + __orqdLn(c - k); };
  double a = mode, b = hi;  // first k in [mode, hi] with phi(k + 1) <= phi(k)
  while (a < b) {
    const double mid = a + static_cast<double>(static_cast<int64_t>((b - a) * 0.5));
    if (right(mid + 1.0) <= right(mid)) b = mid;
    else a = mid + 1.0;
  }
  double best = right(a);
  a = lo, b = mode;  // first k in [lo, mode] with phi(k + 1) <= phi(k)
  while (a < b) {
    const double mid = a + static_cast<double>(static_cast<int64_t>((b - a) * 0.5));
    if (left(mid + 1.0) <= left(mid)) b = mid;
    else a = mid + 1.0;
  }
  const double l = left(a);
  if (l > best) best = l;
  double e = best;
  _zafdExp_HA(1, &e, &e);
  return e * 1.0001;  // a hair wider than the bound: rounding never cuts the region
}

// Draws n variates into r. lr(k) gives ln(f(k) / f(mode)) for k in the support.
template <class LogRatio>
int32_t rou_sample(OrqStream stream, int32_t n, int32_t* r, const RouSetup& s, const LogRatio& lr) {
  constexpr int32_t kPass = 1024;
  float u[kPass];
  float lu[kPass / 2];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t want = 2 * (n - done) < kPass ? 2 * (n - done) : kPass;
    status = _orqsRngUniform(0, stream, want, u, 0.0f, 1.0f);
    if (status < 0) return status;
    const int32_t pairs = want / 2;
    for (int32_t i = 0; i < pairs; ++i) lu[i] = u[2 * i];
    _zafsLn_21(pairs, lu, lu);
    for (int32_t i = 0; i < pairs; ++i) {
      const float uu = u[2 * i];
      if (!(uu > 0.0f)) continue;
      const double x = s.c + s.h * (2.0 * u[2 * i + 1] - 1.0) / uu;
      if (!(x >= s.lo && x < s.hi + 1.0)) continue;
      const double k = static_cast<double>(static_cast<int64_t>(x));
      if (2.0 * static_cast<double>(lu[i]) <= lr(k)) r[done++] = static_cast<int32_t>(k);
    }
  }
  return status;
}

}  // namespace zaforq::orq
