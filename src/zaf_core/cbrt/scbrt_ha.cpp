// _zafsCbrt_HA: four series terms in double, rounded to float.
#include "zaf_core/cbrt/cbrt_core.h"

namespace {
constexpr char kName[] = "_zafsCbrt_HA";
using Policy = zaforq::vm::cbrt_core::FPolicy<false, 4, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsCbrt_HA(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
