// Bernoulli variates: 1 where u < p. The uniforms are drawn as floats into the output array
// itself and compared there as signed integers, which order non-negative floats exactly as the
// float comparison does, so no buffer is needed.
#include <string.h>

#include "zaforq/orq_dist.h"

extern "C" ZAFORQ_API int32_t _orqiRngBernoulli(int32_t, OrqStream stream, int32_t n, int32_t* r, double p) {
  const float pf = static_cast<float>(p);
  int32_t pbits;
  memcpy(&pbits, &pf, 4);
  // int32 and float have the same size: the array holds the floats first, then the results
  const int32_t status = _orqsRngUniform(0, stream, n, reinterpret_cast<float*>(r), 0.0f, 1.0f);
  if (status < 0) return status;
  for (int32_t i = 0; i < n; ++i) {
    int32_t ubits;
    memcpy(&ubits, r + i, 4);
    r[i] = pbits > ubits ? 1 : 0;
  }
  return status;
}
