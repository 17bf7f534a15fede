// Cauchy variates: x = tan(v) beta + a, with the generator asked directly for angles v on
// [-pi/2, pi/2) (the bounds of the Cauchy table), so no scaling step is needed before the tangent.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t cauchy(OrqStream stream, int32_t n, T* r, T a, T beta) {
  using P = Prec<T>;
  const T* tab = P::cauchy_tab();
  const int32_t status = P::uniform(stream, n, r, tab[1], tab[0]);
  if (status < 0) return status;
  P::tan(n, r);
  affine(n, r, beta, a);
  return status;
}

}  // namespace zaforq::orq
