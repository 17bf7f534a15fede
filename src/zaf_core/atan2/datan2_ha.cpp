// _zafdAtan2_HA: table method with the exact reduced argument; zeros, denormals, infinities, NaN and extreme magnitudes on the x87 unit.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAtan2_HA";
using Policy = zaforq::vm::invtrig::DAtan2<zaforq::vm::invtrig::Cls::dHA, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAtan2_HA(int32_t n, const double* a, const double* b, double* r) { zaforq::vm::run_binary<Policy>(n, a, b, r); }
