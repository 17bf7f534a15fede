// Float tangent, the 4-ulp class: reduced by pi/2 in double lanes, Taylor polynomials of sin
// and cos cut for the class; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/sin/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct STan21 {
  static constexpr char name[] = "_zafsTan_21";
  static constexpr char callout[] = "sTan_LA";
  static constexpr Fn fn = Fn::tan;
  static f32x4 eval(f32x4 x) { return tan_of(quadrant<Poly::la>(x)); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsTan_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<STan21>>(n, a, r);
}
