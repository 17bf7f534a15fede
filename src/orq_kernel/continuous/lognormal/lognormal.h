// Lognormal variates: x = exp(z) beta + b, z Gaussian with mean a and deviation sigma, always by
// the pair-keeping Box-Muller method, so it shares the stream's carried pair with the Gaussian.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t lognormal(OrqStream stream, int32_t n, T* r, T a, T sigma, T b, T beta,
                  int32_t (*gaussian_entry)(int32_t, OrqStream, int32_t, T*, T, T)) {
  const int32_t status = gaussian_entry(ORQ_GAUSSIAN_BOXMULLER2, stream, n, r, a, sigma);
  if (status < 0) return status;
  Prec<T>::exp(n, r);
  affine(n, r, beta, b);
  return status;
}

}  // namespace zaforq::orq
