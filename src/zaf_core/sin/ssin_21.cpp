// Float sine, the 4-ulp class: reduced by multiples of pi in double lanes, the
// degree-9 odd polynomial of the high-accuracy class; beyond |x| = 10000 the double routine
// through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSin21 {
  static constexpr char name[] = "_zafsSin_21";
  static constexpr char callout[] = "sSin_LA";
  static constexpr Fn fn = Fn::sin;
  static constexpr FEval eval = FEval::sin_la;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSin_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SSin21>>(n, a, r);
}
