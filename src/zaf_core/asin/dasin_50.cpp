// _zafdAsin_50: polynomial of 12 coefficients and the hardware square root.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAsin_50";
using Policy = zaforq::vm::invtrig::DAsin<zaforq::vm::invtrig::Cls::d50, false, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAsin_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
