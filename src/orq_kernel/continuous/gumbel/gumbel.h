// Gumbel (minimum) variates: x = ln(e) beta + a with e a standard exponential variate.
#pragma once
#include "orq_kernel/continuous/exponential/exponential.h"

namespace zaforq::orq {

template <class T>
int32_t gumbel(OrqStream stream, int32_t n, T* r, T a, T beta, int32_t (*exponential_entry)(int32_t, OrqStream, int32_t, T*, T, T)) {
  const int32_t status = exponential_entry(0, stream, n, r, T(0), T(1));
  if (status < 0) return status;
  Prec<T>::ln(n, r);
  affine(n, r, beta, a);
  return status;
}

}  // namespace zaforq::orq
