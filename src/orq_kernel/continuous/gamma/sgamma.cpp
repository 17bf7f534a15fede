// Float gamma variates; the carried Marsaglia-Tsang candidate lives under chunk key 8.
#include "orq_kernel/continuous/gamma/gamma.h"

extern "C" ZAFORQ_API int32_t _orqsRngGamma(int32_t, OrqStream stream, int32_t n, float* r, float alpha, float a,
                                            float beta) {
  return zaforq::orq::gamma<float>(stream, n, r, alpha, a, beta);
}
