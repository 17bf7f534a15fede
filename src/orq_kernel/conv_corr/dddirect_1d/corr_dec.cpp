// Correlation of rank 1 by direct summation: double data and arithmetic.
#include "orq_kernel/conv_corr/_common/direct.h"

extern "C" int32_t _orqCorrDDDirect1D_dec(const double* x, int32_t xStride, const double* y, int32_t yStride, double* z, int32_t zStride,
                               int32_t nx, int32_t ny, int32_t start, int32_t nz, int32_t decimation) {
  return zaforq::cc::direct_1d<double, double, false>(x, xStride, y, yStride, z, zStride, nx, ny, start, nz, decimation);
}
