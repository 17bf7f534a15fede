// Float sine and cosine together, the 4-ulp class: one reduction by pi/2 in double lanes serves
// both; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSinCos21 {
  static constexpr char name[] = "_zafsSinCos_21";
  static constexpr char callout[] = "sSinCos_LA";
  static constexpr Poly poly = Poly::la;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSinCos_21(int32_t n, const float* a, float* r1, float* r2) {
  zaforq::vm::run_two_out<FloatSinCos<SSinCos21>>(n, a, r1, r2);
}
