// _zafsInvSqrt_HA: double square root and division, rounded to float.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsInvSqrt_HA";
using Policy = zaforq::vm::sqrt_core::FInvSqrt<zaforq::vm::sqrt_core::FClass::ha, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInvSqrt_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
