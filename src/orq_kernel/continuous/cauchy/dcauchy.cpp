// Double cauchy variates.
#include "orq_kernel/continuous/cauchy/cauchy.h"

extern "C" ZAFORQ_API int32_t _orqdRngCauchy(int32_t, OrqStream stream, int32_t n, double* r, double a, double beta) {
  return zaforq::orq::cauchy<double>(stream, n, r, a, beta);
}
