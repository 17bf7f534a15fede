// The distributions' scalar natural logarithm. It never returns -inf or NaN: set-up code of the
// rejection and table methods divides by it and compares with it, so arguments outside the
// domain get the logarithm of the smallest subnormal instead.
#include "common/bits.h"
#include "zaforq/orq_dist.h"

namespace {
#include "orq_sub_kernel/_math/ln_tables.inc"
}  // namespace

extern "C" ZAFORQ_API double __orqdLn(double x) {
  using zaforq::bits;
  using zaforq::bits_of;
  const double kLnTiny = -744.4400719213812;  // ln 2^-1074
  if (!(x > 0.0) || x > 1.7976931348623157e308) return kLnTiny;  // zero, negative, NaN, +inf
  int32_t k = 0;
  if (x < 2.2250738585072014e-308) {  // subnormal: scale into the normal range
    x *= 4503599627370496.0;          // 2^52
    k = -52;
  }
  const uint64_t u = bits_of(x);
  k += static_cast<int32_t>(u >> 52) - 1023;
  const uint64_t frac = u & 0x000FFFFFFFFFFFFFull;
  const double m = bits<double>(frac | 0x3FF0000000000000ull);  // in [1, 2)
  const uint32_t j = static_cast<uint32_t>((frac + (1ull << 45)) >> 46);  // nearest 64 (m - 1), ties up
  const double* t = kLnD[j];
  // m = mh + ml with mh holding the upper 40 bits: mh * c_j (c_j has 13 bits) is exact, and
  // mh * c_j - 1 is exact too since the product lies within 2^-6 of 1.
  const double mh = bits<double>((frac & 0xFFFFFFFFFFFFE000ull) | 0x3FF0000000000000ull);
  const double ml = m - mh;
  const double r = (mh * t[0] - 1.0) + ml * t[0];
  const double r2 = r * r;
  const double p = r2 * (-0.5000000000000031 +
                         r * (0.33333333333333787 +
                              r * (-0.24999999959276006 +
                                   r * (0.1999999994995557 + r * (-0.1666800146149218 + r * 0.1428709072311373)))));
  const double kd = static_cast<double>(k);
  const double hi = kd * 0.6931471805598903 + t[1] + r;
  const double lo = kd * 5.497923018708371e-14 + t[2] + p;
  return hi + lo;
}
