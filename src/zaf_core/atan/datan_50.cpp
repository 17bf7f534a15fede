// _zafdAtan_50: table of atan(j/16), reduced argument by one division.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAtan_50";
using Policy = zaforq::vm::invtrig::DAtan<zaforq::vm::invtrig::Cls::d50, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAtan_50(int32_t n, const double* a, double* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
