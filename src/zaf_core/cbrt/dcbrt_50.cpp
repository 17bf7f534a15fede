// _zafdCbrt_50: seven series terms and the high part of the table.
#include "zaf_core/cbrt/cbrt_core.h"

namespace {
constexpr char kName[] = "_zafdCbrt_50";
using Policy = zaforq::vm::cbrt_core::DPolicy<false, 7, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdCbrt_50(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
