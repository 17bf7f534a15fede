// Float multivariate Gaussian vectors.
#include "orq_kernel/continuous/gaussianmv/gaussian_mv.h"

extern "C" ZAFORQ_API int32_t _orqsRngGaussianMV(int32_t method, OrqStream stream, int32_t n, float* r, int32_t d,
                                                 int32_t mstorage, const float* a, const float* t) {
  return zaforq::orq::gaussian_mv<float>(method, stream, n, r, d, mstorage, a, t, _orqsRngGaussian);
}
