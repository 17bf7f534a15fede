// Correlation of rank 1 by direct summation with decimation 1, single data and arithmetic.
#include "orq_kernel/conv_corr/_common/direct.h"

extern "C" int32_t _orqCorrSSDirect1D_nodec(const float* x, int32_t xStride, const float* y, int32_t yStride, float* z,
                                 int32_t zStride, int32_t nx, int32_t ny, int32_t start, int32_t nz) {
  return zaforq::cc::direct_1d<float, float, false>(x, xStride, y, yStride, z, zStride, nx, ny, start, nz, 1);
}
