// Box-Muller Gaussian variates, written once for both precisions.
//
// Method 0 turns each pair of uniforms (u1, u2) into one variate sqrt(-2 ln u1) sin(2 pi u2).
// Method 1 turns each pair into two, R sin and R cos, and keeps the raw pair of an odd last
// variate in a chunk of the stream, so that the next call on the stream starts with its cosine:
// a request split into several calls then pairs the same uniforms, in the same order, as one call.
#pragma once
#include <stdlib.h>

#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

constexpr int32_t kGaussBlock = 1024;

// Method 0: blocks of up to 1024 variates, each from 2048 uniforms.
template <class T>
int32_t box_muller(OrqStream stream, int32_t n, T* r, T a, T sigma) {
  using P = Prec<T>;
  if (n < 1) return 0;
  T u[2 * kGaussBlock];
  T rad[kGaussBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kGaussBlock ? n - done : kGaussBlock;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    // u1 (even places) to rad, the angle of u2 (odd places) to the front of u: each write lands
    // on a place already read
    for (int32_t i = 0; i < k; ++i) {
      rad[i] = u[2 * i];
      u[i] = u[2 * i + 1] * P::kTwoPi;
    }
    P::sin(k, u);
    P::ln(k, rad);
    for (int32_t i = 0; i < k; ++i) rad[i] = -(rad[i] + rad[i]);
    P::sqrt(k, rad);
    T* out = r + done;
    for (int32_t i = 0; i < k; ++i) out[i] = rad[i] * u[i] * sigma + a;
    done += k;
  }
  return status;
}

// Method 1, one transformed block of p pairs: draws 2p uniforms and writes R sin, R cos pair after
// pair into out[0 .. 2p), mapped to x sigma + a while the block is in cache. The map rounds the
// stored products exactly as a separate pass over the whole output would.
template <class T>
int32_t box_muller_pairs(OrqStream stream, int32_t p, T* out, T a, T sigma) {
  using P = Prec<T>;
  T u[kGaussBlock];
  T rad[kGaussBlock / 2], cs[kGaussBlock / 2];
  const int32_t status = P::uniform(stream, 2 * p, u, T(0), T(1));
  if (status < 0) return status;
  for (int32_t i = 0; i < p; ++i) {
    rad[i] = u[2 * i];
    u[i] = u[2 * i + 1] * P::kTwoPi;
  }
  // the sines go to the upper half of u, whose raw values are all read by now
  T* sn = u + kGaussBlock / 2;
  P::sincos(p, u, sn, cs);
  P::ln(p, rad);
  for (int32_t i = 0; i < p; ++i) rad[i] = -(rad[i] + rad[i]);
  P::sqrt(p, rad);
  for (int32_t i = 0; i < p; ++i) {
    const T x = rad[i] * sn[i], y = rad[i] * cs[i];
    out[2 * i] = x * sigma + a;
    out[2 * i + 1] = y * sigma + a;
  }
  return status;
}

// sqrt(-2 ln u1) by one-element kernel calls, for the pair carried across calls.
template <class T>
T pair_radius(T u1) {
  using P = Prec<T>;
  P::ln(1, &u1);
  u1 = -(u1 + u1);
  P::sqrt(1, &u1);
  return u1;
}

template <class T>
int32_t box_muller2(OrqStream stream, int32_t n, T* r, T a, T sigma) {
  using P = Prec<T>;
  if (n < 1) return 0;
  T* pair = static_cast<T*>(__orqSearchChunk(stream, P::kPairKey));
  if (!pair) {
    pair = static_cast<T*>(malloc(2 * sizeof(T)));
    if (!pair) return ORQ_STATUS_NO_MEMORY;
    pair[0] = pair[1] = T(-1);
    const int32_t added = __orqAddChunk(stream, P::kPairKey, pair, 2 * sizeof(T));
    if (added < 0) {
      free(pair);
      return added;
    }
  }
  int32_t status = 0;
  int32_t index = 0;
  if (pair[0] != T(-1)) {  // the cosine half of the pair the previous call left
    T theta = pair[1] * P::kTwoPi;
    P::cos(1, &theta);
    const T x = pair_radius(pair[0]) * theta;
    r[0] = x * sigma + a;
    pair[0] = pair[1] = T(-1);  // delivered: never twice, even if a draw below fails
    index = 1;
  }
  const int32_t m = n - index;
  for (int32_t b = m / kGaussBlock; b > 0; --b) {
    status = box_muller_pairs(stream, kGaussBlock / 2, r + index, a, sigma);
    if (status < 0) return status;
    index += kGaussBlock;
  }
  const int32_t p = (n - index) / 2;
  if (p > 0) {
    status = box_muller_pairs(stream, p, r + index, a, sigma);
    if (status < 0) return status;
    index += 2 * p;
  }
  if (m & 1) {  // odd tail: deliver the sine now, keep the raw pair for its cosine
    T u[2];
    status = P::uniform(stream, 2, u, T(0), T(1));
    if (status < 0) return status;
    T theta = u[1] * P::kTwoPi;
    P::sin(1, &theta);
    const T x = pair_radius(u[0]) * theta;
    r[index] = x * sigma + a;
    pair[0] = u[0];
    pair[1] = u[1];
  }
  return status;
}

template <class T>
using GaussianFn = int32_t (*)(OrqStream, int32_t, T*, T, T);

// The method table; method numbers are checked by the entry before they index it.
template <class T>
int32_t gaussian(int32_t method, OrqStream stream, int32_t n, T* r, T a, T sigma, const GaussianFn<T> (&dispatch)[2]) {
  if (method != ORQ_GAUSSIAN_BOXMULLER && method != ORQ_GAUSSIAN_BOXMULLER2) return ORQ_STATUS_UNKNOWN_METHOD;
  return dispatch[method](stream, n, r, a, sigma);
}

}  // namespace zaforq::orq
