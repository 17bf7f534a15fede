// _zafsSqrt_HA: the refined estimate and a Newton step on the exact residual.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsSqrt_HA";
using Policy = zaforq::vm::sqrt_core::FSqrt<zaforq::vm::sqrt_core::FClass::ha, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsSqrt_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
