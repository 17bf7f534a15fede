// Float error function, high accuracy: a Taylor step of degree 5 from the nearest point of the
// 1/128 grid of erfc and its derivative, summed in double and rounded once; only NaN leaves the
// fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfHA : SErfGridCore {
  using Wide = SErfGridCore;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErf_HA";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>&) { nan_special(a, r); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErf_HA(int32_t n, const float* a, float* r) { vm::run_unary<SErfHA>(n, a, r); }
