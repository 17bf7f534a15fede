// _zafsSqrt_21: x times the estimate refined by one series step.
#include "zaf_core/sqrt/sqrt_core.h"

namespace {
constexpr char kName[] = "_zafsSqrt_21";
using Policy = zaforq::vm::sqrt_core::FSqrt<zaforq::vm::sqrt_core::FClass::a21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsSqrt_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
