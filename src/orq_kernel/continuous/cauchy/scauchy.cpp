// Float cauchy variates.
#include "orq_kernel/continuous/cauchy/cauchy.h"

extern "C" ZAFORQ_API int32_t _orqsRngCauchy(int32_t, OrqStream stream, int32_t n, float* r, float a, float beta) {
  return zaforq::orq::cauchy<float>(stream, n, r, a, beta);
}
