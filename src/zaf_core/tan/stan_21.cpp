// Float tangent, the 4-ulp class, in single precision: reduced by pi/2 (pi/2 in four parts),
// a minimax odd polynomial of degree 15 and -1/tan in odd quadrants (every float up to the
// fast limit within 3.4 ulp); beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct STan21 {
  static constexpr char name[] = "_zafsTan_21";
  static constexpr char callout[] = "sTan_LA";
  static constexpr Fn fn = Fn::tan;
  static constexpr FEval eval = FEval::tan_single;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsTan_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<STan21>>(n, a, r);
}
