// The FFT method kernels of rank 1, written once for every data and arithmetic type: validate
// as the direct kernels do, gather the operands densely (x reversed for correlation), let the
// convolution primitive compute the full linear convolution, pick the requested outputs.
#pragma once
#include <stdint.h>

#include <type_traits>

#include "gax/gax.h"
#include "orq_kernel/conv_corr/_common/direct.h"

namespace zaforq::cc {

inline int32_t full_convolution(const float* a, int32_t na, const float* b, int32_t nb, float* c) {
  return gax::conv_full(a, na, b, nb, c);
}
inline int32_t full_convolution(const double* a, int32_t na, const double* b, int32_t nb, double* c) {
  return gax::conv_full(a, na, b, nb, c);
}

template <class E, class A, bool Conv>
int32_t fft_1d(const E* x, int32_t xs, const E* y, int32_t ys, E* z, int32_t zs, int32_t nx, int32_t ny,
               int32_t start, int32_t nz, int32_t dec) {
  if (const int32_t r = check_rank1<Conv>(x, nx, y, ny, z, zs, nz, start, dec)) return r;
  // The full result has nx + ny - 1 values; the primitive counts them in 32 bits.
  const int64_t nfull = int64_t(nx) + ny - 1;
  if (nfull > INT32_MAX) return ORQ_CC_STATUS_NO_WORK_MEMORY;

  constexpr bool widen = !std::is_same_v<E, A>;
  WorkBuffer<A> xb, yb, cb;
  const A* xa;
  const A* ya;
  if (!Conv || xs != 1 || widen) {
    if (!xb.allocate(size_t(nx))) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    pack(xb.get(), x, nx, xs, !Conv);
    xa = xb.get();
  } else {
    xa = reinterpret_cast<const A*>(x);
  }
  if (ys != 1 || widen) {
    if (!yb.allocate(size_t(ny))) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    pack(yb.get(), y, ny, ys, false);
    ya = yb.get();
  } else {
    ya = reinterpret_cast<const A*>(y);
  }
  // Every output wanted, densely and in the arithmetic type: the primitive writes z itself
  // (validation has then forced the full range with decimation 1).
  const bool in_place = !widen && zs == 1 && nz == nfull;
  A* c;
  if (in_place) {
    c = reinterpret_cast<A*>(z);
  } else {
    if (!cb.allocate(size_t(nfull))) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    c = cb.get();
  }
  if (full_convolution(xa, nx, ya, ny, c) != 0) return ORQ_CC_STATUS_FFT_FAILED;
  if (!in_place) {
    // z[k] = c[offset + k dec], laid out by the addressing convention of z's stride.
    const int64_t offset = Conv ? int64_t(start) : int64_t(nx) - 1 + start;
    E* p = z + origin(&zs, &nz, 1);
    const ptrdiff_t s = zs;
    for (int32_t k = 0; k < nz; ++k) p[k * s] = static_cast<E>(c[offset + int64_t(k) * dec]);
  }
  return ORQ_CC_STATUS_OK;
}

}  // namespace zaforq::cc
