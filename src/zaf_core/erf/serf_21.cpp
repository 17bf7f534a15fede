// Float error function, 4-ulp class: a Taylor step of degree 4 from the nearest point of the
// 1/128 grid, in float from float rows of erf and its derivative; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErf21 : SErfFloatGridCore<false> {
  using Wide = SErfFloatGridCore<false>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErf_21";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>&) { nan_special(a, r); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErf_21(int32_t n, const float* a, float* r) { vm::run_unary<SErf21>(n, a, r); }
