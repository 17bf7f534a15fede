// Float cosine, high accuracy: reduced to the nearest odd multiple of pi/2
// in double lanes, a degree-9 odd polynomial; beyond |x| = 10000
// the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SCosHA {
  static constexpr char name[] = "_zafsCos_HA";
  static constexpr char callout[] = "sCos_HA";
  static constexpr Fn fn = Fn::cos;
  static constexpr FEval eval = FEval::cos_ha;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsCos_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SCosHA>>(n, a, r);
}
