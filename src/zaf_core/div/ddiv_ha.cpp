// _zafdDiv_HA: one x87 division at 64-bit precision per group of four.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafdDiv_HA";
using Policy = zaforq::vm::div::DDivHA<kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdDiv_HA(int32_t n, const double* a, const double* b, double* r) {
  zaforq::vm::run_binary<Policy>(n, a, b, r);
}
