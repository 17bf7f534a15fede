// Double tangent, high accuracy. The array goes through in blocks of 64 elements, each stage a
// tight loop over the block's scratch arrays: reduction by pi/2, the double polynomial of the
// half angle, and the completion tan r = 2t / (1 - t^2) in the x87 unit's 64-bit precision.
// Elements beyond |x| = 128000, inf and NaN are then recomputed by the callout, lowest index
// first, after the block's results are stored.
#include <string.h>

#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::trigk;

constexpr int kBlock = 64;

// Runs the three stages on count elements of x (staged, so r may be x) and returns nothing;
// the caller tests the range.
void tan_block(int count, const double* x, double* r) {
  alignas(16) double rh[kBlock], rl[kBlock], odd[kBlock], p[kBlock];
  dtan_reduction(count, x, rh, rl, odd);
  dtan_polynomial53(count, rh, p);
  dtan_polynomial64(count, rh, rl, p, odd, r);
}

}  // namespace

extern "C" ZAFORQ_API void _zafdTan_HA(int32_t n, const double* a, double* r) {
  if (n <= 0) return;
  FpEnv env(X87::pc64);
  alignas(16) double x[kBlock], out[kBlock];
  for (int32_t i = 0; i < n; i += kBlock) {
    const int count = n - i < kBlock ? static_cast<int>(n - i) : kBlock;
    // Staged arguments: the stages step two at a time, so an odd count is padded with 1.0,
    // and the callout still sees the caller's argument when r is a.
    memcpy(x, a + i, sizeof(double) * count);
    if (count & 1) x[count] = 1.0;
    tan_block(count + (count & 1), x, out);
    memcpy(r + i, out, sizeof(double) * count);
    for (int k = 0; k < count; k += 2) {
      uint32_t m = double_outside(f64x2::load(x + k), kTanLimit, true);
      if (k + 1 == count) m &= 1u;
      for (; m; m &= m - 1) {
        const int e = k + __builtin_ctz(m);
        trig::callout(Fn::tan, x[e], r + i + e, i + e, "dTan_HA");
      }
    }
  }
}
