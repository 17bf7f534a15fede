// The direct kernels, written once for every data type E and arithmetic type A: validation in
// the order of the status codes, staging of the operands that are reversed, strided or
// converted, the correlation core, and the scatter of a staged result.
#pragma once
#include <stdint.h>

#include <type_traits>

#include "orq_kernel/conv_corr/_common/cores_paths.h"
#include "orq_kernel/conv_corr/_common/staging.h"

namespace zaforq::cc {

// Start range of one dimension: 0 .. nx+ny-2 for convolution, 1-nx .. ny-1 for correlation;
// then decimation at least 1 and the last requested output inside the range.
template <bool Conv>
inline int32_t check_start(int64_t nx, int64_t ny, int64_t nz, int64_t start, int64_t dec) {
  const int64_t first = Conv ? 0 : 1 - nx;
  const int64_t last = Conv ? nx + ny - 2 : ny - 1;
  if (start < first || start > last) return ORQ_CC_STATUS_BAD_START;
  if (dec < 1 || start + (nz - 1) * dec > last) return ORQ_CC_STATUS_BAD_DECIMATION;
  return ORQ_CC_STATUS_OK;
}

// Every rank-1 kernel, direct or FFT, checks its operands in this order.
template <bool Conv, class E>
inline int32_t check_rank1(const E* x, int32_t nx, const E* y, int32_t ny, const E* z, int32_t zs, int32_t nz,
                           int32_t start, int32_t dec) {
  if (!x) return ORQ_CC_STATUS_BAD_X;
  if (nx < 1) return ORQ_CC_STATUS_BAD_X_SHAPE;
  if (!y) return ORQ_CC_STATUS_BAD_Y;
  if (ny < 1) return ORQ_CC_STATUS_BAD_Y_SHAPE;
  if (!z) return ORQ_CC_STATUS_BAD_Z;
  if (nz < 1) return ORQ_CC_STATUS_BAD_Z_SHAPE;
  if (zs == 0) return ORQ_CC_STATUS_BAD_Z_STRIDE;
  return check_start<Conv>(nx, ny, nz, start, dec);
}

template <class E, class A, bool Conv>
int32_t direct_1d(const E* x, int32_t xs, const E* y, int32_t ys, E* z, int32_t zs, int32_t nx, int32_t ny,
                  int32_t start, int32_t nz, int32_t dec) {
  if (const int32_t r = check_rank1<Conv>(x, nx, y, ny, z, zs, nz, start, dec)) return r;

  constexpr bool widen = !std::is_same_v<E, A>;
  WorkBuffer<A> xb, yb, zb;
  const A* xa;
  const A* ya;
  A* za;
  if (Conv || xs != 1 || widen) {
    if (!xb.allocate(size_t(nx))) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    pack(xb.get(), x, nx, xs, Conv);
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
  if (zs != 1 || widen) {
    if (!zb.allocate(size_t(nz))) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    za = zb.get();
  } else {
    za = reinterpret_cast<A*>(z);
  }
  const int64_t shift = Conv ? int64_t(start) - nx + 1 : int64_t(start);
  path_correlate_1d(xa, nx, ya, ny, za, nz, shift, dec);
  if (zb.get()) unpack(zb.get(), z, nz, zs);
  return ORQ_CC_STATUS_OK;
}

// Ranks 1 .. 7. A null stride vector means dense, a null start the default start, a null
// decimation 1 everywhere; a null shape vector is reported as a bad shape.
template <class E, class A, bool Conv>
int32_t direct_all(int32_t rank, const E* x, const int32_t* xShape, const int32_t* xStride, const E* y,
                   const int32_t* yShape, const int32_t* yStride, E* z, const int32_t* zShape,
                   const int32_t* zStride, const int32_t* start, const int32_t* decimation) {
  if (rank < 1 || rank > kMaxRank) return ORQ_CC_STATUS_UNSUPPORTED;
  if (!x) return ORQ_CC_STATUS_BAD_X;
  if (!y) return ORQ_CC_STATUS_BAD_Y;
  if (!z) return ORQ_CC_STATUS_BAD_Z;
  if (!xShape) return ORQ_CC_STATUS_BAD_X_SHAPE;
  if (!yShape) return ORQ_CC_STATUS_BAD_Y_SHAPE;
  if (!zShape) return ORQ_CC_STATUS_BAD_Z_SHAPE;
  int32_t xsd[kMaxRank], ysd[kMaxRank], zsd[kMaxRank], st[kMaxRank], dec[kMaxRank];
  for (int d = 0; d < rank; ++d) {
    if (xShape[d] < 1) return ORQ_CC_STATUS_BAD_X_SHAPE;
    if (yShape[d] < 1) return ORQ_CC_STATUS_BAD_Y_SHAPE;
    if (zShape[d] < 1) return ORQ_CC_STATUS_BAD_Z_SHAPE;
    if (zStride && zStride[d] == 0) return ORQ_CC_STATUS_BAD_Z_STRIDE;
    st[d] = start ? start[d] : (Conv ? 0 : 1 - xShape[d]);
    dec[d] = decimation ? decimation[d] : 1;
    if (const int32_t r = check_start<Conv>(xShape[d], yShape[d], zShape[d], st[d], dec[d])) return r;
  }
  // Dense strides where none were given; a shape whose dense strides do not fit the 32-bit
  // stride words cannot be described by the caller either.
  const int32_t* shapes[3] = {xShape, yShape, zShape};
  int32_t* dense[3] = {xsd, ysd, zsd};
  for (int o = 0; o < 3; ++o) {
    int64_t ds[kMaxRank];
    densestride(ds, shapes[o], rank);
    for (int d = 0; d < rank; ++d) {
      if (ds[d] > INT32_MAX) return ORQ_CC_STATUS_NO_WORK_MEMORY;
      dense[o][d] = static_cast<int32_t>(ds[d]);
    }
  }
  if (!xStride) xStride = xsd;
  if (!yStride) yStride = ysd;
  if (!zStride) zStride = zsd;

  size_t nxt, nyt, nzt;
  if (!datasize(xShape, rank, nxt) || !datasize(yShape, rank, nyt) || !datasize(zShape, rank, nzt))
    return ORQ_CC_STATUS_NO_WORK_MEMORY;
  constexpr bool widen = !std::is_same_v<E, A>;
  WorkBuffer<A> xb, yb, zb;
  const A* xa;
  const A* ya;
  A* za;
  if (Conv || widen || !is_dense(xStride, xShape, rank)) {
    if (!xb.allocate(nxt)) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    pack(xb.get(), x, rank, xShape, xStride, Conv);
    xa = xb.get();
  } else {
    xa = reinterpret_cast<const A*>(x);
  }
  if (widen || !is_dense(yStride, yShape, rank)) {
    if (!yb.allocate(nyt)) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    pack(yb.get(), y, rank, yShape, yStride, false);
    ya = yb.get();
  } else {
    ya = reinterpret_cast<const A*>(y);
  }
  if (widen || !is_dense(zStride, zShape, rank)) {
    if (!zb.allocate(nzt)) return ORQ_CC_STATUS_NO_WORK_MEMORY;
    za = zb.get();
  } else {
    za = reinterpret_cast<A*>(z);
  }
  int64_t shift[kMaxRank];
  for (int d = 0; d < rank; ++d) shift[d] = Conv ? int64_t(st[d]) - xShape[d] + 1 : int64_t(st[d]);
  path_correlate_all(rank, xa, xShape, ya, yShape, za, zShape, shift, dec);
  if (zb.get()) unpack(zb.get(), z, rank, zShape, zStride);
  return ORQ_CC_STATUS_OK;
}

}  // namespace zaforq::cc
