// _zafsAsin_HA: evaluated in double with a polynomial of 6 coefficients, rounded once.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAsin_HA";
using Policy = zaforq::vm::invtrig::FAsin<zaforq::vm::invtrig::Cls::fHA, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAsin_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
