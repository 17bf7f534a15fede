// Poisson variates with one mean per element, an approximation without rejection or state: one
// standard Gaussian per element. Means below 1/16 turn it into a uniform, |erf(z / sqrt 2)|,
// scaled by exp(lambda) and compared with the partial sums of lambda^k / k!; larger means map it
// through a polynomial whose coefficients are fitted per binade of the mean.
#include <stdint.h>
#include <string.h>

#include "zaforq/orq_dist.h"
#include "zaforq/orq_dist2.h"
#include "zaforq/zaf_erf.h"

namespace {

constexpr int32_t kBlock = 2048;
// exp(lambda) to the cube, enough below 1/16
const double kExp4[4] = {0.9999999978976929, 1.000000235204182, 0.49999555884885266, 0.16669916415448055};
#include "orq_kernel/discrete/poissonv/poissonv_tables.inc"
const double* const pCC = iPoissvC;

int32_t small_mean(float z_erf, double lambda) {
  const double u = (z_erf < 0.0f ? -z_erf : z_erf) * (kExp4[0] + lambda * (kExp4[1] + lambda * (kExp4[2] + lambda * kExp4[3])));
  const float uf = static_cast<float>(u);
  double term = 1.0, sum = 1.0;
  for (int32_t k = 0; k <= 10; ++k) {
    if (k > 0) {
      term *= lambda / k;
      sum += term;
    }
    if (uf <= static_cast<float>(sum)) return k;
  }
  return 11;
}

int32_t large_mean(float zf, double lambda) {
  uint64_t bits;
  memcpy(&bits, &lambda, 8);
  const int32_t e = static_cast<int32_t>((bits >> 52) & 0x7FF);
  const double* b = pCC + 20 * (e - 1019 < 17 ? e - 1019 : 17);
  const uint64_t mant = (bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull;
  double t;
  memcpy(&t, &mant, 8);
  t -= 1.0;
  auto cubic = [&](int32_t i) { return b[i] + t * (b[i + 1] + t * (b[i + 2] + t * b[i + 3])); };
  const double z = zf;
  const double v = 1.0 + lambda + b[0] + b[1] * t +
                   z * (__orqdSqrt(lambda) + b[2] + b[3] * t) * (cubic(4) + z * (cubic(8) + z * (cubic(12) + z * cubic(16))));
  return static_cast<int32_t>(v > 0.0 ? v : 0.0);
}

}  // namespace

extern "C" ZAFORQ_API int32_t _orqiRngPoissonV(int32_t, OrqStream stream, int32_t n, int32_t* r, const double* lambda) {
  if (n < 1) return 0;
  float* z = reinterpret_cast<float*>(r);
  const int32_t status = _orqsRngGaussian(1, stream, n, z, 0.0f, 1.0f);
  if (status < 0) return status;
  float block[kBlock], small[kBlock];
  int32_t where[kBlock];
  for (int32_t at = 0; at < n; at += kBlock) {
    const int32_t k = n - at < kBlock ? n - at : kBlock;
    memcpy(block, z + at, sizeof(float) * static_cast<size_t>(k));
    int32_t ns = 0;
    for (int32_t i = 0; i < k; ++i)
      if (lambda[at + i] < 0.0625) {
        small[ns] = block[i] * 0.70710677f;
        where[ns++] = i;
      }
    _zafsErf_21(ns, small, small);
    int32_t j = 0;
    for (int32_t i = 0; i < k; ++i) {
      const double lam = lambda[at + i];
      if (j < ns && where[j] == i) r[at + i] = small_mean(small[j++], lam);
      else r[at + i] = large_mean(block[i], lam);
    }
  }
  return status;
}
