// Float cosine, the 4-ulp class: reduced by pi/2 in double lanes, Taylor polynomials of sin and cos
// cut for the class; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/sin/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SCos21 {
  static constexpr char name[] = "_zafsCos_21";
  static constexpr char callout[] = "sCos_LA";
  static constexpr Fn fn = Fn::cos;
  static f32x4 eval(f32x4 x) { return cos_of(quadrant<Poly::la>(x)); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsCos_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SCos21>>(n, a, r);
}
