// Gamma variates, written once for both precisions. The method follows from the shape alone:
// Marsaglia-Tsang above 1 (one candidate may be carried to the next call in a stream chunk),
// the standard exponential at 1, Vaduva's Weibull envelope on [0.6, 1) and the uniform-plus-
// exponential envelope of y = x^alpha below 0.6. Every method works in passes of at most 512
// candidates whose logarithms, exponentials, roots and sine-cosines are one kernel call each.
#pragma once
#include <stdlib.h>

#include "common/simd.h"
#include "orq_kernel/continuous/_common/prec.h"
#include "zaforq/orq_dist2.h"

namespace zaforq::orq {

constexpr int32_t kGammaPass = 512;

// The scalar logarithm of the second-stage test, and the carried candidate's chunk key.
inline double gamma_scalar_ln(double x) { return __orqdLn(x); }
inline float gamma_scalar_ln(float x) { return __orqsLn(x); }
template <class T>
constexpr uint32_t kGammaKey = sizeof(T) == 8 ? 7u : 8u;

// Set-up constants in double with the high-accuracy kernels, rounded once to the precision.
inline double ln_ha(double x) {
  _zafdLn_HA(1, &x, &x);
  return x;
}
inline double exp_ha(double x) {
  _zafdExp_HA(1, &x, &x);
  return x;
}

// Tests one Marsaglia-Tsang candidate (z, u); writes d v and returns true when accepted.
template <class T>
inline bool mt_accept(T z, T u, T c, T d, T* out) {
  const T w = T(1) + c * z;
  if (!(w > T(0))) return false;
  const T v = w * w * w;
  const T z2 = z * z;
  if (u < T(1) - T(0.0331) * z2 * z2 || gamma_scalar_ln(u) < T(0.5) * z2 + d * (T(1) - v + gamma_scalar_ln(v))) {
    *out = d * v;
    return true;
  }
  return false;
}

// Over a pass of k candidates (arrays padded to whole registers): dv = d (1 + c z)^3, and bit i
// of acc set where 1 + c z > 0 and u < 1 - 0.0331 z^4, the squeeze that decides most candidates.
template <class V, class T>
inline void mt_squeeze(int32_t k, const T* z, const T* u, T c, T d, T* dv, uint64_t* acc) {
  constexpr int32_t w = sizeof(V) / sizeof(T);
  const V vc = V::all(c), vd = V::all(d), one = V::all(T(1)), zero = V::all(T(0)), k4 = V::all(T(0.0331));
  for (int32_t i = 0; i < k; i += 64) {
    uint64_t bits = 0;
    for (int32_t j = 0; j < 64 && i + j < k; j += w) {
      const V zi = V::load(z + i + j), ui = V::load(u + i + j);
      const V t = one + vc * zi, z2 = zi * zi;
      (vd * (t * t * t)).store(dv + i + j);
      bits |= static_cast<uint64_t>(simd::movemask((zero < t) & (ui < one - k4 * z2 * z2))) << j;
    }
    acc[i / 64] = k - i < 64 ? bits & ((uint64_t(1) << (k - i)) - 1) : bits;  // no padding lanes
  }
}
inline void mt_squeeze(int32_t k, const double* z, const double* u, double c, double d, double* dv, uint64_t* acc) {
  mt_squeeze<simd::f64x2>(k, z, u, c, d, dv, acc);
}
inline void mt_squeeze(int32_t k, const float* z, const float* u, float c, float d, float* dv, uint64_t* acc) {
  mt_squeeze<simd::f32x4>(k, z, u, c, d, dv, acc);
}

template <class T>
int32_t gamma_marsaglia(OrqStream stream, int32_t n, T* r, T alpha, T a, T beta) {
  using P = Prec<T>;
  T* carry = static_cast<T*>(__orqSearchChunk(stream, kGammaKey<T>));
  if (!carry) {
    carry = static_cast<T*>(malloc(2 * sizeof(T)));
    if (!carry) return ORQ_STATUS_NO_MEMORY;
    carry[0] = carry[1] = T(-1);
    const int32_t added = __orqAddChunk(stream, kGammaKey<T>, carry, 2 * sizeof(T));
    if (added < 0) {
      free(carry);
      return added;
    }
  }
  if (n < 1) return 0;  // a carried candidate stays where it is
  const T d = alpha - T(1) / T(3);
  const T c = static_cast<T>(1.0 / __orqdSqrt(9.0 * static_cast<double>(alpha) - 3.0));
  int32_t done = 0;
  if (carry[0] != T(-1)) {
    const T u = carry[0], z = carry[1];
    carry[0] = carry[1] = T(-1);
    T x;
    if (mt_accept(z, u, c, d, &x)) r[done++] = x * beta + a;
  }
  int32_t status = 0;
  T b[2 * kGammaPass];
  T rad[kGammaPass / 2], th[kGammaPass / 2], sn[kGammaPass / 2], cs[kGammaPass / 2];
  T us[kGammaPass], dv[kGammaPass];
  auto kPad = [](int32_t k) { return (k + 3) & ~3; };
  while (done < n) {
    int32_t k = n - done < kGammaPass ? n - done : kGammaPass;
    k += k & 1;
    status = P::uniform(stream, 2 * k, b, T(0), T(1));
    if (status < 0) return status;
    const int32_t groups = k / 2;
    // each group of four uniforms (b0, b1, b2, b3): radius from b0, angle from b2
    for (int32_t g = 0; g < groups; ++g) {
      rad[g] = b[4 * g];
      th[g] = b[4 * g + 2] * P::kTwoPi;
    }
    P::ln(groups, rad);
    for (int32_t g = 0; g < groups; ++g) rad[g] = T(-2) * rad[g];
    P::sqrt(groups, rad);
    P::sincos(groups, th, sn, cs);
    // candidates in order, the group's sine first: z, u, and the squeeze's verdict with its
    // value d v, computed over the whole pass without a branch
    T* z = b;  // the uniforms' places are free once read: candidate i lands at or before 2i + 1
    for (int32_t g = 0; g < groups; ++g) {
      const T u1 = b[4 * g + 1], u2 = b[4 * g + 3];
      z[2 * g] = rad[g] * sn[g];
      z[2 * g + 1] = rad[g] * cs[g];
      us[2 * g] = u1;
      us[2 * g + 1] = u2;
    }
    for (int32_t i = k; i < kPad(k); ++i) z[i] = us[i] = T(0);
    uint64_t acc[kGammaPass / 64];
    mt_squeeze(k, z, us, c, d, dv, acc);
    // the candidates the squeeze leaves open (about one in ten for moderate shapes) get the full
    // test, found through the clear bits so that no loop branches on each candidate
    for (int32_t wd = 0; 64 * wd < k; ++wd) {
      const int32_t left = k - 64 * wd;
      uint64_t open = ~acc[wd] & (left < 64 ? (uint64_t(1) << left) - 1 : ~uint64_t(0));
      for (; open; open &= open - 1) {
        const int32_t j = __builtin_ctzll(open), i = 64 * wd + j;
        if (mt_accept(z[i], us[i], c, d, &dv[i])) acc[wd] |= uint64_t(1) << j;
      }
    }
    // the accepted values in order, the affine map applied while they are in cache
    if (n - done > k) {
      // this pass cannot complete the request: by pairs, each value written at the next place,
      // which an accepted one then keeps
      for (int32_t i = 0; i < k; i += 2) {
        const uint32_t pair = static_cast<uint32_t>(acc[i / 64] >> (i % 64)) & 3u;
        r[done] = dv[i] * beta + a;
        r[done + (pair & 1u)] = dv[i + 1] * beta + a;
        done += static_cast<int32_t>((pair & 1u) + (pair >> 1));
      }
    } else {
      for (int32_t i = 0; i < k; ++i) {
        if (!((acc[i / 64] >> (i % 64)) & 1u)) continue;
        r[done++] = dv[i] * beta + a;
        if (done == n) {
          if (i + 1 < k) {  // the group's second candidate was made but is not needed: keep it
            carry[0] = us[i + 1];
            carry[1] = z[i + 1];
          }
          break;
        }
      }
    }
  }
  return status;
}

template <class T>
int32_t gamma_vaduva(OrqStream stream, int32_t n, T* r, T alpha) {
  using P = Prec<T>;
  const double a = static_cast<double>(alpha);
  const T big_k = static_cast<T>(exp_ha(ln_ha(a) * a / (1.0 - a)) * (1.0 - a));
  const T inv = T(1) / alpha;
  T u[2 * kGammaPass];
  T e[kGammaPass];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kGammaPass ? n - done : kGammaPass;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    P::ln(2 * k, u);
    // Weibull candidate x = E^(1/alpha), E = -ln u1; accepted when x <= -ln u1 - K - ln u2
    for (int32_t i = 0; i < k; ++i) e[i] = -u[2 * i];
    P::ln(k, e);
    for (int32_t i = 0; i < k; ++i) e[i] *= inv;
    P::exp(k, e);
    for (int32_t i = 0; i < k; ++i) {
      const T t = -(u[2 * i] + big_k + u[2 * i + 1]);
      if (t >= e[i]) r[done++] = e[i];
    }
  }
  return status;
}

template <class T>
int32_t gamma_epd(OrqStream stream, int32_t n, T* r, T alpha) {
  using P = Prec<T>;
  const T one_minus = T(1) - alpha;
  const T inv = T(1) / alpha;
  T u[2 * kGammaPass];
  T lt[kGammaPass], x[kGammaPass];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kGammaPass ? n - done : kGammaPass;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    // y = u1 on [0, 1 - alpha) under the flat part of the envelope, else the exponential
    // tail y = (1 - alpha) - alpha ln t, t = (1 - u1) / alpha, whose envelope height is t
    for (int32_t i = 0; i < k; ++i) {
      x[i] = u[2 * i];
      lt[i] = x[i] < one_minus ? T(1) : (T(1) - x[i]) * inv;
    }
    P::ln(k, lt);
    for (int32_t i = 0; i < k; ++i) x[i] = x[i] < one_minus ? x[i] : one_minus - alpha * lt[i];
    P::ln(k, x);
    for (int32_t i = 0; i < k; ++i) x[i] *= inv;
    P::exp(k, x);
    for (int32_t i = 0; i < k; ++i) u[i] = u[2 * i + 1];
    P::ln(k, u);
    for (int32_t i = 0; i < k; ++i)
      if (u[i] + x[i] + lt[i] <= T(0)) r[done++] = x[i];
  }
  return status;
}

inline int32_t standard_exponential(OrqStream s, int32_t n, double* r) {
  return _orqdRngExponential(0, s, n, r, 0.0, 1.0);
}
inline int32_t standard_exponential(OrqStream s, int32_t n, float* r) {
  return _orqsRngExponential(0, s, n, r, 0.0f, 1.0f);
}

template <class T>
int32_t gamma(OrqStream stream, int32_t n, T* r, T alpha, T a, T beta) {
  int32_t status;
  if (alpha > T(1)) return gamma_marsaglia(stream, n, r, alpha, a, beta);
  if (alpha == T(1)) {
    if (n < 1) return 0;
    status = standard_exponential(stream, n, r);
  } else if (alpha >= T(0.6)) {
    status = gamma_vaduva(stream, n, r, alpha);
  } else {
    status = gamma_epd(stream, n, r, alpha);
  }
  if (status >= 0) affine(n, r, beta, a);
  return status;
}

}  // namespace zaforq::orq
