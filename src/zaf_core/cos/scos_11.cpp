// Float cosine, the 11-bit class, in single precision: reduced to the nearest odd multiple of
// pi/2 (pi in four parts), a degree-5 odd polynomial; beyond |x| = 10000 the double routine
// through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SCos11 {
  static constexpr char name[] = "_zafsCos_11";
  static constexpr char callout[] = "sCos_A11";
  static constexpr Fn fn = Fn::cos;
  static constexpr FEval eval = FEval::cos_a11;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsCos_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<FloatUnary<SCos11>>(n, a, r);
}
