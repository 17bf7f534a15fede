// _zafsAtan2_HA: the double table method, rounded once; zeros, infinities and NaN on the x87 unit.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan2_HA";
using Policy = zaforq::vm::invtrig::FAtan2<zaforq::vm::invtrig::Cls::fHA, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan2_HA(int32_t n, const float* a, const float* b, float* r) { zaforq::vm::run_binary<Policy>(n, a, b, r); }
