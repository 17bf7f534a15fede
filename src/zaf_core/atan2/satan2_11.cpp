// _zafsAtan2_11: float arithmetic, short polynomial; zeros, infinities and NaN on the x87 unit.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan2_11";
using Policy = zaforq::vm::invtrig::FAtan2<zaforq::vm::invtrig::Cls::f11, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan2_11(int32_t n, const float* a, const float* b, float* r) { zaforq::vm::run_binary<Policy>(n, a, b, r); }
