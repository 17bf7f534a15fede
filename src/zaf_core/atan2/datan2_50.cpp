// _zafdAtan2_50: table method for magnitudes in [2^-1020, 2^993), the x87 partial arctangent for every other element.
#include "zaf_core/_invtrig/invtrig.h"

namespace {
constexpr char kName[] = "_zafdAtan2_50";
using Policy = zaforq::vm::invtrig::DAtan2<zaforq::vm::invtrig::Cls::d50, kName>;
}  // namespace

extern "C" ZAFORQ_API void _zafdAtan2_50(int32_t n, const double* a, const double* b, double* r) { zaforq::vm::run_binary<Policy>(n, a, b, r); }
