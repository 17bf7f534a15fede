// _zafsInv_21: the reciprocal estimate refined by one Newton step;
// divisors outside [2^-126, 2^126) go to the x87 scalar routine.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafsInv_21";
using Policy = zaforq::vm::div::FInv<zaforq::vm::div::FClass::a21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInv_21(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
