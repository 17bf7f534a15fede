// Float sine, high accuracy: reduced by multiples of pi in double lanes, a degree-9 odd polynomial;
// beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSinHA {
  static constexpr char name[] = "_zafsSin_HA";
  static constexpr char callout[] = "sSin_HA";
  static constexpr Fn fn = Fn::sin;
  static constexpr FEval eval = FEval::sin_ha;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSin_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SSinHA>>(n, a, r);
}
