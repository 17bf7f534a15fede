// The distributions' scalar float logarithm: evaluated in double and rounded once to float.
#include "common/bits.h"
#include "zaforq/orq_dist.h"

namespace {
#include "orq_sub_kernel/_math/ln_tables.inc"
}  // namespace

extern "C" ZAFORQ_API float __orqsLn(float x) {
  using zaforq::bits;
  using zaforq::bits_of;
  uint32_t u = bits_of(x);
  if ((u & 0x7FFFFFFFu) == 0) return -103.2789306640625f;  // the float nearest ln 2^-149
  int32_t k = 0;
  if ((u & 0x7F800000u) == 0) {  // subnormal: scale by 2^64 and correct the exponent
    const float scaled = x * 1.8446744073709552e19f;
    u = bits_of(scaled);
    k = -64;
  }
  k += static_cast<int32_t>((u >> 23) & 0xFF) - 127;
  const uint32_t frac = u & 0x007FFFFFu;
  const double m = static_cast<double>(bits<float>(frac | 0x3F800000u));
  const uint32_t j = (frac + (1u << 16)) >> 17;  // nearest 64 (m - 1), ties up
  const double r = m * kLnS[j][0] - 1.0;
  const double p = r - 0.5 * r * r + r * r * r * (1.0 / 3.0 - 0.25 * r);
  return static_cast<float>(static_cast<double>(k) * 0.6931471805599453 + (kLnS[j][1] + p));
}
