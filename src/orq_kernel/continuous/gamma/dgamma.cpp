// Double gamma variates; the carried Marsaglia-Tsang candidate lives under chunk key 7.
#include "orq_kernel/continuous/gamma/gamma.h"

extern "C" ZAFORQ_API int32_t _orqdRngGamma(int32_t, OrqStream stream, int32_t n, double* r, double alpha, double a,
                                            double beta) {
  return zaforq::orq::gamma<double>(stream, n, r, alpha, a, beta);
}
