// Double laplace variates.
#include "orq_kernel/continuous/laplace/laplace.h"

extern "C" ZAFORQ_API int32_t _orqdRngLaplace(int32_t, OrqStream stream, int32_t n, double* r, double a, double beta) {
  return zaforq::orq::laplace<double>(stream, n, r, a, beta);
}
