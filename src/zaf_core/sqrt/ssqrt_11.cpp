// _zafsSqrt_11: x times the reciprocal-square-root estimate.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsSqrt_11";
using Policy = zaforq::vm::sqrt_core::FSqrt<zaforq::vm::sqrt_core::FClass::a11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsSqrt_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
