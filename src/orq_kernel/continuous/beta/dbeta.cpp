// Double beta variates.
#include "orq_kernel/continuous/beta/beta.h"

extern "C" ZAFORQ_API int32_t _orqdRngBeta(int32_t, OrqStream stream, int32_t n, double* r, double p, double q,
                                           double a, double beta) {
  return zaforq::orq::beta<double>(stream, n, r, p, q, a, beta);
}
