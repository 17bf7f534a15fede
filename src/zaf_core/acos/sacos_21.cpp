// _zafsAcos_21: float arithmetic, polynomial of 5 coefficients.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAcos_21";
using Policy = zaforq::vm::invtrig::FAsin<zaforq::vm::invtrig::Cls::f21, true, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAcos_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
