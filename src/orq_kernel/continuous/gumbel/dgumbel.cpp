// Double gumbel variates.
#include "orq_kernel/continuous/gumbel/gumbel.h"

extern "C" ZAFORQ_API int32_t _orqdRngGumbel(int32_t, OrqStream stream, int32_t n, double* r, double a, double beta) {
  return zaforq::orq::gumbel<double>(stream, n, r, a, beta, _orqdRngExponential);
}
