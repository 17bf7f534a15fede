// _zafsAtan_11: float arithmetic, reduction by pi/4, polynomial of 2 coefficients.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan_11";
using Policy = zaforq::vm::invtrig::FAtan<zaforq::vm::invtrig::Cls::f11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan_11(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
