// Exponential variates: x = (-beta) ln u + a, transformed in place in the caller's array.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t exponential(OrqStream stream, int32_t n, T* r, T a, T beta) {
  using P = Prec<T>;
  const int32_t status = P::uniform(stream, n, r, T(0), T(1));
  if (status < 0) return status;
  P::ln(n, r);
  affine(n, r, T(0) - beta, a);
  return status;
}

}  // namespace zaforq::orq
