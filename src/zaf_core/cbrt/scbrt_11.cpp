// _zafsCbrt_11: two series terms in double, rounded to float.
#include "zaf_core/cbrt/cbrt_core.h"

namespace {
constexpr char kName[] = "_zafsCbrt_11";
using Policy = zaforq::vm::cbrt_core::FPolicy<false, 2, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsCbrt_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
