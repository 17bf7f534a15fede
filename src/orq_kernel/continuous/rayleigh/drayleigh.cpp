// Double rayleigh variates.
#include "orq_kernel/continuous/rayleigh/rayleigh.h"

extern "C" ZAFORQ_API int32_t _orqdRngRayleigh(int32_t, OrqStream stream, int32_t n, double* r, double a, double beta) {
  return zaforq::orq::rayleigh<double>(stream, n, r, a, beta);
}
