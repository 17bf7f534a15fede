// Floor to 32-bit integers, four lanes at a time without a branch: truncate, then subtract one
// where the truncated value lies above the input (negative non-integers). Arrays of any length:
// the last group is padded through a small buffer.
#pragma once
#include <stdint.h>

#include "common/simd.h"

namespace zaforq::orq {

inline void floor4(const double* x, int32_t* out) {
  using namespace zaforq::simd;
  const f64x2 one = f64x2::all(1.0);
  const f64x2 x0 = f64x2::load(x), x1 = f64x2::load(x + 2);
  const f64x2 t0 = to_f64_low2(trunc_to_i32(x0, x0)), t1 = to_f64_low2(trunc_to_i32(x1, x1));
  const i32x4 t = trunc_to_i32(x0, x1);
  (t - trunc_to_i32((x0 < t0) & one, (x1 < t1) & one)).store(out);
}

inline void floor4(const float* x, int32_t* out) {
  using namespace zaforq::simd;
  const f32x4 y = f32x4::load(x);
  const i32x4 t = trunc_to_i32(y);
  (t - trunc_to_i32((to_f32(t) > y) & f32x4::all(1.0f))).store(out);
}

template <class T>
void floor_to_i32(int32_t n, const T* x, int32_t* out) {
  int32_t i = 0;
  for (; i + 4 <= n; i += 4) floor4(x + i, out + i);
  if (i < n) {
    T pad[4] = {0, 0, 0, 0};
    int32_t res[4];
    for (int32_t j = i; j < n; ++j) pad[j - i] = x[j];
    floor4(pad, res);
    for (int32_t j = i; j < n; ++j) out[j] = res[j - i];
  }
}

}  // namespace zaforq::orq
