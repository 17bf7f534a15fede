// Exact floor of a double without the rounding-mode or SSE4.1 instructions, for the table and
// rejection methods' index arithmetic.
#include "common/bits.h"
#include "zaforq/orq_dist.h"

extern "C" ZAFORQ_API double __orqdFloor(double x) {
  const uint64_t u = zaforq::bits_of(x);
  const uint64_t mag = u & 0x7FFFFFFFFFFFFFFFull;
  if (mag >= 0x4330000000000000ull) return x;  // |x| >= 2^52, infinities and NaNs: integral or unordered
  if (mag < 0x3FF0000000000000ull) {            // |x| < 1
    if (mag == 0 || !(u >> 63)) return (u >> 63) ? -0.0 : 0.0;
    return -1.0;
  }
  if (mag < 0x4320000000000000ull) {  // |x| < 2^51: round to an integer through 1.5 * 2^52
    const double shifter = 6755399441055744.0;
    double t = (x + shifter) - shifter;
    if (t > x) t -= 1.0;
    return t;
  }
  // 2^51 <= |x| < 2^52: the last significand bit is the half; floor drops it downward
  return (u & 1) ? x - 0.5 : x;
}
