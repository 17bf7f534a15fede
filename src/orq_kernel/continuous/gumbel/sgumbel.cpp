// Float gumbel variates.
#include "orq_kernel/continuous/gumbel/gumbel.h"

extern "C" ZAFORQ_API int32_t _orqsRngGumbel(int32_t, OrqStream stream, int32_t n, float* r, float a, float beta) {
  return zaforq::orq::gumbel<float>(stream, n, r, a, beta, _orqsRngExponential);
}
