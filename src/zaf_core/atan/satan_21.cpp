// _zafsAtan_21: float arithmetic, reduction by pi/4, polynomial of 5 coefficients.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan_21";
using Policy = zaforq::vm::invtrig::FAtan<zaforq::vm::invtrig::Cls::f21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan_21(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
