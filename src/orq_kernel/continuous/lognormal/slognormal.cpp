// Float lognormal variates.
#include "orq_kernel/continuous/lognormal/lognormal.h"

extern "C" ZAFORQ_API int32_t _orqsRngLognormal(int32_t, OrqStream stream, int32_t n, float* r, float a, float sigma, float b, float beta) {
  return zaforq::orq::lognormal<float>(stream, n, r, a, sigma, b, beta, _orqsRngGaussian);
}
