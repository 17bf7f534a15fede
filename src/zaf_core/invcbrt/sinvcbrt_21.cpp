// _zafsInvCbrt_21: three series terms in double, rounded to float.
#include "zaf_core/cbrt/cbrt_core.h"

namespace {
constexpr char kName[] = "_zafsInvCbrt_21";
using Policy = zaforq::vm::cbrt_core::FPolicy<true, 3, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInvCbrt_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
