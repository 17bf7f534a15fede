// Double multivariate Gaussian vectors.
#include "orq_kernel/continuous/gaussianmv/gaussian_mv.h"

extern "C" ZAFORQ_API int32_t _orqdRngGaussianMV(int32_t method, OrqStream stream, int32_t n, double* r, int32_t d,
                                                 int32_t mstorage, const double* a, const double* t) {
  return zaforq::orq::gaussian_mv<double>(method, stream, n, r, d, mstorage, a, t, _orqdRngGaussian);
}
