// Laplace variates: x = -beta ln u1 + a when u2 <= 0.5, else beta ln u1 + a. Blocks of 1024
// outputs from 2048 uniforms; the u1 go straight into the caller's array and are transformed
// there. The remainder block is drawn even when empty, so that the generator sees the same
// sequence of calls for every n.
#pragma once
#include "orq_kernel/continuous/_common/prec.h"

namespace zaforq::orq {

template <class T>
int32_t laplace(OrqStream stream, int32_t n, T* r, T a, T beta) {
  using P = Prec<T>;
  constexpr int32_t kBlock = 1024;
  T u[2 * kBlock];
  int32_t status = 0;
  const int32_t blocks = n / kBlock;
  for (int32_t b = 0; b <= blocks; ++b) {
    const int32_t k = b < blocks ? kBlock : n - kBlock * blocks;
    T* out = r + b * kBlock;
    status = P::uniform(stream, 2 * k, u, T(0), T(1));
    if (status < 0) return status;
    for (int32_t i = 0; i < k; ++i) {
      out[i] = u[2 * i];
      u[i] = u[2 * i + 1];
    }
    P::ln(k, out);
    const T half = T(0.5);
    for (int32_t i = 0; i < k; ++i) out[i] = (u[i] <= half ? -beta : beta) * out[i] + a;
  }
  return status;
}

}  // namespace zaforq::orq
