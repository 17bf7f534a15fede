// Correlation of ranks 2 to 7 (and 1) by direct summation: single data, double arithmetic, results rounded to single.
#include "orq_kernel/conv_corr/_common/direct.h"

extern "C" int32_t _orqCorrSDDirectAll_dec(int32_t rank, const float* x, const int32_t* xShape, const int32_t* xStride,
                               const float* y, const int32_t* yShape, const int32_t* yStride, float* z,
                               const int32_t* zShape, const int32_t* zStride, const int32_t* start,
                               const int32_t* decimation) {
  return zaforq::cc::direct_all<float, double, false>(rank, x, xShape, xStride, y, yShape, yStride, z, zShape, zStride,
                                           start, decimation);
}
