// _zafsAtan2_21: float arithmetic, reduction by pi/4; zeros, infinities and NaN on the x87 unit.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafsAtan2_21";
using Policy = zaforq::vm::invtrig::FAtan2<zaforq::vm::invtrig::Cls::f21, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafsAtan2_21(int32_t n, const float* a, const float* b, float* r) { zaforq::vm::run_binary<Policy>(n, a, b, r); }
