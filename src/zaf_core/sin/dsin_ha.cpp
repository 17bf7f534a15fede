// Double sine, high accuracy: the pi/32 table of the scalar routine, two lanes at a time,
// for |x| < 90112; larger arguments, inf and NaN through the callout with the full reduction.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DSinHA {
  static constexpr char name[] = "_zafdSin_HA";
  static constexpr const char* callout = name;
  static constexpr Fn fn = Fn::sin;
};

}  // namespace

extern "C" ZAFORQ_API void _zafdSin_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<DoubleUnary<DSinHA>>(n, a, r);
}
