// _zafsAsin_21: float arithmetic, polynomial of 5 coefficients.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAsin_21";
using Policy = zaforq::vm::invtrig::FAsin<zaforq::vm::invtrig::Cls::f21, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAsin_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
