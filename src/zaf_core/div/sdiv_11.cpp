// _zafsDiv_11: the reciprocal estimate as it is;
// divisors outside [2^-126, 2^126) go to the x87 scalar routine.
#include "zaf_core/div/div_core.h"

namespace {
constexpr char kName[] = "_zafsDiv_11";
using Policy = zaforq::vm::div::FDiv<zaforq::vm::div::FClass::a11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsDiv_11(int32_t n, const float* a, const float* b, float* r) {
  zaforq::vm::run_binary<Policy>(n, a, b, r);
}
