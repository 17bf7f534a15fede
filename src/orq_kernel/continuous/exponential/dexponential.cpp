// Double exponential variates.
#include "orq_kernel/continuous/exponential/exponential.h"

extern "C" ZAFORQ_API int32_t _orqdRngExponential(int32_t, OrqStream stream, int32_t n, double* r, double a, double beta) {
  return zaforq::orq::exponential<double>(stream, n, r, a, beta);
}
