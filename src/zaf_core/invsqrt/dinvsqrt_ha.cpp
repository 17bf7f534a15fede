// _zafdInvSqrt_HA: estimate and five terms of the binomial series.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafdInvSqrt_HA";
using Policy = zaforq::vm::sqrt_core::DPolicy<5, true, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdInvSqrt_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
