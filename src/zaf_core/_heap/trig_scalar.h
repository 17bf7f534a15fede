// One-element sine, cosine and tangent over the whole double range: the routines the callouts
// end in. Arguments below 2^17 are reduced by pi/32 directly; larger ones by pi/2 first
// (_zafreduce_pio2d), then by pi/32 with the quadrant folded into the table index.
#pragma once
#include <stdint.h>

#include "common/bits.h"
#include "common/dd.h"
#include "zaf.h"
#include "zaf_core/_heap/trig.h"

namespace zaforq::trig {

// Arguments at or above 2^17 (biased exponent 1040) take the full reduction.
constexpr int kReduceExp = 1040;
// Below 2^-252 (biased exponent 771) sin and tan are x, cos is 1.
constexpr int kTinyExp = 771;

// x = 16 q pi/32 + n pi/32 + s + sl: the table index j = (16 q + n) mod 64 and the remainder
// s (plus its correction sl, which also carries the low part of an already reduced argument).
struct Pio32 {
  double s, sl;
  uint32_t j;
};

inline Pio32 reduce_pio32(double rh, double rl, uint32_t q, const double* tab) {
  const double t = rh * tab[kInvPio32] + tab[kShifter];
  const double n = t - tab[kShifter];
  // n < 2^21 and the first two parts of pi/32 have 31 and 32 bits: both products are exact,
  // and rh - n p1 is exact because rh and n p1 lie within a factor two of each other.
  const double a = rh - n * tab[kPio32a];
  double s, e;
  dd::two_sum(a, -(n * tab[kPio32a + 1]), s, e);
  Pio32 p;
  p.s = s;
  p.sl = (e - n * tab[kPio32a + 2]) + rl;
  p.j = (static_cast<uint32_t>(bits_of(t)) + 16u * q) & 63u;
  return p;
}

// sin(j pi/32 + s + sl) from the entry j of a sine-layout table (C_j - B_j, S_j, S_j low, B_j):
// S_j + B_j s is formed exactly in two parts and every smaller term is added to the low part.
inline double sin_from_table(const double* tab, const Pio32& p) {
  const double* e = tab + 4 * p.j;
  const double d = e[0], sj = e[1], sjl = e[2], bj = e[3];
  const double s = p.s, s2 = s * s;
  const double sp = s * s2 * (tab[kSinC3] + s2 * (tab[kSinC3 + 1] + s2 * (tab[kSinC3 + 2] + s2 * tab[kSinC3 + 3])));
  const double cp = s2 * (tab[kCosC2] + s2 * (tab[kCosC2 + 1] + s2 * (tab[kCosC2 + 2] + s2 * tab[kCosC2 + 3])));
  double hi, lo;
  dd::two_sum(sj, bj * s, hi, lo);
  const double cj = bj + d;
  lo += sjl + d * s + cj * (sp + p.sl) + sj * (cp - s * p.sl);
  return hi + lo;
}

// cos(j pi/32 + s) = sin((j + 16) pi/32 + s): a sine-layout table serves the cosine too.
inline double cos_from_sin_table(const double* tab, Pio32 p) {
  p.j = (p.j + 16u) & 63u;
  return sin_from_table(tab, p);
}

// x = (q + 4m) pi/2 + rh + rl with |rh| about pi/4 at most. Below 2^17 the three parts of
// pi/2 keep r to about 2^-104 absolutely, far below the smallest |r| a double of that size
// can leave; above, the full reduction.
inline uint32_t reduce_pio2(double x, double& rh, double& rl) {
  const uint64_t b = bits_of(x);
  if (static_cast<int>((b >> 52) & 0x7FF) >= kReduceExp) {
    double r[2];
    const uint32_t q = static_cast<uint32_t>(
        _zafreduce_pio2d(static_cast<uint32_t>(b), static_cast<uint32_t>(b >> 32), r));
    rh = r[0];
    rl = r[1];
    return q;
  }
  const double p1 = bits<double>(0x3FF921FB54400000ull);  // pi/2 in three parts
  const double p2 = bits<double>(0x3DD0B4611A600000ull);
  const double p3 = bits<double>(0x3BA3198A2E037073ull);
  const double shifter = 6755399441055744.0;               // 1.5 * 2^52
  const double t = x * 0.63661977236758134 + shifter;      // 2/pi
  const double k = t - shifter;
  const double a = x - k * p1;  // exact: k < 2^17 and p1 has 31 bits
  double e;
  dd::two_sum(a, -(k * p2), rh, e);
  rl = e - k * p3;
  dd::fast_two_sum(rh, rl, rh, rl);
  return static_cast<uint32_t>(bits_of(t)) & 3u;
}

// tan(rh + rl) for |rh| <= pi/4 (to within rounding) as a high and low part.
inline void tan_reduced(double rh, double rl, double& th, double& tl) {
  const double sign = rh < 0 ? -1.0 : 1.0;
  const double a = rh * sign, al = rl * sign;
  int i = static_cast<int>(a * 64.0);
  if (i > 50) i = 50;
  const double* blk = _dTanTab + 20 * i;
  const double h = a - blk[0];  // exact: c_i is short and h no larger than a
  // a_2 + a_3 h + ... + a_16 h^14
  double p = blk[19];
  for (int k = 18; k >= 5; --k) p = p * h + blk[k];
  // a_0 + a_1 (h + al) + h^2 p, the exact product a_1 h leading the low part.
  double m, me;
  dd::two_prod(blk[3], h, m, me);
  double hi, lo;
  dd::two_sum(blk[1], m, hi, lo);
  lo += blk[2] + me + blk[4] * h + blk[3] * al + h * h * p;
  dd::fast_two_sum(hi, lo, th, tl);
  th *= sign;
  tl *= sign;
}

// -1 / (th + tl) with one division and a Newton correction in double-double.
inline double neg_recip(double th, double tl) {
  const double q = 1.0 / th;
  double p, pe;
  dd::two_prod(q, th, p, pe);
  const double e = ((1.0 - p) - pe) - q * tl;  // 1 - q (th + tl)
  return -(q + q * e);
}

// The tiny-argument answer for sine and tangent: x itself, with the inexact flag raised for
// x != 0 as the exact function would.
inline double tiny_odd(double x, const double* tab) {
  if (x == 0.0) return x;
  return (tab[kTwo55] * x - x) * tab[kTwoM55];
}

// ---- the scalar routines, inline so that the callouts take their results in SSE registers
// (a double returned through the x87 stack must not meet the caller's x87 settings) --------

namespace detail {


inline int biased_exp(double x) { return static_cast<int>((bits_of(x) >> 52) & 0x7FF); }

// Reduction shared by the three sine-table routines: pi/2 first for large x, then pi/32.
inline Pio32 reduce(double x, const double* tab) {
  double rh = x, rl = 0.0;
  uint32_t q = 0;
  if (biased_exp(x) >= kReduceExp) q = reduce_pio2(x, rh, rl);
  return reduce_pio32(rh, rl, q, tab);
}

// inf gives NaN with the invalid flag (inf * 0); NaN stays NaN (x * x).
inline double not_finite(double x, const double* tab) {
  return __builtin_isinf(x) ? x * tab[kZero] : x * x;
}

}  // namespace detail
using detail::biased_exp;
using detail::reduce;
using detail::not_finite;

inline double sin_scalar(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dSinTab);
  if (e < kTinyExp) return tiny_odd(x, _dSinTab);
  return sin_from_table(_dSinTab, reduce(x, _dSinTab));
}

inline double cos_scalar(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dCosTab);
  if (e < kTinyExp) return _dCosTab[kOne] - __builtin_fabs(x);
  return sin_from_table(_dCosTab, reduce(x, _dCosTab));
}

inline void sincos_scalar(double x, double* s, double* c) {
  const int e = biased_exp(x);
  if (e == 0x7FF) {
    *s = *c = not_finite(x, _dSinCosTab);
    return;
  }
  if (e < kTinyExp) {
    *s = tiny_odd(x, _dSinCosTab);
    *c = _dSinCosTab[kOne] - __builtin_fabs(x);
    return;
  }
  const Pio32 p = reduce(x, _dSinCosTab);
  *s = sin_from_table(_dSinCosTab, p);
  *c = cos_from_sin_table(_dSinCosTab, p);
}

inline double tan_scalar(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dSinTab);
  if (e < kTinyExp) return tiny_odd(x, _dSinTab);
  double rh, rl, th, tl;
  const uint32_t q = reduce_pio2(x, rh, rl);
  tan_reduced(rh, rl, th, tl);
  // Odd quadrants: tan(r + pi/2) = -1 / tan(r).
  return (q & 1u) ? neg_recip(th, tl) : th + tl;
}

}  // namespace zaforq::trig
