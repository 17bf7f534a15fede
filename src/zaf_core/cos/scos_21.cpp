// Float cosine, the 4-ulp class: reduced to the nearest odd multiple of pi/2
// in double lanes, the degree-9 odd polynomial of the high-accuracy class; beyond
// |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SCos21 {
  static constexpr char name[] = "_zafsCos_21";
  static constexpr char callout[] = "sCos_LA";
  static constexpr Fn fn = Fn::cos;
  static constexpr FEval eval = FEval::cos_la;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsCos_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SCos21>>(n, a, r);
}
