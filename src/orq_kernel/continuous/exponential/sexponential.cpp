// Float exponential variates.
#include "orq_kernel/continuous/exponential/exponential.h"

extern "C" ZAFORQ_API int32_t _orqsRngExponential(int32_t, OrqStream stream, int32_t n, float* r, float a, float beta) {
  return zaforq::orq::exponential<float>(stream, n, r, a, beta);
}
