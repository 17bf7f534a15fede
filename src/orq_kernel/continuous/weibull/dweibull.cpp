// Double weibull variates.
#include "orq_kernel/continuous/weibull/weibull.h"

extern "C" ZAFORQ_API int32_t _orqdRngWeibull(int32_t, OrqStream stream, int32_t n, double* r, double alpha, double a, double beta) {
  return zaforq::orq::weibull<double>(stream, n, r, alpha, a, beta);
}
