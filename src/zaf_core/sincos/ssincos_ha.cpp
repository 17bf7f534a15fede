// Float sine and cosine together, high accuracy: one reduction by pi/2 in double lanes serves
// both; beyond |x| = 10000 the double routine through the callout.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct SSinCosHA {
  static constexpr char name[] = "_zafsSinCos_HA";
  static constexpr char callout[] = "sSinCos_HA";
  static constexpr Poly poly = Poly::ha;
};

}  // namespace

extern "C" ZAFORQ_API void _zafsSinCos_HA(int32_t n, const float* a, float* r1, float* r2) {
  zaforq::vm::run_two_out<FloatSinCos<SSinCosHA>>(n, a, r1, r2);
}
