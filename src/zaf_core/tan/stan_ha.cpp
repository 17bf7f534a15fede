// Float tangent, high accuracy: reduced by pi/2 in double lanes, Taylor polynomials of sin and
// cos cut for the class; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct STanHA {
  static constexpr char name[] = "_zafsTan_HA";
  static constexpr char callout[] = "sTan_HA";
  static constexpr Fn fn = Fn::tan;
  static constexpr FEval eval = FEval::tan_ha;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsTan_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<STanHA>>(n, a, r);
}
