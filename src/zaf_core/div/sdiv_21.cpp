// _zafsDiv_21: the reciprocal estimate refined by one Newton step;
// divisors outside [2^-126, 2^126) go to the x87 scalar routine.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafsDiv_21";
using Policy = zaforq::vm::div::FDiv<zaforq::vm::div::FClass::a21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsDiv_21(int32_t n, const float* a, const float* b, float* r) {
  zaforq::vm::run_binary<Policy>(n, a, b, r);
}
