// Float tangent, the 11-bit class: the single-precision evaluation of the 4-ulp class (a
// shorter polynomial saves little once the division is paid); beyond |x| = 10000 the double
// routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct STan11 {
  static constexpr char name[] = "_zafsTan_11";
  static constexpr char callout[] = "sTan_A11";
  static constexpr Fn fn = Fn::tan;
  static constexpr FEval eval = FEval::tan_single;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsTan_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<STan11>>(n, a, r);
}
