// Weibull variates: x = (-ln u)^(1/alpha) beta + a (shape first, then shift and scale).
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t weibull(OrqStream stream, int32_t n, T* r, T alpha, T a, T beta) {
  using P = Prec<T>;
  const int32_t status = P::uniform(stream, n, r, T(0), T(1));
  if (status < 0) return status;
  P::ln(n, r);
  for (int32_t i = 0; i < n; ++i) r[i] = -r[i];
  P::powx(n, r, P::inverse(alpha));
  affine(n, r, beta, a);
  return status;
}

}  // namespace zaforq::orq
