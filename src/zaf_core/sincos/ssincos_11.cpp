// Float sine and cosine together, the 11-bit class, in single precision: one reduction by pi/2
// serves both; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSinCos11 {
  static constexpr char name[] = "_zafsSinCos_11";
  static constexpr char callout[] = "sSinCos_A11";
  static constexpr Poly poly = Poly::a11;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSinCos_11(int32_t n, const float* a, float* r1, float* r2) {
  zaforq::vm::run_two_out<FloatSinCos<SSinCos11>>(n, a, r1, r2);
}
