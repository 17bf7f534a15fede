// _zafsAsin_11: float arithmetic, polynomial of 2 coefficients.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAsin_11";
using Policy = zaforq::vm::invtrig::FAsin<zaforq::vm::invtrig::Cls::f11, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAsin_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
