// Double cosine, high accuracy: the pi/32 table of the scalar routine, two lanes at a time,
// for |x| < 90112; larger arguments, inf and NaN through the callout with the full reduction.
#include "zaf_core/_trig/trig_policies.h"

namespace {

using namespace zaforq::vm::trigk;

struct DCosHA {
  static constexpr char name[] = "_zafdCos_HA";
  static constexpr const char* callout = name;
  static constexpr Fn fn = Fn::cos;
};

}  // namespace

extern "C" ZAFORQ_API void _zafdCos_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<DoubleUnary<DCosHA>>(n, a, r);
}
