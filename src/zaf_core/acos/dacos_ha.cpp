// _zafdAcos_HA: polynomial of 13 coefficients; above 1/2 through a square root in a high and a low part.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAcos_HA";
using Policy = zaforq::vm::invtrig::DAsin<zaforq::vm::invtrig::Cls::dHA, true, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAcos_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
