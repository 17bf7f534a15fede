// Internal interface of the trigonometric families: the tables, the scalar routines every
// callout ends in, and the argument reduction they share.
#pragma once
#include <stdint.h>

extern "C" {

// 70 doubles: constants of both reduction paths and 4/pi in 25-bit pieces (scaled by 2^200).
extern const double _zafReductionTab[70];
// 64 entries (C_j - B_j, S_j, S_j low, B_j) for angles j pi/32, then 18 constants.
extern const double _dSinTab[274];
extern const double _dCosTab[274];
extern const double _dSinCosTab[274];
// Tangent: per interval of the reduced argument, a block of twenty doubles.
extern const double _dTanTab[1020];

// One element each, for every double; the float callouts call them at 53-bit x87 precision.
double _dSin(double x);
double _dCos(double x);
double _dTan(double x);
void _dSinCos(double x, double* s, double* c);

}  // extern "C"

// Offsets of the constants after the 64 entries of the sine-cosine tables.
namespace zaforq::trig {
enum SinTabConst : int {
  kInvPio32 = 256,
  kShifter = 257,
  kPio32a = 258,  // pi/32 in three parts
  kSinC3 = 261,   // -1/6, 1/120, -1/5040, 2.7557319223985893e-06
  kCosC2 = 265,   // -1/2, 1/24, -1/720, 2.48015873015873e-05
  kTwo55 = 269,
  kTwoM55 = 270,
  kOne = 271,
  kZero = 272,
  kInf = 273,
};
}  // namespace zaforq::trig
