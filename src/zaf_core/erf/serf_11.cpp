// Float error function, 11-bit class: erf(r) + s d (1 - r d) from the nearest point r of the
// 1/128 grid, in float from the _21 kernel's rows; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErf11 : SErfFloatGridCore<true> {
  using Wide = SErfFloatGridCore<true>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErf_11";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>&) { nan_special(a, r); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErf_11(int32_t n, const float* a, float* r) { vm::run_unary<SErf11>(n, a, r); }
