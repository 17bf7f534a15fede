// One-element helpers: absolute values by the sign bit, a NaN test, and the square roots the
// float and double Sqrt kernels use for elements outside their vector range.
#include "zaf_core/_heap/scalar.h"

#include "common/bits.h"
#include "zaf_core/sqrt/sqrt_core.h"
#include "zaforq/zaf_algebraic.h"

using zaforq::bit_cast;
using zaforq::bits_of;

extern "C" ZAFORQ_API float _zaf_sabs_scalar(float x) { return bit_cast<float>(bits_of(x) & 0x7FFFFFFFu); }

extern "C" ZAFORQ_API double _zaf_dabs_scalar(double x) {
  return bit_cast<double>(bits_of(x) & 0x7FFFFFFFFFFFFFFFull);
}

int32_t zaforq::_zaf_sisnan_scalar(float x) { return (bits_of(x) & 0x7FFFFFFFu) > 0x7F800000u; }

// The double square root without a square-root instruction: the estimate and five terms of the
// binomial series, denormals scaled by 2^54. Negative arguments give the default NaN; nothing
// is reported here (the kernels report).
extern "C" ZAFORQ_API double _zafdsqrt_scalar(double x) {
  using namespace zaforq::simd;
  if (x != x) return x + x;
  if (x == 0.0 || x == __builtin_inf()) return x;
  if (x < 0.0) return zaforq::vm::domain_nan<double>();
  if (x < 0x1p-1022) return zaforq::vm::sqrt_core::dsqrt_fast<5, false>(f64x2::all(x * 0x1p54)).lane0() * 0x1p-27;
  return zaforq::vm::sqrt_core::dsqrt_fast<5, false>(f64x2::all(x)).lane0();
}

// Through the double root: a float's square root rounds to the same float from the double
// result as from the exact value.
extern "C" ZAFORQ_API float _zafssqrt_scalar(float x) {
  if (x < 0.0f) return zaforq::vm::domain_nan<float>();
  return static_cast<float>(_zafdsqrt_scalar(static_cast<double>(x)));
}
