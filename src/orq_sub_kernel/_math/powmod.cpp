// Modular powers for leapfrog and skip-ahead of the congruential generators. Right-to-left
// binary exponentiation. A negative exponent has no meaning here (the generators refuse them
// before calling) and would never shift down to zero: the functions answer 0 for it, as they
// do for a zero modulus, instead of looping for ever or dividing by zero.
#include "orq_sub_kernel/_math/modmath.h"
#include "zaforq/orq_streams.h"

using namespace zaforq::orq;

extern "C" ZAFORQ_API uint32_t __orqiPowMod(uint32_t base, int32_t exponent, uint32_t modulus) {
  if (exponent < 0 || modulus == 0) return 0;
  uint64_t m = modulus, result = 1 % m, b = base % m;
  while (exponent != 0) {
    if (exponent & 1) result = result * b % m;
    exponent >>= 1;
    b = b * b % m;
  }
  return static_cast<uint32_t>(result);
}

extern "C" ZAFORQ_API uint32_t __orqiPowMod2P31M1(uint32_t base, int32_t exponent) {
  if (exponent < 0) return 0;
  uint32_t result = 1, b = base % kM31;
  while (exponent != 0) {
    if (exponent & 1) result = mulmod31(result, b);
    exponent >>= 1;
    b = mulmod31(b, b);
  }
  return result;
}

extern "C" ZAFORQ_API uint64_t __orqiPowMod2P59(uint32_t base_lo, uint32_t base_hi, int32_t exponent) {
  if (exponent < 0) return 0;
  uint64_t result = 1, b = ((static_cast<uint64_t>(base_hi) << 32) | base_lo) & kMask59;
  while (exponent != 0) {
    if (exponent & 1) result = mulmod59(result, b);
    exponent >>= 1;
    b = mulmod59(b, b);
  }
  return result;
}
