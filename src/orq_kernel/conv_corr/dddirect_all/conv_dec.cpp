// Convolution of ranks 2 to 7 (and 1) by direct summation: double data and arithmetic.
#include "orq_kernel/conv_corr/_common/direct.h"

extern "C" int32_t _orqConvDDDirectAll_dec(int32_t rank, const double* x, const int32_t* xShape, const int32_t* xStride,
                               const double* y, const int32_t* yShape, const int32_t* yStride, double* z,
                               const int32_t* zShape, const int32_t* zStride, const int32_t* start,
                               const int32_t* decimation) {
  return zaforq::cc::direct_all<double, double, true>(rank, x, xShape, xStride, y, yShape, yStride, z, zShape, zStride,
                                           start, decimation);
}
