// Geometric variates (failures before the first success): floor(ln u / ln(1 - p)), entirely in
// single precision once the constant 1 / ln(1 - p) is rounded to float.
#include "orq_kernel/discrete/_common/floor.h"
#include "zaforq/orq_dist.h"
#include "zaforq/zaf_kernels.h"

extern "C" ZAFORQ_API int32_t _orqiRngGeometric(int32_t, OrqStream stream, int32_t n, int32_t* r, double p) {
  constexpr int32_t kBlock = 1024;
  // __orqdLn never gives -inf: p = 1 makes c = -1/744.44..., and every variate 0
  const float c = static_cast<float>(1.0 / __orqdLn(1.0 - p));
  if (n < 1) return 0;
  float u[kBlock];
  int32_t status = 0;
  for (int32_t done = 0; done < n;) {
    const int32_t k = n - done < kBlock ? n - done : kBlock;
    status = _orqsRngUniform(0, stream, k, u, 0.0f, 1.0f);
    if (status < 0) return status;
    _zafsLn_21(k, u, u);
    for (int32_t i = 0; i < k; ++i) u[i] *= c;
    zaforq::orq::floor_to_i32(k, u, r + done);
    done += k;
  }
  return status;
}
