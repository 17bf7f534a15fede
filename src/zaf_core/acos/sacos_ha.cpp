// _zafsAcos_HA: evaluated in double with a polynomial of 6 coefficients, rounded once.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAcos_HA";
using Policy = zaforq::vm::invtrig::FAsin<zaforq::vm::invtrig::Cls::fHA, true, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAcos_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
