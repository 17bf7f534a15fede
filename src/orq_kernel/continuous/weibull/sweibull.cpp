// Float weibull variates.
#include "orq_kernel/continuous/weibull/weibull.h"

extern "C" ZAFORQ_API int32_t _orqsRngWeibull(int32_t, OrqStream stream, int32_t n, float* r, float alpha, float a, float beta) {
  return zaforq::orq::weibull<float>(stream, n, r, alpha, a, beta);
}
