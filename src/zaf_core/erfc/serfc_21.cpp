// Float complementary error function, 4-ulp class: the _HA kernel's grid step with its two
// smallest terms, 2/15 (r d)^4 and r d^3 / 2, left out.
// Arguments from 9.19455 on report UNDERFLOW, each element on its own, lowest index first.
#include "zaf_core/_erf/erf_core.h"

namespace {

using namespace zaforq;
using namespace zaforq::vm::erfk;

struct SErfc21 : SErfcGridCore<false> {
  using Wide = SErfcGridCore<false>;
  static constexpr X87 x87 = X87::untouched;
  static constexpr char name[] = "_zafsErfc_21";
  static uint32_t fast(const float* a, float* r) { return Wide::fast<f32x4>(a, r); }
  static void special(float a, float& r, const vm::Report<float>& report) {
    serfc_special<false>(a, r, report);
  }
};

}  // namespace

extern "C" ZAFORQ_API void _zafsErfc_21(int32_t n, const float* a, float* r) { vm::run_unary<SErfc21>(n, a, r); }
