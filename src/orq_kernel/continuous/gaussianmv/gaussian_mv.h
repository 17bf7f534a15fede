// Multivariate Gaussian vectors y = a + T z: the standard normals of all n vectors are drawn in
// one call, so the Gaussian works on one long array, and each vector is then multiplied by the
// triangular factor in place through a work vector.
#pragma once
#include <stdlib.h>

#include "zaforq/orq_dist.h"

namespace zaforq::orq {

template <class T>
using GaussianEntry = int32_t (*)(int32_t, OrqStream, int32_t, T*, T, T);

// Full storage, plain: w_i = sum over j <= i of T[i d + j] z_j, from j = 0 upwards.
template <class T>
void lower_full(int32_t d, const T* t, const T* z, T* w) {
  for (int32_t i = 0; i < d; ++i) {
    const T* row = t + static_cast<size_t>(i) * d;
    T s = 0;
    for (int32_t j = 0; j <= i; ++j) s += row[j] * z[j];
    w[i] = s;
  }
}

// Full storage, four rows at a time: each z_j loaded once serves four rows, and the four sums
// are independent chains. Rows i0..i0+3 share the columns up to i0; the small triangle after
// it is added last.
template <class T>
void lower_full_blocked(int32_t d, const T* t, const T* z, T* w) {
  int32_t i0 = 0;
  for (; i0 + 4 <= d; i0 += 4) {
    const T* r0 = t + static_cast<size_t>(i0) * d;
    const T *r1 = r0 + d, *r2 = r1 + d, *r3 = r2 + d;
    T s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    for (int32_t j = 0; j <= i0; ++j) {
      const T zj = z[j];
      s0 += r0[j] * zj;
      s1 += r1[j] * zj;
      s2 += r2[j] * zj;
      s3 += r3[j] * zj;
    }
    s1 += r1[i0 + 1] * z[i0 + 1];
    s2 += r2[i0 + 1] * z[i0 + 1] + r2[i0 + 2] * z[i0 + 2];
    s3 += r3[i0 + 1] * z[i0 + 1] + r3[i0 + 2] * z[i0 + 2] + r3[i0 + 3] * z[i0 + 3];
    w[i0] = s0, w[i0 + 1] = s1, w[i0 + 2] = s2, w[i0 + 3] = s3;
  }
  for (int32_t i = i0; i < d; ++i) {
    const T* row = t + static_cast<size_t>(i) * d;
    T s = 0;
    for (int32_t j = 0; j <= i; ++j) s += row[j] * z[j];
    w[i] = s;
  }
}

// Packed storage, column by column: column j holds (j, j), (j + 1, j), ..., (d - 1, j).
template <class T>
void lower_packed(int32_t d, const T* t, const T* z, T* w) {
  for (int32_t i = 0; i < d; ++i) w[i] = 0;
  const T* col = t;
  for (int32_t j = 0; j < d; ++j) {
    const T zj = z[j];
    for (int32_t i = j; i < d; ++i) w[i] += col[i - j] * zj;
    col += d - j;
  }
}

template <class T>
int32_t gaussian_mv(int32_t method, OrqStream stream, int32_t n, T* r, int32_t d, int32_t mstorage, const T* a,
                    const T* t, GaussianEntry<T> gaussian) {
  if (d == 1) return gaussian(method, stream, n, r, a[0], t[0]);
  const int32_t status = gaussian(method, stream, n * d, r, T(0), T(1));
  if (status < 0) return status;
  if (mstorage == ORQ_MV_STORAGE_DIAG) {
    for (int32_t k = 0; k < n; ++k) {
      T* z = r + static_cast<size_t>(k) * d;
      for (int32_t i = 0; i < d; ++i) z[i] = t[i] * z[i] + a[i];
    }
    return status;
  }
  if (mstorage != ORQ_MV_STORAGE_FULL && mstorage != ORQ_MV_STORAGE_PACKED) return status;
  constexpr int32_t kLocal = 1023;
  constexpr int32_t kBlockedFrom = 43;
  T local[kLocal];
  T* w = local;
  if (d > kLocal) {
    w = static_cast<T*>(malloc(static_cast<size_t>(d) * sizeof(T)));
    if (!w) return ORQ_STATUS_NO_MEMORY;
  }
  for (int32_t k = 0; k < n; ++k) {
    T* z = r + static_cast<size_t>(k) * d;
    if (mstorage == ORQ_MV_STORAGE_PACKED) lower_packed(d, t, z, w);
    else if (d < kBlockedFrom) lower_full(d, t, z, w);
    else lower_full_blocked(d, t, z, w);
    for (int32_t i = 0; i < d; ++i) z[i] = w[i] + a[i];
  }
  if (w != local) free(w);
  return status;
}

}  // namespace zaforq::orq
