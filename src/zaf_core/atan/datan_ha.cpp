// _zafdAtan_HA: table of atan(j/16), exact reduced argument in two parts.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAtan_HA";
using Policy = zaforq::vm::invtrig::DAtan<zaforq::vm::invtrig::Cls::dHA, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAtan_HA(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
