// _zafsAtan_HA: the double table method, rounded once.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan_HA";
using Policy = zaforq::vm::invtrig::FAtan<zaforq::vm::invtrig::Cls::fHA, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan_HA(int32_t n, const float* a, float* r) { zaforq::vm::run_unary<Policy>(n, a, r); }
