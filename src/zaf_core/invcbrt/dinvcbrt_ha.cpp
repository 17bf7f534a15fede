// _zafdInvCbrt_HA: eight series terms and the two-part table.
#include "zaf_core/cbrt/cbrt_core.h"

namespace {
constexpr char kName[] = "_zafdInvCbrt_HA";
using Policy = zaforq::vm::cbrt_core::DPolicy<true, 8, true, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdInvCbrt_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
