// Reduction of any finite double by multiples of pi/2: x = (q + 4m) pi/2 + r, |r| <= pi/4,
// r returned as a high and a low double. Below 2^30 pi/4 in four or five parts is enough
// (Cody-Waite); above, x is multiplied by only the bits of 4/pi that matter (Payne-Hanek),
// so arguments up to the largest double keep every bit of r.
#include <stdint.h>

#include "common/bits.h"
#include "common/dd.h"
#include "zaf.h"
#include "zaf_core/_heap/trig.h"

extern "C" {
#include "zaf_core/_heap/reduction_tab.inc"
}

namespace {

using namespace zaforq;
const double* const Tab = _zafReductionTab;

// p minus its multiples of 8, exactly: clears the significand bits of weight 8 and above.
// Only n mod 8 (whole multiples of pi/4) matters for the quadrant.
inline double drop_eights(double p) {
  const uint64_t b = bits_of(p);
  const int e = static_cast<int>((b >> 52) & 0x7FF) - 1023;
  if (e < 3) return p;
  if (e >= 55) return 0.0;  // every bit weighs at least 8
  const uint64_t high = b & ~((uint64_t(1) << (55 - e)) - 1);
  return p - bit_cast<double>(high);
}

// (hi, lo) += t with the rounding error carried into lo.
inline void acc(double& hi, double& lo, double t) {
  double s, e;
  dd::two_sum(hi, t, s, e);
  hi = s;
  lo += e;
}

// r = x - n pi/4 for even n = 2k below 2^30, with pi/4 in `parts` pieces of few bits (so
// that n times every piece but the last is exact).
inline void cody_waite(double ax, double dn, const double* p, int parts, double& hi, double& lo) {
  hi = ax - dn * p[0];  // exact: both are multiples of the smaller ulp and hi is the smaller
  lo = 0.0;
  for (int i = 1; i < parts - 1; ++i) acc(hi, lo, -(dn * p[i]));
  lo -= dn * p[parts - 1];
  dd::fast_two_sum(hi, lo, hi, lo);
}

}  // namespace

extern "C" ZAFORQ_API int32_t _zafreduce_pio2d(uint32_t x_lo, uint32_t x_hi, double* r) {
  const uint64_t xb = (uint64_t(x_hi) << 32) | x_lo;
  const int s = static_cast<int>(xb >> 63);
  const int E = static_cast<int>((xb >> 52) & 0x7FF);
  const double ax = bit_cast<double>(xb & 0x7FFFFFFFFFFFFFFFull);
  double hi, lo;
  uint32_t n;
  if (E >= 2047) {  // not finite: nothing to reduce
    r[0] = r[1] = ax - ax;
    return 0;
  }
  if (E < 1053) {
    // n = trunc(|x| * 4/pi), moved up to the next even value; |r| <= pi/4 to within rounding.
    const double y = ax * Tab[8];
    n = static_cast<uint32_t>(y);
    n += n & 1u;
    const double dn = static_cast<double>(n);
    if (E < 1046) cody_waite(ax, dn, Tab + 10, 4, hi, lo);
    else cody_waite(ax, dn, Tab + 14, 5, hi, lo);
  } else {
    // |x| * 2^-200 times the pieces of 4/pi (which carry 2^200) gives |x| * piece exactly
    // in range. x in two parts of 26 and 27 bits, pieces of 25 bits: every product is exact.
    const double xs = ax * 0x1p-200;
    const double xh = bit_cast<double>(bits_of(xs) & 0xFFFFFFFFF8000000ull);
    const double xl = xs - xh;
    // The first piece whose product has bits below 8: pieces before it only add multiples
    // of 8 (whole turns of 2 pi).
    const int v = (E - 1052) / 25;
    const double* P = Tab + 20 + v;
    // Pieces v..v+3: products taken mod 8 are exact multiples of 2^-97 below 8, so their sum
    // is held exactly in (ah, al).
    double ah = 0.0, al = 0.0;
    for (int k = 0; k < 4; ++k) {
      acc(ah, al, drop_eights(xh * P[k]));
      ah = drop_eights(ah);
      acc(ah, al, drop_eights(xl * P[k]));
      ah = drop_eights(ah);
    }
    // Integer part of the exact sum: its parity decides the side of the fraction.
    const double n0 = static_cast<double>(static_cast<int32_t>(ah));
    n = static_cast<uint32_t>(static_cast<int32_t>(ah));
    double fh, fl;
    dd::two_sum(ah - n0, al, fh, fl);  // exact
    if (n & 1u) {
      // Fraction into [-1, 0): subtract 1 exactly, the lost bits joining the low part.
      double e;
      dd::two_sum(fh, Tab[1], fh, e);
      dd::two_sum(fh, fl + e, fh, fl);
      n += 1;
    }
    // Pieces v+4..v+8 add less than 2^-18; summed smallest first in double-double.
    double rh = 0.0, rl = 0.0;
    for (int k = 8; k >= 4; --k) {
      acc(rh, rl, xl * P[k]);
      acc(rh, rl, xh * P[k]);
    }
    // fh + rh + fl + rl by exact steps: the fraction may cancel to about 2^-61, so no
    // rounding may happen above the low bits of the result.
    double f, e1, e2, e3;
    dd::two_sum(fh, rh, f, e1);
    dd::two_sum(f, fl, f, e2);
    dd::two_sum(f, rl, f, e3);
    double fr = (e1 + e2) + e3;
    dd::fast_two_sum(f, fr, f, fr);
    // r = fraction * pi/4 (pi/4 in two parts).
    double p, pe;
    dd::two_prod(f, Tab[6], p, pe);
    const double t = pe + (f * Tab[7] + fr * (Tab[6] + Tab[7]));
    dd::fast_two_sum(p, t, hi, lo);
  }
  const double sign = Tab[2 + s];
  r[0] = hi * sign;
  r[1] = lo * sign;
  // n counts pi/4 and is even: the quadrant is n/2, negated for negative x, mod 4.
  const uint32_t q = n >> 1;
  return static_cast<int32_t>((s ? 0u - q : q) & 3u);
}
