// Float error function, 11-bit class: the quarter-binade intervals of the double kernels with
// degree-4 polynomials, evaluated in double and rounded once; only NaN leaves the fast path.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErf11 : SErfCore<4, kSErf11> {
  using Wide = SErfCore<4, kSErf11>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErf_11";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>&) { nan_special(a, r); }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErf_11(int32_t n, const float* a, float* r) { vm::run_unary<SErf11>(n, a, r); }
