// Float beta variates.
#include "orq_kernel/continuous/beta/beta.h"

extern "C" ZAFORQ_API int32_t _orqsRngBeta(int32_t, OrqStream stream, int32_t n, float* r, float p, float q, float a,
                                           float beta) {
  return zaforq::orq::beta<float>(stream, n, r, p, q, a, beta);
}
