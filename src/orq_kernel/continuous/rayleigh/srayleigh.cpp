// Float rayleigh variates.
#include "orq_kernel/continuous/rayleigh/rayleigh.h"

extern "C" ZAFORQ_API int32_t _orqsRngRayleigh(int32_t, OrqStream stream, int32_t n, float* r, float a, float beta) {
  return zaforq::orq::rayleigh<float>(stream, n, r, a, beta);
}
