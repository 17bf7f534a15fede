// _zafdSqrt_50: estimate and four terms of the binomial series.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafdSqrt_50";
using Policy = zaforq::vm::sqrt_core::DPolicy<4, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdSqrt_50(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
