// One float element of atan and atan2 on the x87 unit, for the elements the float Atan and
// Atan2 kernels leave their vector paths with (NaN, infinities, zeros). The partial arctangent
// runs at 64-bit precision and rounds once to float; its quadrant rules give the signed-zero
// and infinity results of every Atan2 class.
#include "common/bits.h"
#include "common/fpenv.h"
#include "zaf_core/_heap/scalar.h"
#include "zaf_core/_invtrig/invtrig.h"

using zaforq::FpEnv;
using zaforq::X87;
using zaforq::vm::invtrig::atan2_x87;

extern "C" ZAFORQ_API float _zafsatan_scalar(float x) {
  if (zaforq::_zaf_sisnan_scalar(x)) return x + x;
  FpEnv env(X87::pc64);
  const float r = atan2_x87(_zaf_sabs_scalar(x), 1.0f);
  return (zaforq::bits_of(x) >> 31) ? -r : r;
}

extern "C" ZAFORQ_API float _zafsatan2_scalar(float y, float x) {
  if (zaforq::_zaf_sisnan_scalar(y) || zaforq::_zaf_sisnan_scalar(x)) return y + x;
  FpEnv env(X87::pc64);
  return atan2_x87(y, x);
}
