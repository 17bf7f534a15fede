// _dSin, _dCos, _dSinCos, _dTan: one element each, correct to within one ulp for every double.
#include "zaf_core/_heap/trig_scalar.h"

extern "C" {
#include "zaf_core/_heap/sincos_tab.inc"
#include "zaf_core/_heap/tan_tab.inc"
}

namespace {

using namespace zaforq;
using namespace zaforq::trig;

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

}  // namespace

extern "C" double _dSin(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dSinTab);
  if (e < kTinyExp) return tiny_odd(x, _dSinTab);
  return sin_from_table(_dSinTab, reduce(x, _dSinTab));
}

extern "C" double _dCos(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dCosTab);
  if (e < kTinyExp) return _dCosTab[kOne] - __builtin_fabs(x);
  return sin_from_table(_dCosTab, reduce(x, _dCosTab));
}

extern "C" void _dSinCos(double x, double* s, double* c) {
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

extern "C" double _dTan(double x) {
  const int e = biased_exp(x);
  if (e == 0x7FF) return not_finite(x, _dSinTab);
  if (e < kTinyExp) return tiny_odd(x, _dSinTab);
  double rh, rl, th, tl;
  const uint32_t q = reduce_pio2(x, rh, rl);
  tan_reduced(rh, rl, th, tl);
  // Odd quadrants: tan(r + pi/2) = -1 / tan(r).
  return (q & 1u) ? neg_recip(th, tl) : th + tl;
}
