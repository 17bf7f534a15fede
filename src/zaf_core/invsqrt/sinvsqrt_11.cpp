// _zafsInvSqrt_11: the reciprocal-square-root estimate as it is.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsInvSqrt_11";
using Policy = zaforq::vm::sqrt_core::FInvSqrt<zaforq::vm::sqrt_core::FClass::a11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInvSqrt_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
