// _zafsInv_11: the reciprocal estimate as it is;
// divisors outside [2^-126, 2^126) go to the x87 scalar routine.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafsInv_11";
using Policy = zaforq::vm::div::FInv<zaforq::vm::div::FClass::a11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsInv_11(int32_t n, const float* a, float* r) {
  zaforq::vm::run_unary<Policy>(n, a, r);
}
