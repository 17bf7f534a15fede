// Double lognormal variates.
#include "orq_kernel/continuous/lognormal/lognormal.h"

extern "C" ZAFORQ_API int32_t _orqdRngLognormal(int32_t, OrqStream stream, int32_t n, double* r, double a, double sigma, double b, double beta) {
  return zaforq::orq::lognormal<double>(stream, n, r, a, sigma, b, beta, _orqdRngGaussian);
}
