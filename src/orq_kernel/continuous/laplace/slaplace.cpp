// Float laplace variates.
#include "orq_kernel/continuous/laplace/laplace.h"

extern "C" ZAFORQ_API int32_t _orqsRngLaplace(int32_t, OrqStream stream, int32_t n, float* r, float a, float beta) {
  return zaforq::orq::laplace<float>(stream, n, r, a, beta);
}
