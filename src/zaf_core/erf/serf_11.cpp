// Float error function, 11-bit class: x P(x^2) below 7/8, 1 - e^(-x^2) Q((|x| - 3)/(|x| + 3))
// above, in float with no table; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErf11 : SErf11Core {
  using Wide = SErf11Core;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErf_11";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>&) { nan_special(a, r); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErf_11(int32_t n, const float* a, float* r) { vm::run_unary<SErf11>(n, a, r); }
