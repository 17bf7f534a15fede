// Correlation of rank 1 through the FFT convolution primitive: single data widened to double, results rounded to single.
#include "orq_kernel/conv_corr/_common/fft.h"

extern "C" int32_t _orqCorrSDFft1D_dec(const float* x, int32_t xStride, const float* y, int32_t yStride, float* z, int32_t zStride,
                               int32_t nx, int32_t ny, int32_t start, int32_t nz, int32_t decimation) {
  return zaforq::cc::fft_1d<float, double, false>(x, xStride, y, yStride, z, zStride, nx, ny, start, nz, decimation);
}
