// Float sine, the 11-bit class, in single precision: reduced by multiples of pi (pi in four
// parts), a degree-5 odd polynomial; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSin11 {
  static constexpr char name[] = "_zafsSin_11";
  static constexpr char callout[] = "sSin_A11";
  static constexpr Fn fn = Fn::sin;
  static constexpr FEval eval = FEval::sin_a11;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSin_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SSin11>>(n, a, r);
}
