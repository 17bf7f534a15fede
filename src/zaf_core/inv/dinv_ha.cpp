// _zafdInv_HA: one x87 division at 64-bit precision per group of four.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafdInv_HA";
using Policy = zaforq::vm::div::DInvHA<kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdInv_HA(int32_t n, const double* a, double* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
