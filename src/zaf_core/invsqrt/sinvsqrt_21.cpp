// _zafsInvSqrt_21: the estimate refined by one series step.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsInvSqrt_21";
using Policy = zaforq::vm::sqrt_core::FInvSqrt<zaforq::vm::sqrt_core::FClass::a21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInvSqrt_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
