// Rayleigh variates: x = sqrt(-ln u) beta + a.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t rayleigh(OrqStream stream, int32_t n, T* r, T a, T beta) {
  using P = Prec<T>;
  const int32_t status = P::uniform(stream, n, r, T(0), T(1));
  if (status < 0) return status;
  P::ln(n, r);
  for (int32_t i = 0; i < n; ++i) r[i] = -r[i];
  P::sqrt(n, r);
  affine(n, r, beta, a);
  return status;
}

}  // namespace zaforq::orq
