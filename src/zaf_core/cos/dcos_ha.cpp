// Double cosine, high accuracy: the pi/32 table of the scalar routine, two lanes at a time,
// for |x| < 90112; larger arguments, inf and NaN through the callout with the full reduction.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DCosHA {
  static constexpr char name[] = "_zafdCos_HA";
  static constexpr const char* callout = name;
  static constexpr Fn fn = Fn::cos;
  static constexpr double limit = 90112.0;  // high word 0x40F60000
  static constexpr bool inclusive = false;
  static const double* table() { return _dCosTab; }
};

}  // namespace

extern "C" ZAFORQ_API void _zafdCos_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<DoubleUnary<DCosHA>>(n, a, r);
}
